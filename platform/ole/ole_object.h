// Embedding a control in a container: the container gives the control its site (IOleObject::
// SetClientSite); the control asks the site for ambient properties (through the site's IDispatch, e.g.
// DISPID_AMBIENT_DISPLAYNAME) and keeps the size the container asks about. Only the members our controls
// and hosts use are here.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ole/dispatch.h"

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

struct IOleObject : IUnknown {
  virtual HRESULT SetClientSite(IOleClientSite* site) = 0;
  virtual HRESULT GetClientSite(IOleClientSite** site) = 0;
  virtual HRESULT Close(std::uint32_t save_option) = 0;
  virtual HRESULT SetExtent(std::uint32_t aspect, SIZEL* size) = 0;
  virtual HRESULT GetExtent(std::uint32_t aspect, SIZEL* size) = 0;

 protected:
  ~IOleObject() = default;
};

// The ambient display name the site reports; "" when the site has none (or is null).
std::string AmbientDisplayName(IOleClientSite* site);

}  // namespace ole
