#include "desktop/frame/help_file.h"

#include <QCoreApplication>

#include "desktop/frame/help_window.h"
#include "platform/qt/desktop_services.h"

namespace kestrix {

namespace {

// From the first help request on, a launcher that reports it could not open the help document has it
// shown in the help window.
void ShowHelpWhenNotOpened() {
  [[maybe_unused]] static const QMetaObject::Connection connection = QObject::connect(
      &qtplatform::Launches(), &qtplatform::DocumentLaunches::NotOpened, [](const QString& path) {
        if (path == HelpFilePath()) ShowHelpWindow(path);
      });
}

}  // namespace

QString HelpFilePath() {
  return QCoreApplication::applicationDirPath() + "/KESTRIX.html";
}

void OpenHelpFile(const DocumentOpener& opener) {
  const QString path = HelpFilePath();
  ShowHelpWhenNotOpened();
  if (!opener || !opener(path)) ShowHelpWindow(path);
}

}  // namespace kestrix
