// The desktop program's settings file, "OPL_SearchHistory.INI" in the Windows folder, read and written one
// key at a time through the private-profile functions: every read passes a default and a 500-character
// buffer (so a longer value is cut at 499 characters); write results are not checked.
#pragma once

#include <string>
#include <string_view>

namespace kestrix {

// gsIniFile: the settings file's full name; empty when the Windows folder is unavailable (reads then give
// their defaults and writes are lost).
std::string IniFilePath();

// The value of `key` in `section`, cut at its first NUL, or `default_value` when there is none.
std::string ReadSetting(const std::string& ini_file, std::string_view section, std::string_view key,
                        std::string_view default_value);
void WriteSetting(const std::string& ini_file, std::string_view section, std::string_view key,
                  std::string_view value);

}  // namespace kestrix
