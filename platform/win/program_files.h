// The running program's own folder, and the folders where an installed Kestrix keeps its other parts:
// found relative to the program's folder, so that they hold for a package installed under /usr and for
// one unpacked anywhere else.
#pragma once

#include <optional>
#include <string>

namespace win {

// The folder of the running program's executable, without a trailing separator; nullopt when it
// cannot be told.
std::optional<std::string> RunningProgramFolder();

// The private libraries and the class manifest of an installed Kestrix (/usr/lib/<multiarch>/kestrix
// for a program in /usr/bin).
std::optional<std::string> InstalledLibraryFolder();

// The documentation of an installed Kestrix (/usr/share/doc/kestrix for a program in /usr/bin).
std::optional<std::string> InstalledDocumentFolder();

}  // namespace win
