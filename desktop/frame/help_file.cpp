#include "desktop/frame/help_file.h"

#include <QCoreApplication>

namespace kestrix {

QString HelpFilePath() {
  return QCoreApplication::applicationDirPath() + "/KESTRIX.html";
}

void OpenHelpFile(const DocumentOpener& opener) {
  if (opener) opener(HelpFilePath());
}

}  // namespace kestrix
