#include "platform/ole/ole_object.h"

#include "platform/ole/variant.h"

namespace ole {

namespace {

// The ambient property `id` of the site, or an empty variant.
Variant Ambient(IOleClientSite* site, DISPID id) {
  Variant result;
  ComPtr<IDispatch> ambient;
  if (!site || FAILED(site->QueryInterface(IID_IDispatch, ambient.OutVoid())) || !ambient) return result;
  DISPPARAMS no_arguments;
  if (FAILED(ambient->Invoke(id, GUID_NULL, 0, DISPATCH_PROPERTYGET, &no_arguments, result.out(), nullptr,
                             nullptr)))
    return Variant();
  return result;
}

constexpr std::int32_t kHimetricPerInch = 2540;
constexpr std::int32_t kPixelsPerInch = 96;

}  // namespace

std::string AmbientDisplayName(IOleClientSite* site) {
  const Variant name = Ambient(site, DISPID_AMBIENT_DISPLAYNAME);
  return name.type() == VT_BSTR ? BytesFromBstr(name.get()->bstrVal) : std::string();
}

std::uint32_t AmbientBackColor(IOleClientSite* site, std::uint32_t fallback) {
  Variant colour = Ambient(site, DISPID_AMBIENT_BACKCOLOR);
  if (colour.type() == VT_EMPTY || FAILED(colour.ChangeType(VT_I4))) return fallback;
  return static_cast<std::uint32_t>(colour.get()->lVal);
}

std::int32_t HimetricFromPixels(std::int32_t pixels) {
  return (pixels * kHimetricPerInch + kPixelsPerInch / 2) / kPixelsPerInch;
}

std::int32_t PixelsFromHimetric(std::int32_t himetric) {
  return (himetric * kPixelsPerInch + kHimetricPerInch / 2) / kHimetricPerInch;
}

}  // namespace ole
