#include "desktop/frame/settings_file.h"

#include "desktop/frame/text_helpers.h"
#include "platform/win/private_profile.h"
#include "platform/win/windows_folder.h"

namespace kestrix {

namespace {
constexpr unsigned kReadBufferSize = 500;
constexpr const char* kFileName = "OPL_SearchHistory.INI";
}  // namespace

std::string IniFilePath() {
  char folder[kReadBufferSize] = {};
  if (win::GetWindowsDirectory(folder, sizeof folder) == 0) return {};
  return TrimAtNull(std::string_view(folder, sizeof folder)) + "/" + kFileName;
}

std::string ReadSetting(const std::string& ini_file, std::string_view section, std::string_view key,
                        std::string_view default_value) {
  char value[kReadBufferSize] = {};
  const std::string section_text(section), key_text(key), default_text(default_value);
  win::GetPrivateProfileString(section_text.c_str(), key_text.c_str(), default_text.c_str(), value,
                               sizeof value, ini_file.c_str());
  return TrimAtNull(std::string_view(value, sizeof value));
}

void WriteSetting(const std::string& ini_file, std::string_view section, std::string_view key,
                  std::string_view value) {
  if (ini_file.empty()) return;
  const std::string section_text(section), key_text(key), value_text(value);
  win::WritePrivateProfileString(section_text.c_str(), key_text.c_str(), value_text.c_str(),
                                 ini_file.c_str());
}

}  // namespace kestrix
