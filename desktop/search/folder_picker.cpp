#include "desktop/search/folder_picker.h"

#include "desktop/frame/browse_for_folder.h"

namespace kestrix {

FolderPicker DefaultFolderPicker() {
  return [](QWidget* owner) { return BrowseForFolder(owner); };
}

}  // namespace kestrix
