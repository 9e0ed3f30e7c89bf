#include "platform/qt/desktop_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace kestrix {

void Beep() {
  QApplication::beep();
}

bool OpenDocument(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

std::optional<QStringList> EditorCommand(const QString& path) {
  for (const char* variable : {"VISUAL", "EDITOR"}) {
    const QString value = qEnvironmentVariable(variable).trimmed();
    if (value.isEmpty()) continue;
    QStringList command = value.split(' ', Qt::SkipEmptyParts);
    command << path;
    return command;
  }
  return std::nullopt;
}

bool OpenInEditor(const QString& path) {
  const std::optional<QStringList> command = EditorCommand(path);
  if (!command) return OpenDocument(path);
  QStringList arguments = *command;
  const QString program = arguments.takeFirst();
  return QProcess::startDetached(program, arguments);
}

}  // namespace kestrix
