#include "tools/zarn-find/zarn_client.h"

#include "control/surface/zarn_identities.h"
#include "platform/ole/object_creation.h"

namespace zarn_find {

namespace {
ole::VARIANT Boolean(bool value) {
  ole::VARIANT v;
  v.vt = ole::VT_BOOL;
  v.boolVal = value ? ole::VARIANT_TRUE : ole::VARIANT_FALSE;
  return v;
}
}  // namespace

ZarnClient::ZarnClient(const std::string& display_name, EventSink::Handlers handlers) {
  ole::CLSID clsid;
  created_ = ole::CLSIDFromProgID(zarn::kZarnProgId, &clsid);
  if (ole::SUCCEEDED(created_))
    created_ = ole::CoCreateInstance(clsid, nullptr, ole::IID_IDispatch, control_.OutVoid());
  if (ole::FAILED(created_)) return;
  site_ = ole::MakeObject<ole::DisplayNameSite>(display_name);
  if (const auto embedded = control_.As<ole::IOleObject>(ole::IID_IOleObject))
    embedded->SetClientSite(static_cast<ole::IOleClientSite*>(site_.Get()));
  Advise(std::move(handlers));
}

ZarnClient::~ZarnClient() {
  if (events_point_) events_point_->Unadvise(events_cookie_);
  events_point_.Reset();
  if (control_)
    if (const auto embedded = control_.As<ole::IOleObject>(ole::IID_IOleObject))
      embedded->SetClientSite(nullptr);
  control_.Reset();
  ole::SysFreeString(path_);
  ole::SysFreeString(text_);
}

void ZarnClient::Advise(EventSink::Handlers handlers) {
  const auto container = control_.As<ole::IConnectionPointContainer>(ole::IID_IConnectionPointContainer);
  if (!container || ole::FAILED(container->FindConnectionPoint(zarn::IID__DZarnEvents, events_point_.Out())))
    return;
  const auto sink = ole::MakeObject<EventSink>(std::move(handlers));
  events_point_->Advise(static_cast<ole::IDispatch*>(sink.Get()), &events_cookie_);
}

ole::DISPID ZarnClient::Id(const char* name) {
  if (const auto found = ids_.find(name); found != ids_.end()) return found->second;
  std::u16string wide = ole::Utf16FromBytes(name);
  ole::OLECHAR* names[] = {wide.data()};
  ole::DISPID id = ole::DISPID_UNKNOWN;
  control_->GetIDsOfNames(ole::GUID_NULL, names, 1, 0, &id);
  ids_.emplace(name, id);
  return id;
}

ole::HRESULT ZarnClient::Invoke(ole::DISPID id, ole::WORD flags, ole::DISPPARAMS& params,
                                ole::VARIANT* result) {
  return control_->Invoke(id, ole::GUID_NULL, 0, flags, &params, result, nullptr, nullptr);
}

void ZarnClient::Put(const char* name, ole::VARIANT& value) {
  ole::DISPID named = ole::DISPID_PROPERTYPUT;
  ole::DISPPARAMS params{&value, &named, 1, 1};
  Invoke(Id(name), ole::DISPATCH_PROPERTYPUT, params, nullptr);
}

void ZarnClient::SetBool(const char* name, bool value) {
  ole::VARIANT v = Boolean(value);
  Put(name, v);
}

void ZarnClient::SetLong(const char* name, std::int32_t value) {
  ole::VARIANT v;
  v.vt = ole::VT_I4;
  v.lVal = value;
  Put(name, v);
}

void ZarnClient::SetText(const char* name, std::string_view bytes) {
  ole::VARIANT v;
  v.vt = ole::VT_BSTR;
  v.bstrVal = ole::BstrFromBytes(bytes);
  Put(name, v);
  ole::VariantClear(&v);
}

std::int32_t ZarnClient::GetLong(const char* name) {
  ole::DISPPARAMS none;
  ole::VARIANT result;
  ole::VariantInit(&result);
  Invoke(Id(name), ole::DISPATCH_PROPERTYGET, none, &result);
  return result.vt == ole::VT_I4 ? result.lVal : 0;
}

bool ZarnClient::GetBool(const char* name) {
  ole::DISPPARAMS none;
  ole::VARIANT result;
  ole::VariantInit(&result);
  Invoke(Id(name), ole::DISPATCH_PROPERTYGET, none, &result);
  return result.vt == ole::VT_BOOL && result.boolVal != ole::VARIANT_FALSE;
}

bool ZarnClient::CallBool(const char* name, std::string_view text_argument, bool with_argument) {
  ole::VARIANT argument;
  argument.vt = ole::VT_BSTR;
  argument.bstrVal = with_argument ? ole::BstrFromBytes(text_argument) : nullptr;
  ole::DISPPARAMS params{&argument, nullptr, with_argument ? 1u : 0u, 0};
  ole::VARIANT result;
  ole::VariantInit(&result);
  Invoke(Id(name), ole::DISPATCH_METHOD, params, &result);
  ole::VariantClear(&argument);
  return result.vt == ole::VT_BOOL && result.boolVal != ole::VARIANT_FALSE;
}

void ZarnClient::Call(const char* name) {
  ole::DISPPARAMS none;
  Invoke(Id(name), ole::DISPATCH_METHOD, none, nullptr);
}

bool ZarnClient::GetFileData(std::int32_t number) {
  ole::VARIANT arguments[5];  // last to first: TextFound, ColumnNumber, LineNumber, FilePath, RecordNumber
  arguments[0].vt = ole::VT_BYREF | ole::VT_BSTR;
  arguments[0].pbstrVal = &text_;
  arguments[1].vt = ole::VT_BYREF | ole::VT_I4;
  arguments[1].plVal = &column_;
  arguments[2].vt = ole::VT_BYREF | ole::VT_I4;
  arguments[2].plVal = &line_;
  arguments[3].vt = ole::VT_BYREF | ole::VT_BSTR;
  arguments[3].pbstrVal = &path_;
  arguments[4].vt = ole::VT_I4;
  arguments[4].lVal = number;
  ole::DISPPARAMS params{arguments, nullptr, 5, 0};
  ole::VARIANT result;
  ole::VariantInit(&result);
  if (get_file_data_ == ole::DISPID_UNKNOWN) get_file_data_ = Id("GetFileData");
  Invoke(get_file_data_, ole::DISPATCH_METHOD, params, &result);
  return result.vt == ole::VT_BOOL && result.boolVal != ole::VARIANT_FALSE;
}

}  // namespace zarn_find
