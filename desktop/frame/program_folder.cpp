#include "desktop/frame/program_folder.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <cstdlib>

namespace kestrix {

namespace {
std::string UserDataFolder() {
  const char* data_home = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  QString base;
  if (data_home && *data_home)
    base = QString::fromLocal8Bit(data_home);
  else if (home && *home)
    base = QString::fromLocal8Bit(home) + "/.local/share";
  else
    base = QDir::tempPath();
  const QString folder = base + "/kestrix";
  QDir().mkpath(folder);
  return folder.toStdString();
}
}  // namespace

std::string ProgramFolder() {
  return QCoreApplication::applicationDirPath().toStdString();
}

std::string WritableFolderFor(const std::string& program_folder) {
  if (!program_folder.empty() && access(program_folder.c_str(), W_OK) == 0) return program_folder;
  return UserDataFolder();
}

std::string DataFolder() {
  return WritableFolderFor(ProgramFolder());
}

}  // namespace kestrix
