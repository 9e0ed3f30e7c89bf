#include "platform/ole/dispatch_driver.h"

#include "platform/ole/automation_string.h"

namespace ole {

void DispatchDriver::Reset() {
  object_.Reset();
  ids_.clear();
}

DISPID DispatchDriver::IdOf(std::string_view name) {
  if (const auto known = ids_.find(name); known != ids_.end()) return known->second;
  DISPID id = DISPID_UNKNOWN;
  if (object_) {
    std::u16string wide = Utf16FromBytes(name);
    OLECHAR* names[] = {wide.data()};
    if (FAILED(object_->GetIDsOfNames(GUID_NULL, names, 1, 0, &id))) id = DISPID_UNKNOWN;
  }
  ids_.emplace(std::string(name), id);
  return id;
}

HRESULT DispatchDriver::Invoke(DISPID id, WORD flags, std::span<VARIANT> arguments, VARIANT* result) {
  if (!object_) return E_POINTER;
  if (id == DISPID_UNKNOWN) return DISP_E_MEMBERNOTFOUND;
  DISPID named = DISPID_PROPERTYPUT;
  const bool put = flags == DISPATCH_PROPERTYPUT;
  DISPPARAMS params{arguments.data(), put ? &named : nullptr, static_cast<unsigned>(arguments.size()),
                    put ? 1u : 0u};
  EXCEPINFO exception;
  last_argument_error_ = 0;
  const HRESULT outcome =
      object_->Invoke(id, GUID_NULL, 0, flags, &params, result, &exception, &last_argument_error_);
  last_exception_code_ = exception.scode;
  ClearExcepInfo(&exception);
  return outcome;
}

HRESULT DispatchDriver::Put(std::string_view name, VARIANT& value) {
  return Invoke(IdOf(name), DISPATCH_PROPERTYPUT, std::span<VARIANT>(&value, 1), nullptr);
}

HRESULT DispatchDriver::Get(std::string_view name, VARIANT& result) {
  return Invoke(IdOf(name), DISPATCH_PROPERTYGET, {}, &result);
}

HRESULT DispatchDriver::Call(std::string_view name, std::span<VARIANT> arguments, VARIANT* result) {
  return Invoke(IdOf(name), DISPATCH_METHOD, arguments, result);
}

HRESULT DispatchDriver::PutBool(std::string_view name, bool value) {
  return Put(name, *Variant::Bool(value).get());
}

HRESULT DispatchDriver::PutLong(std::string_view name, std::int32_t value) {
  return Put(name, *Variant(value).get());
}

HRESULT DispatchDriver::PutText(std::string_view name, std::string_view bytes) {
  return Put(name, *Variant::FromBytes(bytes).get());
}

bool DispatchDriver::GetBool(std::string_view name) {
  Variant result;
  return SUCCEEDED(Get(name, *result.get())) && IsTrue(*result.get());
}

std::int32_t DispatchDriver::GetLong(std::string_view name) {
  Variant result;
  return SUCCEEDED(Get(name, *result.get())) && result.type() == VT_I4 ? result.get()->lVal : 0;
}

std::string DispatchDriver::GetText(std::string_view name) {
  Variant result;
  if (FAILED(Get(name, *result.get())) || result.type() != VT_BSTR) return {};
  return BytesFromBstr(result.get()->bstrVal);
}

bool DispatchDriver::CallBool(std::string_view name, std::span<VARIANT> arguments) {
  Variant result;
  return SUCCEEDED(Call(name, arguments, result.get())) && IsTrue(*result.get());
}

VARIANT ByReference(BSTR* text) {
  VARIANT value{};
  value.vt = VT_BYREF | VT_BSTR;
  value.pbstrVal = text;
  return value;
}

VARIANT ByReference(std::int32_t* number) {
  VARIANT value{};
  value.vt = VT_BYREF | VT_I4;
  value.plVal = number;
  return value;
}

VARIANT ByValue(std::int32_t number) {
  VARIANT value{};
  value.vt = VT_I4;
  value.lVal = number;
  return value;
}

bool IsTrue(const VARIANT& result) {
  return result.vt == VT_BOOL && result.boolVal != VARIANT_FALSE;
}

}  // namespace ole
