// Property pages: how a design environment edits an object. The object names its pages
// (ISpecifyPropertyPages); each page is an object of its own (IPropertyPage) that the environment's
// frame creates, gives the objects to edit, activates inside a window of the frame, and asks to apply
// its values. A page tells the frame through its site (IPropertyPageSite) when its values changed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ole/unknown.h"
#include "platform/window/message_queue.h"

namespace ole {

inline constexpr IID IID_ISpecifyPropertyPages = MakeGuid("B196B28B-BAB4-101A-B69C-00AA00341D07");
inline constexpr IID IID_IPropertyPage = MakeGuid("B196B28D-BAB4-101A-B69C-00AA00341D07");
inline constexpr IID IID_IPropertyPageSite = MakeGuid("B196B28C-BAB4-101A-B69C-00AA00341D07");

// OnStatusChange flags.
inline constexpr std::uint32_t PROPPAGESTATUS_DIRTY = 0x1;
inline constexpr std::uint32_t PROPPAGESTATUS_VALIDATE = 0x2;

struct RECT {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// What a page says of itself: its tab caption and its size in pixels.
struct PROPPAGEINFO {
  std::string title;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

struct ISpecifyPropertyPages : IUnknown {
  // The class identities of the object's pages, in the order they are shown.
  virtual HRESULT GetPages(std::vector<CLSID>* pages) = 0;

 protected:
  ~ISpecifyPropertyPages() = default;
};

struct IPropertyPageSite : IUnknown {
  virtual HRESULT OnStatusChange(std::uint32_t flags) = 0;

 protected:
  ~IPropertyPageSite() = default;
};

struct IPropertyPage : IUnknown {
  virtual HRESULT SetPageSite(IPropertyPageSite* site) = 0;
  // Creates the page's window inside `parent` at `rect`.
  virtual HRESULT Activate(win::HWND parent, const RECT& rect, bool modal) = 0;
  virtual HRESULT Deactivate() = 0;
  virtual HRESULT GetPageInfo(PROPPAGEINFO* info) = 0;
  // The objects the page edits (its values are read from the first when it is activated).
  virtual HRESULT SetObjects(unsigned count, IUnknown** objects) = 0;
  virtual HRESULT Show(bool show) = 0;
  virtual HRESULT Move(const RECT& rect) = 0;
  // S_OK when the user changed a value since the last Apply, S_FALSE otherwise.
  virtual HRESULT IsPageDirty() = 0;
  virtual HRESULT Apply() = 0;

 protected:
  ~IPropertyPage() = default;
};

}  // namespace ole
