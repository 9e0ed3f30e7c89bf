#include "platform/ole/variant.h"

#include <stdexcept>
#include <utility>

#include "platform/ole/dispatch.h"

namespace ole {
namespace {

bool IsValueType(VARTYPE vt) {
  switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I2:
    case VT_I4:
    case VT_R8:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_ERROR:
    case VT_BOOL:
    case VT_UNKNOWN:
    case VT_UI1:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
      return true;
    default:
      return false;
  }
}

bool IsKnownType(VARTYPE vt) {
  if ((vt & VT_BYREF) == 0) return IsValueType(vt);
  const VARTYPE base = vt & ~VT_BYREF;
  return base == VT_VARIANT || (IsValueType(base) && base != VT_EMPTY && base != VT_NULL);
}

// The interface a by-value variant holds, or nullptr.
IUnknown* InterfaceOf(const VARIANT& value) {
  if (value.vt == VT_UNKNOWN) return value.punkVal;
  if (value.vt == VT_DISPATCH) return value.pdispVal;
  return nullptr;
}

// Makes `out` an owning copy of the by-value variant `value`.
HRESULT CopyValue(VARIANT* out, const VARIANT& value) {
  *out = value;
  if (value.vt == VT_BSTR && value.bstrVal != nullptr) {
    out->bstrVal = SysAllocStringLen(value.bstrVal, SysStringLen(value.bstrVal));
    if (out->bstrVal == nullptr) {
      out->vt = VT_EMPTY;
      return E_OUTOFMEMORY;
    }
  } else {
    if (IUnknown* unknown = InterfaceOf(value)) unknown->AddRef();
  }
  return S_OK;
}

// Makes `out` an owning by-value copy of what the by-reference variant `ref` (of a known type) points at.
HRESULT CopyReferenced(VARIANT* out, const VARIANT& ref) {
  if (ref.byref == nullptr) return E_INVALIDARG;
  const VARTYPE base = ref.vt & ~VT_BYREF;
  if (base == VT_VARIANT) {
    const VARIANT& inner = *ref.pvarVal;
    if (inner.vt == (VT_BYREF | VT_VARIANT)) return E_INVALIDARG;
    if (!IsKnownType(inner.vt)) return DISP_E_BADVARTYPE;
    return (inner.vt & VT_BYREF) != 0 ? CopyReferenced(out, inner) : CopyValue(out, inner);
  }
  VARIANT value;
  value.vt = base;
  switch (base) {
    case VT_I2:
      value.iVal = *ref.piVal;
      break;
    case VT_I4:
      value.lVal = *ref.plVal;
      break;
    case VT_R8:
      value.dblVal = *ref.pdblVal;
      break;
    case VT_BSTR:
      value.bstrVal = *ref.pbstrVal;
      break;
    case VT_DISPATCH:
      value.pdispVal = *ref.ppdispVal;
      break;
    case VT_ERROR:
      value.scode = *ref.pscode;
      break;
    case VT_BOOL:
      value.boolVal = *ref.pboolVal;
      break;
    case VT_UNKNOWN:
      value.punkVal = *ref.ppunkVal;
      break;
    case VT_UI1:
      value.bVal = *ref.pbVal;
      break;
    case VT_UI4:
      value.ulVal = *ref.pulVal;
      break;
    case VT_INT:
      value.intVal = *ref.pintVal;
      break;
    case VT_UINT:
      value.uintVal = *ref.puintVal;
      break;
    default:
      return DISP_E_BADVARTYPE;
  }
  return CopyValue(out, value);
}

// Clears `dest` and moves the owned `value` into it; on failure `value` is cleared instead.
HRESULT Replace(VARIANT* dest, VARIANT& value) {
  const HRESULT hr = VariantClear(dest);
  if (FAILED(hr)) {
    VariantClear(&value);
    return hr;
  }
  *dest = value;
  return S_OK;
}

void ThrowIfFailed(HRESULT hr) {
  if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
  if (FAILED(hr)) throw std::invalid_argument("variant of an unknown type");
}

}  // namespace

void VariantInit(VARIANT* value) {
  if (value != nullptr) value->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT* value) {
  if (value == nullptr) return E_INVALIDARG;
  if (!IsKnownType(value->vt)) return DISP_E_BADVARTYPE;
  const VARIANT old = *value;
  value->vt = VT_EMPTY;
  if (old.vt == VT_BSTR) {
    SysFreeString(old.bstrVal);
  } else {
    if (IUnknown* unknown = InterfaceOf(old)) unknown->Release();
  }
  return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* src) {
  if (dest == nullptr || src == nullptr) return E_INVALIDARG;
  if (!IsKnownType(src->vt)) return DISP_E_BADVARTYPE;
  if (dest == src) return S_OK;
  VARIANT copy;
  if ((src->vt & VT_BYREF) != 0) {
    copy = *src;
  } else if (const HRESULT hr = CopyValue(&copy, *src); FAILED(hr)) {
    return hr;
  }
  return Replace(dest, copy);
}

HRESULT VariantCopyInd(VARIANT* dest, const VARIANT* src) {
  if (dest == nullptr || src == nullptr) return E_INVALIDARG;
  if (!IsKnownType(src->vt)) return DISP_E_BADVARTYPE;
  if ((src->vt & VT_BYREF) == 0) return VariantCopy(dest, src);
  VARIANT copy;
  if (const HRESULT hr = CopyReferenced(&copy, *src); FAILED(hr)) return hr;
  return Replace(dest, copy);
}

// --- Variant

Variant::Variant(std::int32_t value) noexcept {
  value_.vt = VT_I4;
  value_.lVal = value;
}

Variant::Variant(double value) noexcept {
  value_.vt = VT_R8;
  value_.dblVal = value;
}

Variant::Variant(Bstr text) noexcept {
  value_.vt = VT_BSTR;
  value_.bstrVal = text.release();
}

Variant Variant::Bool(bool value) noexcept {
  Variant result;
  result.value_.vt = VT_BOOL;
  result.value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return result;
}

Variant Variant::FromBytes(std::string_view bytes) {
  return Variant(Bstr::FromBytes(bytes));
}

Variant Variant::Attach(const VARIANT& owned) noexcept {
  Variant result;
  result.value_ = owned;
  return result;
}

Variant::Variant(const Variant& other) {
  VariantInit(&value_);
  ThrowIfFailed(VariantCopy(&value_, &other.value_));
}

Variant& Variant::operator=(const Variant& other) {
  if (this != &other) {
    Variant copy(other);
    std::swap(value_, copy.value_);
  }
  return *this;
}

Variant::Variant(Variant&& other) noexcept : value_(other.value_) {
  VariantInit(&other.value_);
}

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    VariantClear(&value_);
    value_ = other.value_;
    VariantInit(&other.value_);
  }
  return *this;
}

VARIANT* Variant::out() noexcept {
  VariantClear(&value_);
  VariantInit(&value_);  // also when the type was unknown: the callee writes over it
  return &value_;
}

VARIANT Variant::Detach() noexcept {
  const VARIANT result = value_;
  VariantInit(&value_);
  return result;
}

}  // namespace ole
