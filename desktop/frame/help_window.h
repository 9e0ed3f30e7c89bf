// The program's own window for its help document, used when the desktop has no application to open it:
// the document shown as formatted text, its links followed inside the window, links to the web handed to
// the desktop.
#pragma once

#include <QString>

namespace kestrix {

// Shows the help document `path` in the help window (object name "frmHelp"), opening the window or
// bringing it to the front. The window belongs to the active window, so that it closes with the program,
// and it does not keep the program running by itself.
void ShowHelpWindow(const QString& path);

}  // namespace kestrix
