// Embedding a control in a container: the container gives the control its site (IOleObject::
// SetClientSite); the control asks the site for ambient properties (through the site's IDispatch, e.g.
// DISPID_AMBIENT_DISPLAYNAME) and keeps the size the container asks about. Only the members our controls
// and hosts use are here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ole/dispatch.h"
#include "platform/ole/property_page.h"
#include "platform/window/device_context.h"

namespace ole {

inline constexpr IID IID_IOleClientSite = MakeGuid("00000118-0000-0000-C000-000000000046");
inline constexpr IID IID_IOleObject = MakeGuid("00000112-0000-0000-C000-000000000046");

struct IOleClientSite : IUnknown {
  virtual HRESULT SaveObject() = 0;
  virtual HRESULT ShowObject() = 0;
  virtual HRESULT OnShowWindow(bool show) = 0;
  virtual HRESULT RequestNewObjectLayout() = 0;

 protected:
  ~IOleClientSite() = default;
};

// A size in HIMETRIC units (hundredths of a millimetre).
struct SIZEL {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
};

// A verb an object offers its container's user (Properties, Edit, ...).
struct OLEVERB {
  std::int32_t verb;
  std::string name;  // "&" marks the access key
};
inline constexpr std::int32_t OLEIVERB_PRIMARY = 0;
inline constexpr std::int32_t OLEIVERB_PROPERTIES = -7;
inline constexpr std::uint32_t DVASPECT_CONTENT = 1;

struct IOleObject : IUnknown {
  virtual HRESULT SetClientSite(IOleClientSite* site) = 0;
  virtual HRESULT GetClientSite(IOleClientSite** site) = 0;
  virtual HRESULT Close(std::uint32_t save_option) = 0;
  virtual HRESULT SetExtent(std::uint32_t aspect, SIZEL* size) = 0;
  virtual HRESULT GetExtent(std::uint32_t aspect, SIZEL* size) = 0;
  // Carries out `verb`; `parent` is the container's window for anything the verb shows.
  virtual HRESULT DoVerb(std::int32_t verb, IOleClientSite* site, win::HWND parent) = 0;
  virtual HRESULT EnumVerbs(std::vector<OLEVERB>* verbs) = 0;

 protected:
  ~IOleObject() = default;
};

// Drawing an object into a device context of its container.
inline constexpr IID IID_IViewObject = MakeGuid("0000010D-0000-0000-C000-000000000046");
struct IViewObject : IUnknown {
  virtual HRESULT Draw(std::uint32_t aspect, win::HDC device, const RECT& bounds) = 0;

 protected:
  ~IViewObject() = default;
};

// The ambient display name the site reports; "" when the site has none (or is null).
std::string AmbientDisplayName(IOleClientSite* site);
// The ambient background colour (0x00BBGGRR) the site reports, or `fallback`.
std::uint32_t AmbientBackColor(IOleClientSite* site, std::uint32_t fallback);

// Extents: HIMETRIC (hundredths of a millimetre) from pixels at 96 per inch, and back.
std::int32_t HimetricFromPixels(std::int32_t pixels);
std::int32_t PixelsFromHimetric(std::int32_t himetric);

}  // namespace ole
