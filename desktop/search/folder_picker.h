// The folder picker behind the options dialog's folder button.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace kestrix {

// Given the owning window, returns the chosen folder, or an empty text when the user cancels.
using FolderPicker = std::function<QString(QWidget* owner)>;

// The program's folder picker (BrowseForFolder).
FolderPicker DefaultFolderPicker();

}  // namespace kestrix
