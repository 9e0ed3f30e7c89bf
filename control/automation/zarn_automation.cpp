#include "control/automation/zarn_automation.h"

#include "control/automation/zarn_member_calls.h"
#include "control/automation/zarn_members.h"
#include "control/automation/zarn_type_library.h"
#include "platform/ole/class_factory.h"

namespace zarn {

namespace {

using ole::HRESULT;
using ole::VARIANT;

// The version stamp the container keeps: major version 1, minor version 0.
constexpr std::uint32_t kPersistedVersion = 0x00010000;

}  // namespace

ZarnAutomation::ZarnAutomation() : control_(std::make_unique<CZarnCtrl>()) {
  ole::ModuleLife::ObjectCreated();
  control_->SetEventSink(this);
}

ZarnAutomation::~ZarnAutomation() {
  ole::ModuleLife::ObjectDestroyed();
  control_->SetEventSink(nullptr);
  control_.reset();
  events_.UnadviseAll();
  property_sinks_.UnadviseAll();
}

void* ZarnAutomation::Find(const ole::IID& iid) {
  if (iid == ole::IID_IUnknown || iid == ole::IID_IDispatch || iid == IID__DZarn)
    return static_cast<ole::IDispatch*>(this);
  if (iid == IID__DZarnPace) return static_cast<ole::IDispatch*>(&pace_);
  if (iid == ole::IID_IConnectionPointContainer) return static_cast<ole::IConnectionPointContainer*>(this);
  if (iid == ole::IID_IOleObject) return static_cast<ole::IOleObject*>(this);
  if (iid == ole::IID_IPersistStreamInit) return static_cast<ole::IPersistStreamInit*>(this);
  if (iid == ole::IID_IViewObject) return static_cast<ole::IViewObject*>(this);
  if (iid == ole::IID_ISpecifyPropertyPages) return static_cast<ole::ISpecifyPropertyPages*>(this);
  return nullptr;
}

HRESULT ZarnAutomation::GetTypeInfoCount(unsigned* count) {
  if (!count) return ole::E_POINTER;
  *count = 0;
  return ole::S_OK;
}

HRESULT ZarnAutomation::GetIDsOfNames(const ole::IID&, ole::OLECHAR** names, unsigned count, ole::LCID,
                                      ole::DISPID* ids) {
  return ole::GetIDsOfDescribedNames(ZarnDispatchInterface(), names, count, ids);
}

HRESULT ZarnAutomation::Invoke(ole::DISPID id, const ole::IID&, ole::LCID, ole::WORD flags,
                               ole::DISPPARAMS* params, VARIANT* result, ole::EXCEPINFO* exception,
                               unsigned* argument_error) {
  const ole::ComPtr<ZarnAutomation> keep_alive(this);  // a handler of an event fired here may release us
  return ole::InvokeDescribed(ZarnDispatchInterface(), id, flags, params, result, exception, argument_error,
                              [this](const ole::CheckedCall& call) { return Call(call); });
}

// The member's own call: a property is read or assigned through the control object, a method carried out.
HRESULT ZarnAutomation::Call(const ole::CheckedCall& call) {
  if (const ZarnMethod* method = FindZarnMethod(call.member.id))
    return method->call(*control_, call.arguments, call.result);
  const ZarnProperty* property = FindZarnProperty(call.member.id);
  if (!property) return ole::DISP_E_MEMBERNOTFOUND;
  if (!call.put) return ReadProperty(*property, *control_, call.result);
  bool changed = false;
  if (const HRESULT assigned = AssignProperty(*property, *control_, call.arguments, &changed);
      ole::FAILED(assigned))
    return assigned;
  if (changed) PropertyChanged(call.member.id);
  return ole::S_OK;
}

void ZarnAutomation::PropertyChanged(ole::DISPID id) {
  modified_ = true;
  for (const ole::ComPtr<ole::IPropertyNotifySink>& sink : property_sinks_.Sinks<ole::IPropertyNotifySink>())
    sink->OnChanged(id);
}

HRESULT ZarnAutomation::FindConnectionPoint(const ole::IID& iid, ole::IConnectionPoint** point) {
  if (!point) return ole::E_POINTER;
  *point = nullptr;
  ole::ConnectionPoint* found = iid == IID__DZarnEvents               ? &events_
                                : iid == ole::IID_IPropertyNotifySink ? &property_sinks_
                                                                      : nullptr;
  if (!found) return ole::CONNECT_E_NOCONNECTION;
  found->AddRef();
  *point = found;
  return ole::S_OK;
}

HRESULT ZarnAutomation::SetClientSite(ole::IOleClientSite* site) {
  site_ = ole::ComPtr<ole::IOleClientSite>(site);
  if (site) control_->UseDisplayName(ole::AmbientDisplayName(site));
  return ole::S_OK;
}

HRESULT ZarnAutomation::GetClientSite(ole::IOleClientSite** site) {
  if (!site) return ole::E_POINTER;
  *site = site_.Get();
  if (*site) (*site)->AddRef();
  return ole::S_OK;
}

ole::HRESULT ZarnAutomation::GetClassID(ole::CLSID* clsid) {
  if (!clsid) return ole::E_POINTER;
  *clsid = CLSID_Zarn;
  return ole::S_OK;
}

ole::HRESULT ZarnAutomation::Load(ole::IStream* stream) {
  if (!stream) return ole::E_POINTER;
  std::uint32_t version = 0;
  ole::ULONG read = 0;
  if (ole::FAILED(stream->Read(&version, sizeof version, &read)) || read != sizeof version)
    return ole::E_FAIL;
  return ole::S_OK;  // every version so far stores nothing else
}

ole::HRESULT ZarnAutomation::Save(ole::IStream* stream, bool clear_dirty) {
  if (!stream) return ole::E_POINTER;
  const std::uint32_t version = kPersistedVersion;
  ole::ULONG written = 0;
  if (ole::FAILED(stream->Write(&version, sizeof version, &written)) || written != sizeof version)
    return ole::E_FAIL;
  if (clear_dirty) modified_ = false;
  return ole::S_OK;
}

ole::HRESULT ZarnAutomation::GetSizeMax(std::uint64_t* size) {
  if (!size) return ole::E_POINTER;
  *size = sizeof(std::uint32_t);
  return ole::S_OK;
}

void ZarnAutomation::ScanStarted() {
  ole::DISPPARAMS none;
  FireEvent(kDispidScanStarted, none);
}

void ZarnAutomation::ScanCompleted() {
  ole::DISPPARAMS none;
  FireEvent(kDispidScanCompleted, none);
}

// OnError(ErrorCode, ErrorString): the text goes by reference; whatever string a sink leaves there is
// freed afterwards.
void ZarnAutomation::OnError(std::int32_t code, const std::string& text) {
  ole::BSTR message = ole::BstrFromBytes(text);
  VARIANT arguments[2];
  arguments[0].vt = ole::VT_BYREF | ole::VT_BSTR;
  arguments[0].pbstrVal = &message;
  arguments[1].vt = ole::VT_I4;
  arguments[1].lVal = code;
  ole::DISPPARAMS params{arguments, nullptr, 2, 0};
  FireEvent(kDispidOnError, params);
  ole::SysFreeString(message);
}

void ZarnAutomation::FireEvent(ole::DISPID id, ole::DISPPARAMS& params) {
  const ole::ComPtr<ZarnAutomation> keep_alive(this);
  for (const ole::ComPtr<ole::IDispatch>& sink : events_.Sinks<ole::IDispatch>())
    sink->Invoke(id, ole::GUID_NULL, 0, ole::DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

}  // namespace zarn
