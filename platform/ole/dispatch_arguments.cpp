#include "platform/ole/dispatch_arguments.h"

namespace ole {

namespace {

// Makes an empty referenced variant a variant of `type` holding zero, so that a value can be stored
// in it.
VARIANT* Typed(VARIANT* target, VARTYPE type) {
  if (target->vt == VT_EMPTY) {
    VariantInit(target);
    target->vt = type;
    if (type == VT_BSTR) target->bstrVal = nullptr;
    if (type == VT_I4) target->lVal = 0;
  }
  return target;
}

}  // namespace

HRESULT DispatchArguments::Mismatch(unsigned parameter) const {
  if (argument_error_) *argument_error_ = params_.cArgs - 1 - parameter;
  return DISP_E_TYPEMISMATCH;
}

HRESULT DispatchArguments::Converted(unsigned parameter, VARTYPE type, VARIANT* out) const {
  VariantInit(out);
  const HRESULT result = VariantChangeType(out, Argument(parameter), 0, type);
  if (FAILED(result)) return Mismatch(parameter);
  return S_OK;
}

HRESULT DispatchArguments::GetLong(unsigned parameter, std::int32_t* value) const {
  VARIANT converted;
  if (const HRESULT result = Converted(parameter, VT_I4, &converted); FAILED(result)) return result;
  *value = converted.lVal;
  return S_OK;
}

HRESULT DispatchArguments::GetBool(unsigned parameter, bool* value) const {
  VARIANT converted;
  if (const HRESULT result = Converted(parameter, VT_BOOL, &converted); FAILED(result)) return result;
  *value = converted.boolVal != VARIANT_FALSE;
  return S_OK;
}

HRESULT DispatchArguments::GetBytes(unsigned parameter, std::string* value) const {
  VARIANT converted;
  if (const HRESULT result = Converted(parameter, VT_BSTR, &converted); FAILED(result)) return result;
  *value = BytesFromBstr(converted.bstrVal);
  VariantClear(&converted);
  return S_OK;
}

// The variant a VT_BYREF | VT_VARIANT argument points at when it holds `type` or nothing; nullptr when
// the argument is no such reference or the variant holds another type. Changes nothing.
VARIANT* DispatchArguments::ReferencedVariant(unsigned parameter, VARTYPE type) const {
  VARIANT* argument = Argument(parameter);
  if (argument->vt != (VT_BYREF | VT_VARIANT) || !argument->pvarVal) return nullptr;
  VARIANT* target = argument->pvarVal;
  return target->vt == type || target->vt == VT_EMPTY ? target : nullptr;
}

HRESULT DispatchArguments::CheckReference(unsigned parameter, VARTYPE type) const {
  const VARIANT* argument = Argument(parameter);
  if (argument->vt == (VT_BYREF | type) && argument->byref) return S_OK;
  if (ReferencedVariant(parameter, type)) return S_OK;
  return Mismatch(parameter);
}

HRESULT DispatchArguments::GetLongReference(unsigned parameter, std::int32_t** slot) const {
  VARIANT* argument = Argument(parameter);
  if (argument->vt == (VT_BYREF | VT_I4) && argument->plVal) {
    *slot = argument->plVal;
  } else if (VARIANT* target = ReferencedVariant(parameter, VT_I4)) {
    *slot = &Typed(target, VT_I4)->lVal;
  } else {
    return Mismatch(parameter);
  }
  return S_OK;
}

HRESULT DispatchArguments::GetBstrReference(unsigned parameter, BSTR** slot) const {
  VARIANT* argument = Argument(parameter);
  if (argument->vt == (VT_BYREF | VT_BSTR) && argument->pbstrVal) {
    *slot = argument->pbstrVal;
  } else if (VARIANT* target = ReferencedVariant(parameter, VT_BSTR)) {
    *slot = &Typed(target, VT_BSTR)->bstrVal;
  } else {
    return Mismatch(parameter);
  }
  return S_OK;
}

}  // namespace ole
