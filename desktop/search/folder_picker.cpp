#include "desktop/search/folder_picker.h"

#include "platform/qt/folder_browser.h"

namespace kestrix {

QString BrowseForFolder(QWidget* owner) {
  return qtplatform::ShowFolderBrowser(owner, "Select Directory");
}

}  // namespace kestrix
