// The control's about box: a modal dialog with the product's version, the maker's notice and the
// changing line, closed with OK.
#pragma once

#include "platform/window/message_queue.h"

namespace zarn {

// Shows the about box owned by `owner` and returns once it is closed; false when it cannot be shown
// (the program has no user interface).
bool ShowAboutBox(win::HWND owner);

}  // namespace zarn
