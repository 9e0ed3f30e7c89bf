#include "control/automation/zarn_automation.h"

#include "control/dialogs/about_box.h"

#include "control/automation/zarn_type_library.h"
#include "platform/ole/class_factory.h"

namespace zarn {

namespace {

using ole::DispatchArguments;
using ole::HRESULT;
using ole::VARIANT;

// The version stamp the container keeps: major version 1, minor version 0.
constexpr std::uint32_t kPersistedVersion = 0x00010000;

void SetBool(VARIANT* out, bool value) {
  out->vt = ole::VT_BOOL;
  out->boolVal = value ? ole::VARIANT_TRUE : ole::VARIANT_FALSE;
}

void SetLong(VARIANT* out, std::int32_t value) {
  out->vt = ole::VT_I4;
  out->lVal = value;
}

HRESULT SetText(VARIANT* out, std::string_view bytes) {
  out->vt = ole::VT_BSTR;
  out->bstrVal = ole::BstrFromBytes(bytes);
  return out->bstrVal || bytes.empty() ? ole::S_OK : ole::E_OUTOFMEMORY;
}

// Replaces the caller's string with a new one holding `bytes`.
void ReplaceString(ole::BSTR* slot, std::string_view bytes) {
  ole::SysFreeString(*slot);
  *slot = ole::BstrFromBytes(bytes);
}

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

HRESULT ZarnAutomation::Call(const ole::CheckedCall& call) {
  if (call.member.kind == ole::MemberKind::kMethod)
    return CallMethod(call.member.id, call.arguments, call.result);
  if (call.put) return PutProperty(call.member.id, call.arguments);
  return GetProperty(call.member.id, call.result);
}

HRESULT ZarnAutomation::GetProperty(ole::DISPID id, VARIANT* result) {
  CZarnCtrl& c = *control_;
  switch (id) {
    case kDispidDefaultSearchString:
    case kDispidSearchString:
      return SetText(result, c.GetSearchString());
    case kDispidSearchPath:
      return SetText(result, c.GetSearchPath());
    case kDispidSearchExt:
      return SetText(result, c.GetSearchExt());
    case kDispidSearchCount:
      SetLong(result, c.GetSearchCount());
      break;
    case kDispidSearchTime:
      SetLong(result, c.GetSearchTime());
      break;
    case kDispidThreadPriority:
      SetLong(result, c.GetThreadPriority());
      break;
    case kDispidCaseSensitive:
      SetBool(result, c.GetCaseSensitive());
      break;
    case kDispidLookInSubfolders:
      SetBool(result, c.GetLookInSubfolders());
      break;
    case kDispidWholeWordOnly:
      SetBool(result, c.GetWholeWordOnly());
      break;
    case kDispidRegularExpression:
      SetBool(result, c.GetRegularExpression());
      break;
    case kDispidSupportOfficeDocs:
      SetBool(result, c.GetSupportOfficeDocs());
      break;
    case kDispidSearchActive:
      SetBool(result, c.GetSearchActive());
      break;
    default:
      return ole::DISP_E_MEMBERNOTFOUND;
  }
  return ole::S_OK;
}

HRESULT ZarnAutomation::PutProperty(ole::DISPID id, const DispatchArguments& arguments) {
  CZarnCtrl& c = *control_;
  bool changed = false;
  if (id == kDispidThreadPriority) {
    std::int32_t value = 0;
    if (const HRESULT result = arguments.GetLong(0, &value); ole::FAILED(result)) return result;
    changed = c.SetThreadPriority(value);
  } else if (id == kDispidDefaultSearchString || id == kDispidSearchString || id == kDispidSearchPath ||
             id == kDispidSearchExt) {
    std::string value;
    if (const HRESULT result = arguments.GetBytes(0, &value); ole::FAILED(result)) return result;
    changed = id == kDispidSearchPath  ? c.SetSearchPath(value)
              : id == kDispidSearchExt ? c.SetSearchExt(value)
                                       : c.SetSearchString(value);
  } else {
    bool value = false;
    if (const HRESULT result = arguments.GetBool(0, &value); ole::FAILED(result)) return result;
    switch (id) {
      case kDispidCaseSensitive:
        changed = c.SetCaseSensitive(value);
        break;
      case kDispidLookInSubfolders:
        changed = c.SetLookInSubfolders(value);
        break;
      case kDispidWholeWordOnly:
        changed = c.SetWholeWordOnly(value);
        break;
      case kDispidRegularExpression:
        changed = c.SetRegularExpression(value);
        break;
      case kDispidSupportOfficeDocs:
        changed = c.SetSupportOfficeDocs(value);
        break;
      default:
        return ole::DISP_E_MEMBERNOTFOUND;
    }
  }
  if (changed) PropertyChanged(id);
  return ole::S_OK;
}

HRESULT ZarnAutomation::CallMethod(ole::DISPID id, const DispatchArguments& arguments, VARIANT* result) {
  switch (id) {
    case kDispidAbort:
      control_->Abort();
      return ole::S_OK;
    case kDispidAboutBox:
      return ShowAboutBox(control_->Window()) ? ole::S_OK : ole::E_FAIL;  // E_FAIL: no user interface
    case kDispidBegin:
      SetBool(result, control_->Begin());
      return ole::S_OK;
    case kDispidGetFileData:
      return GetFileData(arguments, result);
    case kDispidSaveDataToTabFile: {
      std::string file;
      if (const HRESULT failed = arguments.GetBytes(0, &file); ole::FAILED(failed)) return failed;
      SetBool(result, control_->SaveDataToTabFile(file));
      return ole::S_OK;
    }
    case kDispidSaveOfficeDocAsText: {
      std::string source, target;
      if (const HRESULT failed = arguments.GetBytes(0, &source); ole::FAILED(failed)) return failed;
      if (const HRESULT failed = arguments.GetBytes(1, &target); ole::FAILED(failed)) return failed;
      SetBool(result, control_->SaveOfficeDocAsText(source, target));
      return ole::S_OK;
    }
    default:
      return ole::DISP_E_MEMBERNOTFOUND;
  }
}

// GetFileData(RecordNumber, FilePath, LineNumber, ColumnNumber, TextFound): the four out-parameters are
// changed only when the record exists; the caller's strings are freed and new ones take their place. A
// refused call (a parameter of the wrong kind, or 506) leaves each of them as it was, so the references
// are only checked until the record has been found: taking one makes an empty variant a typed one.
HRESULT ZarnAutomation::GetFileData(const DispatchArguments& arguments, VARIANT* result) {
  std::int32_t number = 0;
  HRESULT checked = arguments.GetLong(0, &number);
  if (ole::SUCCEEDED(checked)) checked = arguments.CheckReference(1, ole::VT_BSTR);
  if (ole::SUCCEEDED(checked)) checked = arguments.CheckReference(2, ole::VT_I4);
  if (ole::SUCCEEDED(checked)) checked = arguments.CheckReference(3, ole::VT_I4);
  if (ole::SUCCEEDED(checked)) checked = arguments.CheckReference(4, ole::VT_BSTR);
  if (ole::FAILED(checked)) return checked;
  FindingView record{};
  const bool found = control_->GetFileData(number, &record);
  if (found) {
    ole::BSTR* path = nullptr;
    ole::BSTR* text = nullptr;
    std::int32_t* line = nullptr;
    std::int32_t* column = nullptr;
    // Fails only when two parameters name one variant that must hold a string and a number at once.
    checked = arguments.GetBstrReference(1, &path);
    if (ole::SUCCEEDED(checked)) checked = arguments.GetLongReference(2, &line);
    if (ole::SUCCEEDED(checked)) checked = arguments.GetLongReference(3, &column);
    if (ole::SUCCEEDED(checked)) checked = arguments.GetBstrReference(4, &text);
    if (ole::FAILED(checked)) return checked;
    *column = record.column_number;
    ReplaceString(path, record.file_path);
    *line = record.line_number;
    ReplaceString(text, record.text_found);
  }
  SetBool(result, found);
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
  SetLong(&arguments[1], code);
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
