#include "desktop/frame/help_file.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "desktop/frame/help_window.h"
#include "platform/qt/desktop_services.h"
#include "platform/win/program_files.h"

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
  const QString beside_program = QCoreApplication::applicationDirPath() + "/KESTRIX.html";
  if (QFileInfo::exists(beside_program)) return beside_program;
  if (const std::optional<std::string> documents = win::InstalledDocumentFolder()) {
    const QString installed = QString::fromStdString(*documents) + "/KESTRIX.html";
    if (QFileInfo::exists(installed)) return installed;
  }
  return beside_program;
}

void OpenHelpFile(const DocumentOpener& opener) {
  const QString path = HelpFilePath();
  ShowHelpWhenNotOpened();
  if (!opener || !opener(path)) ShowHelpWindow(path);
}

}  // namespace kestrix
