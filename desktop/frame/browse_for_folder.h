// BrowseForFolder: the folder picker of the search options dialog ("Select Directory", folders only).
#pragma once

#include <QString>

class QWidget;

namespace kestrix {

// The chosen folder path, or an empty string when the user cancelled.
QString BrowseForFolder(QWidget* owner);

}  // namespace kestrix
