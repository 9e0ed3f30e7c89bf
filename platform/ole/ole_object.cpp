#include "platform/ole/ole_object.h"

namespace ole {

std::string AmbientDisplayName(IOleClientSite* site) {
  if (!site) return {};
  ComPtr<IDispatch> ambient;
  if (FAILED(site->QueryInterface(IID_IDispatch, ambient.OutVoid())) || !ambient) return {};
  DISPPARAMS no_arguments;
  VARIANT result;
  VariantInit(&result);
  std::string name;
  if (SUCCEEDED(ambient->Invoke(DISPID_AMBIENT_DISPLAYNAME, GUID_NULL, 0, DISPATCH_PROPERTYGET, &no_arguments,
                                &result, nullptr, nullptr)) &&
      result.vt == VT_BSTR)
    name = BytesFromBstr(result.bstrVal);
  VariantClear(&result);
  return name;
}

}  // namespace ole
