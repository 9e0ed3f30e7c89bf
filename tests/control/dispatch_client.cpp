#include "tests/control/dispatch_client.h"

namespace zarn::test {

ole::DISPID DispatchClient::Id(const std::string& name) const {
  std::u16string wide = ole::Utf16FromBytes(name);
  ole::OLECHAR* names[] = {wide.data()};
  ole::DISPID id = ole::DISPID_UNKNOWN;
  object_->GetIDsOfNames(ole::GUID_NULL, names, 1, 0, &id);
  return id;
}

ole::HRESULT DispatchClient::Get(const std::string& name, ole::VARIANT* value) const {
  ole::DISPPARAMS none;
  ole::ClearExcepInfo(&exception_);
  return object_->Invoke(Id(name), ole::GUID_NULL, 0, ole::DISPATCH_PROPERTYGET, &none, value, &exception_,
                         &argument_error_);
}

ole::HRESULT DispatchClient::Put(const std::string& name, const ole::VARIANT& value) {
  ole::VARIANT argument = value;
  ole::DISPID named = ole::DISPID_PROPERTYPUT;
  ole::DISPPARAMS params{&argument, &named, 1, 1};
  ole::ClearExcepInfo(&exception_);
  return object_->Invoke(Id(name), ole::GUID_NULL, 0, ole::DISPATCH_PROPERTYPUT, &params, nullptr, &exception_,
                         &argument_error_);
}

ole::HRESULT DispatchClient::Call(const std::string& name, std::vector<ole::VARIANT> arguments, ole::VARIANT* result) {
  std::vector<ole::VARIANT> reversed(arguments.rbegin(), arguments.rend());
  ole::DISPPARAMS params{reversed.data(), nullptr, static_cast<unsigned>(reversed.size()), 0};
  ole::ClearExcepInfo(&exception_);
  const ole::HRESULT outcome = object_->Invoke(Id(name), ole::GUID_NULL, 0, ole::DISPATCH_METHOD, &params, result,
                                               &exception_, &argument_error_);
  for (ole::VARIANT& argument : arguments)
    if (!(argument.vt & ole::VT_BYREF)) ole::VariantClear(&argument);
  return outcome;
}

std::string DispatchClient::GetText(const std::string& name) const {
  ole::VARIANT value;
  ole::VariantInit(&value);
  Get(name, &value);
  std::string bytes = value.vt == ole::VT_BSTR ? ole::BytesFromBstr(value.bstrVal) : "(not text)";
  ole::VariantClear(&value);
  return bytes;
}

std::int32_t DispatchClient::GetLong(const std::string& name) const {
  ole::VARIANT value;
  ole::VariantInit(&value);
  Get(name, &value);
  return value.vt == ole::VT_I4 ? value.lVal : -999;
}

bool DispatchClient::GetBool(const std::string& name) const {
  ole::VARIANT value;
  ole::VariantInit(&value);
  Get(name, &value);
  return value.vt == ole::VT_BOOL && value.boolVal == ole::VARIANT_TRUE;
}

ole::HRESULT DispatchClient::PutText(const std::string& name, const std::string& bytes) {
  ole::VARIANT value = TextArgument(bytes);
  const ole::HRESULT outcome = Put(name, value);
  ole::VariantClear(&value);
  return outcome;
}

ole::HRESULT DispatchClient::PutBool(const std::string& name, bool value) { return Put(name, BoolArgument(value)); }
ole::HRESULT DispatchClient::PutLong(const std::string& name, std::int32_t value) {
  return Put(name, LongArgument(value));
}

bool DispatchClient::CallBool(const std::string& name, std::vector<ole::VARIANT> arguments) {
  ole::VARIANT result;
  ole::VariantInit(&result);
  Call(name, std::move(arguments), &result);
  return result.vt == ole::VT_BOOL && result.boolVal == ole::VARIANT_TRUE;
}

ole::VARIANT LongArgument(std::int32_t value) {
  ole::VARIANT v;
  v.vt = ole::VT_I4;
  v.lVal = value;
  return v;
}

ole::VARIANT BoolArgument(bool value) {
  ole::VARIANT v;
  v.vt = ole::VT_BOOL;
  v.boolVal = value ? ole::VARIANT_TRUE : ole::VARIANT_FALSE;
  return v;
}

ole::VARIANT TextArgument(const std::string& bytes) {
  ole::VARIANT v;
  v.vt = ole::VT_BSTR;
  v.bstrVal = ole::BstrFromBytes(bytes);
  return v;
}

}  // namespace zarn::test
