#include "platform/ole/display_name_site.h"

namespace ole {

void* DisplayNameSite::Find(const IID& iid) {
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) return static_cast<IOleClientSite*>(this);
  if (iid == IID_IDispatch) return static_cast<IDispatch*>(this);
  return nullptr;
}

HRESULT DisplayNameSite::GetTypeInfoCount(unsigned* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT DisplayNameSite::Invoke(DISPID id, const IID&, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                EXCEPINFO*, unsigned*) {
  if (id != DISPID_AMBIENT_DISPLAYNAME || !(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
  if (!result) return E_POINTER;
  result->vt = VT_BSTR;
  result->bstrVal = BstrFromBytes(display_name_);
  return S_OK;
}

}  // namespace ole
