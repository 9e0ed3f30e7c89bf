#include "tools/zarn-testcon/hosted_control.h"

#include "platform/ole/object_creation.h"
#include "platform/ole/ole_object.h"

namespace testcon {

std::unique_ptr<HostedControl> HostedControl::Create(const ole::CLSID& clsid, const std::string& display_name,
                                                     EventHandler on_event, ole::HRESULT* result) {
  ole::ComPtr<ole::IDispatch> object;
  *result = ole::CoCreateInstance(clsid, nullptr, ole::IID_IDispatch, object.OutVoid());
  if (ole::SUCCEEDED(*result) && !object) *result = ole::E_NOINTERFACE;
  if (ole::FAILED(*result)) return nullptr;
  std::unique_ptr<HostedControl> control(new HostedControl(clsid, std::move(object)));
  control->Describe();
  control->Site(display_name);
  control->Advise(std::move(on_event));
  return control;
}

HostedControl::HostedControl(const ole::CLSID& clsid, ole::ComPtr<ole::IDispatch> object)
    : clsid_(clsid), object_(std::move(object)) {}

HostedControl::~HostedControl() {
  events_.Disconnect();
  if (const auto embedded = object_.As<ole::IOleObject>(ole::IID_IOleObject))
    embedded->SetClientSite(nullptr);
  object_.Reset();  // the control ends here (its last reference)
}

void HostedControl::Describe() {
  library_ = ole::TypeLibraryOfClass(clsid_);
  if (!library_) return;
  for (const ole::ClassDescription& described : library_->classes)
    if (described.clsid == clsid_) class_ = &described;
}

const ole::InterfaceDescription* HostedControl::Members() const {
  return class_ ? library_->FindInterface(class_->default_interface) : nullptr;
}

const ole::InterfaceDescription* HostedControl::Events() const {
  return class_ ? library_->FindInterface(class_->default_source) : nullptr;
}

void HostedControl::Site(const std::string& display_name) {
  const auto embedded = object_.As<ole::IOleObject>(ole::IID_IOleObject);
  if (!embedded) return;
  site_ = ole::MakeObject<ole::DisplayNameSite>(display_name);
  sited_ = embedded->SetClientSite(static_cast<ole::IOleClientSite*>(site_.Get()));
}

void HostedControl::Advise(EventHandler on_event) {
  if (!class_) return;  // without a description the source interface is not known
  const ole::IID& source = class_->default_source;
  advised_ =
      events_.Connect(object_.Get(), source,
                      ole::MakeObject<ole::EventSink>(
                          source, std::map<ole::DISPID, ole::EventSink::Handler>{}, std::move(on_event)));
}

CallOutcome HostedControl::Invoke(ole::DISPID id, ole::WORD flags, ole::DISPPARAMS& params,
                                  ole::VARIANT* result) {
  ole::EXCEPINFO exception;
  CallOutcome outcome;
  outcome.result =
      object_->Invoke(id, ole::GUID_NULL, 0, flags, &params, result, &exception, &outcome.argument_error);
  outcome.TakeException(exception);
  return outcome;
}

CallOutcome HostedControl::Get(ole::DISPID id, ole::Variant& value) {
  ole::DISPPARAMS none;
  return Invoke(id, ole::DISPATCH_PROPERTYGET, none, value.out());
}

CallOutcome HostedControl::Put(ole::DISPID id, ole::Variant& value) {
  ole::DISPID named = ole::DISPID_PROPERTYPUT;
  ole::DISPPARAMS params{value.get(), &named, 1, 1};
  return Invoke(id, ole::DISPATCH_PROPERTYPUT, params, nullptr);
}

}  // namespace testcon
