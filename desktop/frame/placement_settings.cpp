#include "desktop/frame/placement_settings.h"

namespace kestrix {

PlacementSettings::PlacementSettings(const QString& application)
    : settings_(QSettings::NativeFormat, QSettings::UserScope, "Kestrix", application) {}

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
