// The per-user settings store of window placement, in Qt's settings of the program (its native format),
// under the program's title: sections as groups, values as text.
#pragma once

#include <QSettings>
#include <QString>

#include "desktop/frame/window_placement.h"

namespace kestrix {

class PlacementSettings : public PlacementStore {
 public:
  // `application` is the program's title.
  explicit PlacementSettings(const QString& application);

  std::optional<std::string> Get(const std::string& section, const std::string& key) const override;
  void Set(const std::string& section, const std::string& key, const std::string& value) override;

 private:
  static QString KeyOf(const std::string& section, const std::string& key);
  QSettings settings_;
};

}  // namespace kestrix
