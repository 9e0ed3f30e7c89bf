#include "control/object/control_settings.h"

#include <string>

#include "control/object/option_rules.h"
#include "platform/win/private_profile.h"
#include "platform/win/windows_folder.h"

namespace zarn {

namespace {

constexpr const char* kSection = "General";
constexpr const char* kDefaultName = "Zarn_v2";
constexpr unsigned kReadBufferSize = 500;
constexpr std::int32_t kDefaultThreadPriority = 2;

struct FlagKey {
  SearchOptions::Flag flag;
  const char* key;
  const char* default_text;
};

// In the order the file is read and written.
constexpr FlagKey kFlagKeys[] = {
    {SearchOptions::Flag::kCaseSensitive, "CaseSensitive", "FALSE"},
    {SearchOptions::Flag::kWholeWordOnly, "WholeWordOnly", "FALSE"},
    {SearchOptions::Flag::kLookInSubfolders, "LookInSubfolders", "FALSE"},
    {SearchOptions::Flag::kRegularExpression, "RegularExpression", "FALSE"},
    {SearchOptions::Flag::kSupportOfficeDocs, "SupportOfficeDocs", "TRUE"},
};
constexpr const char* kThreadPriorityKey = "ThreadPriority";

bool IsPlainFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
         name.find('\0') == std::string_view::npos;
}

}  // namespace

std::optional<std::string> SettingsFileName(std::string_view display_name) {
  const std::optional<std::string> folder = win::WindowsFolder();
  if (!folder) return std::nullopt;
  const std::string name(IsPlainFileName(display_name) ? display_name : kDefaultName);
  return *folder + "/" + name + ".INI";
}

void ReadControlSettings(const std::string& file_name, SearchOptions& options) {
  char text[kReadBufferSize];
  for (const FlagKey& entry : kFlagKeys) {
    win::GetPrivateProfileString(kSection, entry.key, entry.default_text, text, sizeof text,
                                 file_name.c_str());
    options.Set(entry.flag, std::string_view(text).find("FALSE") == std::string_view::npos);
  }
  const int priority =
      win::GetPrivateProfileInt(kSection, kThreadPriorityKey, kDefaultThreadPriority, file_name.c_str());
  options.SetThreadPriority(IsThreadPriority(priority) ? priority : kDefaultThreadPriority);
}

void WriteControlSettings(const std::string& file_name, const SearchOptions& options) {
  for (const FlagKey& entry : kFlagKeys)
    win::WritePrivateProfileString(kSection, entry.key, options.Get(entry.flag) ? "TRUE" : "FALSE",
                                   file_name.c_str());
  const std::string priority = std::to_string(options.ThreadPriority());
  win::WritePrivateProfileString(kSection, kThreadPriorityKey, priority.c_str(), file_name.c_str());
}

}  // namespace zarn
