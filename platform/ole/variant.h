// VARIANT: the tagged value that automation interfaces pass for arguments and results, and the functions
// that initialise, clear, copy and convert it. A by-value variant owns what it holds (a BSTR is freed, an
// interface released when it is cleared); a by-reference variant (VT_BYREF | type) only points at a value
// someone else owns.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ole/automation_string.h"
#include "platform/ole/bstr.h"
#include "platform/ole/result_codes.h"

namespace ole {

struct IUnknown;
struct IDispatch;

using VARTYPE = std::uint16_t;

inline constexpr VARTYPE VT_EMPTY = 0;
inline constexpr VARTYPE VT_NULL = 1;
inline constexpr VARTYPE VT_I2 = 2;
inline constexpr VARTYPE VT_I4 = 3;
inline constexpr VARTYPE VT_R8 = 5;
inline constexpr VARTYPE VT_BSTR = 8;
inline constexpr VARTYPE VT_DISPATCH = 9;
inline constexpr VARTYPE VT_ERROR = 10;
inline constexpr VARTYPE VT_BOOL = 11;
inline constexpr VARTYPE VT_VARIANT = 12;  // only as VT_BYREF | VT_VARIANT
inline constexpr VARTYPE VT_UNKNOWN = 13;
inline constexpr VARTYPE VT_UI1 = 17;
inline constexpr VARTYPE VT_UI4 = 19;
inline constexpr VARTYPE VT_INT = 22;
inline constexpr VARTYPE VT_UINT = 23;
inline constexpr VARTYPE VT_BYREF = 0x4000;

using VARIANT_BOOL = std::int16_t;
inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

struct VARIANT {
  VARTYPE vt;
  std::uint16_t wReserved1;
  std::uint16_t wReserved2;
  std::uint16_t wReserved3;
  union {
    std::int32_t lVal;        // VT_I4
    std::int16_t iVal;        // VT_I2
    std::uint8_t bVal;        // VT_UI1
    std::uint32_t ulVal;      // VT_UI4
    std::int32_t intVal;      // VT_INT
    std::uint32_t uintVal;    // VT_UINT
    double dblVal;            // VT_R8
    VARIANT_BOOL boolVal;     // VT_BOOL
    HRESULT scode;            // VT_ERROR
    BSTR bstrVal;             // VT_BSTR
    IUnknown* punkVal;        // VT_UNKNOWN
    IDispatch* pdispVal;      // VT_DISPATCH
    std::int32_t* plVal;      // VT_BYREF | VT_I4
    std::int16_t* piVal;      // VT_BYREF | VT_I2
    std::uint8_t* pbVal;      // VT_BYREF | VT_UI1
    std::uint32_t* pulVal;    // VT_BYREF | VT_UI4
    std::int32_t* pintVal;    // VT_BYREF | VT_INT
    std::uint32_t* puintVal;  // VT_BYREF | VT_UINT
    double* pdblVal;          // VT_BYREF | VT_R8
    VARIANT_BOOL* pboolVal;   // VT_BYREF | VT_BOOL
    HRESULT* pscode;          // VT_BYREF | VT_ERROR
    BSTR* pbstrVal;           // VT_BYREF | VT_BSTR
    IUnknown** ppunkVal;      // VT_BYREF | VT_UNKNOWN
    IDispatch** ppdispVal;    // VT_BYREF | VT_DISPATCH
    VARIANT* pvarVal;         // VT_BYREF | VT_VARIANT
    void* byref;
  };
};

// All of these return E_INVALIDARG for a null pointer and DISP_E_BADVARTYPE for a type they do not know
// (VT_VARIANT by value, VT_BYREF with VT_EMPTY or VT_NULL, any type not listed above). On failure the
// destination is left as it was.

void VariantInit(VARIANT* value);  // VT_EMPTY
// Frees or releases what a by-value variant holds; then VT_EMPTY.
HRESULT VariantClear(VARIANT* value);
// Clears `dest`, then makes it a copy of `src`: a BSTR is duplicated, an interface gets a reference, a
// by-reference variant is copied as the reference. E_OUTOFMEMORY if the BSTR cannot be duplicated.
HRESULT VariantCopy(VARIANT* dest, const VARIANT* src);
// As VariantCopy, but a by-reference `src` is copied as the value it refers to (through VT_BYREF |
// VT_VARIANT into the variant referred to). E_INVALIDARG for a null reference. `dest` may be `src`.
HRESULT VariantCopyInd(VARIANT* dest, const VARIANT* src);
// Converts `src` (dereferenced if by reference) to `vt` into `dest`, which may be `src`. Among VT_I2, VT_I4,
// VT_UI1, VT_UI4, VT_INT, VT_UINT, VT_R8, VT_BOOL and VT_BSTR: numbers become decimal text and back (reals
// round half to even when they become integers); booleans are -1 and 0 as numbers, "True" and "False" as
// text; text becomes a boolean from "true" or "false" in any case or from a number (non-zero is true);
// VT_EMPTY becomes 0, "" or false. DISP_E_OVERFLOW when the value does not fit `vt` (True does not fit an
// unsigned type), DISP_E_TYPEMISMATCH for text that is not a number and for other pairs of types; a
// variant of type `vt` is copied. No `flags` are defined yet: pass 0.
HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, std::uint16_t flags, VARTYPE vt);

// Variant: owns one VARIANT and clears it when it goes. Copies are deep (VariantCopy) and throw
// std::bad_alloc when memory runs out, std::invalid_argument for a variant of an unknown type.
class Variant {
 public:
  Variant() noexcept { VariantInit(&value_); }
  explicit Variant(std::int32_t value) noexcept;     // VT_I4
  explicit Variant(double value) noexcept;           // VT_R8
  explicit Variant(Bstr text) noexcept;              // VT_BSTR, taking the string over
  static Variant Bool(bool value) noexcept;          // VT_BOOL
  static Variant FromBytes(std::string_view bytes);  // VT_BSTR; throws std::bad_alloc
  // Takes over a by-value variant the caller owned.
  static Variant Attach(const VARIANT& owned) noexcept;

  Variant(const Variant& other);
  Variant& operator=(const Variant& other);
  Variant(Variant&& other) noexcept;
  Variant& operator=(Variant&& other) noexcept;
  ~Variant() { VariantClear(&value_); }

  VARTYPE type() const noexcept { return value_.vt; }
  const VARIANT* get() const noexcept { return &value_; }
  VARIANT* get() noexcept { return &value_; }
  // For an out parameter: clears the value held and returns where the callee puts the new one.
  VARIANT* out() noexcept;
  // Gives the value up to the caller, who must clear it; this becomes VT_EMPTY.
  VARIANT Detach() noexcept;
  // Converts the value in place (VariantChangeType).
  HRESULT ChangeType(VARTYPE vt) noexcept { return VariantChangeType(&value_, &value_, 0, vt); }

 private:
  VARIANT value_;
};

}  // namespace ole
