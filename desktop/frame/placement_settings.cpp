#include "desktop/frame/placement_settings.h"

#include <QDir>

namespace kestrix {

PlacementSettings::PlacementSettings(const QString& application)
    : settings_(FileOf(application), QSettings::IniFormat) {}

QString PlacementSettings::FileOf(const QString& application) {
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (config.isEmpty()) config = QDir::homePath() + "/.config";
  return QDir::cleanPath(config + "/Kestrix/" + application + ".conf");
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
