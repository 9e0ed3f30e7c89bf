#include "control/object/control_settings.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "control/object/zarn_properties.h"
#include "platform/win/private_profile.h"
#include "platform/win/windows_folder.h"

namespace zarn {

namespace {

constexpr const char* kSection = "General";
constexpr const char* kDefaultName = "Zarn_v2";
constexpr unsigned kReadBufferSize = 500;

bool IsPlainFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
         name.find('\0') == std::string_view::npos;
}

// The remembered properties, in the order the file is read and written.
std::vector<const ZarnProperty*> RememberedProperties() {
  std::vector<const ZarnProperty*> remembered;
  for (const ZarnProperty& property : ZarnProperties())
    if (property.settings_key) remembered.push_back(&property);
  std::ranges::sort(remembered, {},
                    [](const ZarnProperty* property) { return property->settings_key->position; });
  return remembered;
}

// Sets `property` from the file. A flag reads as FALSE when its text contains "FALSE"; a number the
// property ignores (a ThreadPriority outside 0 to 4) gives the default.
void ReadSetting(const std::string& file_name, const ZarnProperty& property, CZarnCtrl& control) {
  const char* default_text = property.settings_key->default_text;
  if (std::holds_alternative<NumberAccess>(property.access)) {
    const std::int32_t fallback = std::atoi(default_text);
    const std::int32_t value =
        win::GetPrivateProfileInt(kSection, property.name, fallback, file_name.c_str());
    if (!property.Assign(control, value)) property.Assign(control, fallback);
    return;
  }
  char text[kReadBufferSize];
  win::GetPrivateProfileString(kSection, property.name, default_text, text, sizeof text, file_name.c_str());
  const std::string_view read(text);
  property.Assign(control, std::holds_alternative<FlagAccess>(property.access)
                               ? PropertyValue(read.find("FALSE") == std::string_view::npos)
                               : PropertyValue(std::string(read)));
}

std::string SettingText(const PropertyValue& value) {
  if (const bool* flag = std::get_if<bool>(&value)) return *flag ? "TRUE" : "FALSE";
  if (const std::int32_t* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
  return std::get<std::string>(value);
}

}  // namespace

std::optional<std::string> SettingsFileName(std::string_view display_name) {
  const std::optional<std::string> folder = win::WindowsFolder();
  if (!folder) return std::nullopt;
  const std::string name(IsPlainFileName(display_name) ? display_name : kDefaultName);
  return *folder + "/" + name + ".INI";
}

void ReadControlSettings(const std::string& file_name, CZarnCtrl& control) {
  for (const ZarnProperty* property : RememberedProperties()) ReadSetting(file_name, *property, control);
}

void WriteControlSettings(const std::string& file_name, const CZarnCtrl& control) {
  for (const ZarnProperty* property : RememberedProperties())
    win::WritePrivateProfileString(kSection, property->name, SettingText(property->Read(control)).c_str(),
                                   file_name.c_str());
}

}  // namespace zarn
