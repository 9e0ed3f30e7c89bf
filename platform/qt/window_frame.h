// The frame a window manager puts around a top-level window (title bar and borders), known before the
// window is first shown. A placement kept as the outer rectangle needs it to size the window's inner part:
// Qt learns the frame only once the window is on screen.
#pragma once

#include <QMargins>

class QWidget;

namespace qtplatform {

// The frame around `window`, a top-level window: what Qt knows (once the window is on screen, and at once
// where the platform itself draws the frame); before that, what the window manager answers when asked (a
// manager that follows the desktop's window-manager conventions answers before the window is mapped). No
// frame without a window manager, or when the manager does not answer within a short time.
QMargins WindowFrame(QWidget& window);

}  // namespace qtplatform
