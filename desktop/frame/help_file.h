// The program's help document, KESTRIX.html, kept beside the program and opened with the desktop's
// default application.
#pragma once

#include <QString>
#include <functional>

namespace kestrix {

// Opens a document; the answer (whether it could be opened) is not acted on.
using DocumentOpener = std::function<bool(const QString& path)>;

// The help document's full name: the program's folder + "/KESTRIX.html".
QString HelpFilePath();

// Hands the help document to `opener`.
void OpenHelpFile(const DocumentOpener& opener);

}  // namespace kestrix
