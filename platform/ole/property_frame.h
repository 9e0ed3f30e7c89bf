// The property frame: a modal dialog with one tab per property page of an object and the buttons OK,
// Cancel and Apply, as a design environment shows when the user asks for an object's properties. The
// pages are created by their class identities, given the objects and activated inside the tabs; OK and
// Apply apply every page.
#pragma once

#include <string>
#include <vector>

#include "platform/ole/property_page.h"

namespace ole {

// S_OK once the user closed the frame; E_FAIL when it cannot be shown (no user interface, or no page
// could be created).
HRESULT OleCreatePropertyFrame(win::HWND owner, const std::string& caption, std::vector<IUnknown*> objects,
                               const std::vector<CLSID>& pages);

// The pages the object names (ISpecifyPropertyPages), or none.
std::vector<CLSID> PropertyPagesOf(IUnknown* object);

}  // namespace ole
