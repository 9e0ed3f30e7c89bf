#include "tools/zarn-find/host_objects.h"

#include "control/surface/zarn_identities.h"

namespace zarn_find {

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
