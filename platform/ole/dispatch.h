// IDispatch: late-bound automation. A host asks for the dispatch identifier (DISPID) of a member by name
// and invokes it as a method, a property get or a property put, passing variants.
#pragma once

#include <cstdint>

#include "platform/ole/automation_string.h"
#include "platform/ole/unknown.h"
#include "platform/ole/variant.h"

namespace ole {

using DISPID = std::int32_t;
using LCID = std::uint32_t;
using WORD = std::uint16_t;

inline constexpr IID IID_IDispatch = MakeGuid("00020400-0000-0000-C000-000000000046");

inline constexpr WORD DISPATCH_METHOD = 1;
inline constexpr WORD DISPATCH_PROPERTYGET = 2;
inline constexpr WORD DISPATCH_PROPERTYPUT = 4;
inline constexpr WORD DISPATCH_PROPERTYPUTREF = 8;

inline constexpr DISPID DISPID_VALUE = 0;
inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr DISPID DISPID_PROPERTYPUT = -3;
inline constexpr DISPID DISPID_ABOUTBOX = -552;
inline constexpr DISPID DISPID_AMBIENT_BACKCOLOR = -701;
inline constexpr DISPID DISPID_AMBIENT_DISPLAYNAME = -702;

// Arguments of an Invoke, stored from the last parameter to the first.
struct DISPPARAMS {
  VARIANT* rgvarg = nullptr;
  DISPID* rgdispidNamedArgs = nullptr;
  unsigned cArgs = 0;
  unsigned cNamedArgs = 0;
};

// What went wrong when Invoke returns DISP_E_EXCEPTION.
struct EXCEPINFO {
  WORD wCode = 0;
  BSTR bstrSource = nullptr;
  BSTR bstrDescription = nullptr;
  BSTR bstrHelpFile = nullptr;
  std::uint32_t dwHelpContext = 0;
  HRESULT scode = S_OK;
};

// "Property is read-only": the error an assignment to a get-only property reports through EXCEPINFO.
inline constexpr HRESULT CTL_E_SETNOTSUPPORTED = static_cast<HRESULT>(0x800A017Fu);

struct ITypeInfo;

struct IDispatch : IUnknown {
  virtual HRESULT GetTypeInfoCount(unsigned* count) = 0;
  virtual HRESULT GetTypeInfo(unsigned index, LCID locale, ITypeInfo** info) = 0;
  virtual HRESULT GetIDsOfNames(const IID& reserved, OLECHAR** names, unsigned count, LCID locale,
                                DISPID* ids) = 0;
  virtual HRESULT Invoke(DISPID member, const IID& reserved, LCID locale, WORD flags, DISPPARAMS* params,
                         VARIANT* result, EXCEPINFO* exception, unsigned* argument_error) = 0;

 protected:
  ~IDispatch() = default;
};

// Frees the strings of an EXCEPINFO.
void ClearExcepInfo(EXCEPINFO* info);

}  // namespace ole
