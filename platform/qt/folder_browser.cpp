#include "platform/qt/folder_browser.h"

#include <QFileDialog>
#include <utility>

namespace qtplatform {

namespace {
FolderPresenter& Presenter() {
  static FolderPresenter presenter;
  return presenter;
}
}  // namespace

QString ShowFolderBrowser(QWidget* owner, const QString& title) {
  if (const FolderPresenter& presenter = Presenter()) return presenter(owner, title);
  return QFileDialog::getExistingDirectory(owner, title, QString(), QFileDialog::ShowDirsOnly);
}

FolderPresenter SetFolderPresenter(FolderPresenter presenter) {
  return std::exchange(Presenter(), std::move(presenter));
}

}  // namespace qtplatform
