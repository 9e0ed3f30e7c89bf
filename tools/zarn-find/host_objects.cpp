#include "tools/zarn-find/host_objects.h"

#include "control/surface/zarn_identities.h"

namespace zarn_find {

void* HostSite::Find(const ole::IID& iid) {
  if (iid == ole::IID_IUnknown || iid == ole::IID_IOleClientSite) return static_cast<ole::IOleClientSite*>(this);
  if (iid == ole::IID_IDispatch) return static_cast<ole::IDispatch*>(this);
  return nullptr;
}

ole::HRESULT HostSite::GetTypeInfoCount(unsigned* count) {
  if (!count) return ole::E_POINTER;
  *count = 0;
  return ole::S_OK;
}

ole::HRESULT HostSite::Invoke(ole::DISPID id, const ole::IID&, ole::LCID, ole::WORD flags, ole::DISPPARAMS*,
                              ole::VARIANT* result, ole::EXCEPINFO*, unsigned*) {
  if (id != ole::DISPID_AMBIENT_DISPLAYNAME || !(flags & ole::DISPATCH_PROPERTYGET)) return ole::DISP_E_MEMBERNOTFOUND;
  if (!result) return ole::E_POINTER;
  result->vt = ole::VT_BSTR;
  result->bstrVal = ole::BstrFromBytes(display_name_);
  return ole::S_OK;
}

void* EventSink::Find(const ole::IID& iid) {
  return iid == ole::IID_IUnknown || iid == ole::IID_IDispatch || iid == zarn::IID__DZarnEvents
             ? static_cast<ole::IDispatch*>(this)
             : nullptr;
}

ole::HRESULT EventSink::GetTypeInfoCount(unsigned* count) {
  if (!count) return ole::E_POINTER;
  *count = 0;
  return ole::S_OK;
}

ole::HRESULT EventSink::Invoke(ole::DISPID id, const ole::IID&, ole::LCID, ole::WORD, ole::DISPPARAMS* params,
                               ole::VARIANT*, ole::EXCEPINFO*, unsigned*) {
  if (id == zarn::kDispidScanCompleted && handlers_.scan_completed) {
    handlers_.scan_completed();
  } else if (id == zarn::kDispidOnError && handlers_.error && params && params->cArgs == 2) {
    // Arguments last to first: ErrorString (by reference), ErrorCode.
    const ole::VARIANT& text = params->rgvarg[0];
    const ole::VARIANT& code = params->rgvarg[1];
    const ole::BSTR message = text.vt == (ole::VT_BYREF | ole::VT_BSTR) ? *text.pbstrVal : nullptr;
    handlers_.error(code.vt == ole::VT_I4 ? code.lVal : 0, ole::BytesFromBstr(message));
  }
  return ole::S_OK;
}

}  // namespace zarn_find
