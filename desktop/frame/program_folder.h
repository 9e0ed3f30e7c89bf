// The program's folder, where the report and the viewer's copy of a converted document are written.
// An installed program's folder is usually not writable by its user; the per-user data folder
// ($XDG_DATA_HOME/kestrix, else ~/.local/share/kestrix) takes its place then.
#pragma once

#include <string>

namespace kestrix {

// The folder of the program's executable, without a trailing separator.
std::string ProgramFolder();

// `program_folder` when the user may write there, else the per-user data folder (created when missing).
std::string WritableFolderFor(const std::string& program_folder);

// WritableFolderFor(ProgramFolder()).
std::string DataFolder();

}  // namespace kestrix
