#include "platform/qt/desktop_services.h"

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>

namespace qtplatform {

namespace {

// xdg-open's exit status when it found no way to open the document.
constexpr int kLauncherFoundNoApplication = 3;

}  // namespace

void Beep() {
  QApplication::beep();
}

DocumentLaunches& Launches() {
  static DocumentLaunches launches;
  return launches;
}

// The launcher runs as long as the application it started when that is how the desktop opens documents,
// so its end is awaited without blocking; one still running when the program quits is left to run on,
// since ending it would gain nothing and might take the opened document with it.
bool OpenDocument(const QString& path) {
  const QString launcher = QStandardPaths::findExecutable("xdg-open");
  if (launcher.isEmpty()) return false;
  auto* process = new QProcess(QCoreApplication::instance());
  process->setProgram(launcher);
  process->setArguments({path});
  process->setStandardInputFile(QProcess::nullDevice());
  process->setProcessChannelMode(QProcess::ForwardedChannels);
  QObject::connect(process, &QProcess::finished, process,
                   [process, path](int status, QProcess::ExitStatus how) {
                     if (how == QProcess::NormalExit && status == kLauncherFoundNoApplication)
                       emit Launches().NotOpened(path);
                     process->deleteLater();
                   });
  QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, process,
                   [process] { process->setParent(nullptr); });
  process->start();
  if (process->waitForStarted()) return true;
  delete process;
  return false;
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

}  // namespace qtplatform
