// How the control appears in a container while a program is designed: a fixed 32 by 32 pixel extent,
// its rectangle in the ambient background colour with icon 203 at the top-left corner, the verbs
// Properties and Edit, and its property pages.
#include "control/automation/zarn_automation.h"
#include "control/dialogs/zarn_pictures.h"
#include "control/dialogs/zarn_resources.h"
#include "platform/ole/property_frame.h"

namespace zarn {

namespace {

constexpr std::int32_t kSidePixels = 32;
constexpr std::uint32_t kWindowColour = 0x00FFFFFF;  // when the site has no background colour

ole::SIZEL FixedExtent() {
  return {ole::HimetricFromPixels(kSidePixels), ole::HimetricFromPixels(kSidePixels)};
}

}  // namespace

ole::HRESULT ZarnAutomation::SetExtent(std::uint32_t aspect, ole::SIZEL* size) {
  if (!size) return ole::E_POINTER;
  if (aspect != ole::DVASPECT_CONTENT) return ole::E_FAIL;
  *size = FixedExtent();  // the size stays 32 by 32 pixels, and the caller learns it
  return ole::S_OK;
}

ole::HRESULT ZarnAutomation::GetExtent(std::uint32_t aspect, ole::SIZEL* size) {
  if (!size) return ole::E_POINTER;
  if (aspect != ole::DVASPECT_CONTENT) return ole::E_FAIL;
  *size = FixedExtent();
  return ole::S_OK;
}

ole::HRESULT ZarnAutomation::EnumVerbs(std::vector<ole::OLEVERB>* verbs) {
  if (!verbs) return ole::E_POINTER;
  *verbs = {{ole::OLEIVERB_PROPERTIES, "&Properties..."}, {ole::OLEIVERB_PRIMARY, "&Edit"}};
  return ole::S_OK;
}

ole::HRESULT ZarnAutomation::DoVerb(std::int32_t verb, ole::IOleClientSite*, win::HWND parent) {
  if (verb == ole::OLEIVERB_PRIMARY) return ole::S_OK;
  if (verb != ole::OLEIVERB_PROPERTIES) return ole::E_NOTIMPL;
  std::vector<ole::CLSID> pages;
  GetPages(&pages);
  return ole::OleCreatePropertyFrame(parent, LoadString(kStringControlTypeName),
                                     {static_cast<ole::IDispatch*>(this)}, pages);
}

ole::HRESULT ZarnAutomation::Draw(std::uint32_t aspect, win::HDC device, const ole::RECT& bounds) {
  if (!device) return ole::E_POINTER;
  if (aspect != ole::DVASPECT_CONTENT) return ole::E_FAIL;
  device->FillRect(bounds.left, bounds.top, bounds.right, bounds.bottom,
                   ole::AmbientBackColor(site_.Get(), kWindowColour));
  device->DrawImage(bounds.left, bounds.top, DesignTimeIcon());
  return ole::S_OK;
}

ole::HRESULT ZarnAutomation::GetPages(std::vector<ole::CLSID>* pages) {
  if (!pages) return ole::E_POINTER;
  *pages = {CLSID_ZarnPropPage, CLSID_ZarnAboutPage};
  return ole::S_OK;
}

}  // namespace zarn
