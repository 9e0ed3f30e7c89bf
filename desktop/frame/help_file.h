// The program's help document, KESTRIX.html, kept beside the program (or, for an installed program, with
// the installed documentation) and opened with the desktop's default application; when the desktop has none
// for it, the program shows it in its own help window.
#pragma once

#include <QString>
#include <functional>

namespace kestrix {

// Opens a document; false when the desktop has no application for it.
using DocumentOpener = std::function<bool(const QString& path)>;

// The help document's full name: the program's folder + "/KESTRIX.html" when that file is there, else the
// installed documentation's KESTRIX.html (/usr/share/doc/kestrix for a program in /usr/bin) when that one
// is, else the first.
QString HelpFilePath();

// Hands the help document to `opener`; when it answers false, or the desktop's launcher later finds no
// application for it (DocumentLaunches::NotOpened), shows it in the help window.
void OpenHelpFile(const DocumentOpener& opener);

}  // namespace kestrix
