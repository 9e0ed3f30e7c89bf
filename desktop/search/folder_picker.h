// BrowseForFolder: the folder picker behind the search options dialog's folder button ("Select
// Directory", folders only). A test answers it by putting a folder presenter in place
// (platform/qt/folder_browser.h).
#pragma once

#include <QString>

class QWidget;

namespace kestrix {

// The chosen folder path, or an empty string when the user cancelled.
QString BrowseForFolder(QWidget* owner);

}  // namespace kestrix
