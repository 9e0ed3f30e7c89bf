#include "desktop/frame/placement_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kestrix {

namespace {

QString ConfigFolder() {
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (config.isEmpty()) config = QDir::homePath() + "/.config";
  return config;
}

// Earlier versions kept the placements in a folder of their own, "Kestrix" (capital K). The file moves
// to the one per-user folder the first time the program starts, unless a file is already there; the old
// folder goes when nothing else is left in it.
QString MovedFromOldFolder(const QString& application) {
  const QString file = PlacementSettings::FileOf(application);
  const QString old_folder = QDir::cleanPath(ConfigFolder() + "/Kestrix");
  const QString old_file = old_folder + "/" + application + ".conf";
  if (old_file == file || QFileInfo::exists(file) || !QFileInfo::exists(old_file)) return file;
  QDir().mkpath(QFileInfo(file).path());
  if (QFile::rename(old_file, file)) QDir().rmdir(old_folder);
  return file;
}

}  // namespace

PlacementSettings::PlacementSettings(const QString& application)
    : settings_(MovedFromOldFolder(application), QSettings::IniFormat) {}

QString PlacementSettings::FileOf(const QString& application) {
  return QDir::cleanPath(ConfigFolder() + "/kestrix/" + application + ".conf");
}

QString PlacementSettings::KeyOf(const std::string& section, const std::string& key) {
  return QString::fromStdString(section) + "/" + QString::fromStdString(key);
}

std::optional<std::string> PlacementSettings::Get(const std::string& section, const std::string& key) const {
  const QVariant value = settings_.value(KeyOf(section, key));
  if (!value.isValid()) return std::nullopt;
  return value.toString().toStdString();
}

void PlacementSettings::Set(const std::string& section, const std::string& key, const std::string& value) {
  settings_.setValue(KeyOf(section, key), QString::fromStdString(value));
  settings_.sync();
}

}  // namespace kestrix
