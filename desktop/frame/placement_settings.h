// The per-user settings store of window placement: a Qt settings file of the program, kept under the
// program's title in the one per-user folder of Kestrix, $XDG_CONFIG_HOME/kestrix (else
// $HOME/.config/kestrix), as "<title>.conf"; sections as groups, values as text. A file left in the folder
// earlier versions used ($XDG_CONFIG_HOME/Kestrix) is moved there the first time.
#pragma once

#include <QSettings>
#include <QString>

#include "desktop/frame/window_placement.h"

namespace kestrix {

// The desktop program's title, under which its windows' placement is kept.
inline constexpr const char* kProgramTitle = "KestrixDemo";

class PlacementSettings : public PlacementStore {
 public:
  // `application` is the program's title. The file is chosen now, from the environment as it is now.
  explicit PlacementSettings(const QString& application);

  // The full name of the settings file for `application`.
  static QString FileOf(const QString& application);

  std::optional<std::string> Get(const std::string& section, const std::string& key) const override;
  void Set(const std::string& section, const std::string& key, const std::string& value) override;

 private:
  static QString KeyOf(const std::string& section, const std::string& key);
  QSettings settings_;
};

}  // namespace kestrix
