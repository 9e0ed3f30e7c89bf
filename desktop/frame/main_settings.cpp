#include "desktop/frame/main_settings.h"

#include <charconv>

#include "desktop/frame/settings_file.h"

namespace kestrix {

namespace {

constexpr const char* kSection = "Main";
constexpr const char* kThreadPriorityKey = "mlThreadPriority";
constexpr const char* kActiveFormKey = "ActiveForm";
constexpr const char* kNoActiveForm = "None";

std::string VisibleKey(const std::string& window_name) {
  return window_name + "_Visible";
}

// The stored level; values the program never writes (not a number, outside 0 to 4) give Idle.
int ThreadPriorityLevel(const std::string& text) {
  int level = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), level);
  return error == std::errc() && end == text.data() + text.size() && level >= 0 && level <= 4 ? level : 0;
}

}  // namespace

void ReadIniFile(const std::string& ini_file, MainWindowSettingsView& main_window,
                 const PlacementStore& store) {
  main_window.SetThreadPriorityChoice(
      ThreadPriorityLevel(ReadSetting(ini_file, kSection, kThreadPriorityKey, "0")));
  RestoreWindowPlacement(main_window.Frame(), store);
  main_window.SetSearchWindowVisible(
      ReadSetting(ini_file, kSection, VisibleKey(kSearchWindowName), "False") == "True");
  if (ReadSetting(ini_file, kSection, kActiveFormKey, kNoActiveForm) == kSearchWindowName)
    main_window.FocusSearchWindow();
}

void SaveIniFile(const std::string& ini_file, MainWindowSettingsView& main_window, PlacementStore& store) {
  WriteSetting(ini_file, kSection, kThreadPriorityKey, std::to_string(main_window.ThreadPriorityChoice()));
  SaveWindowPlacement(main_window.Frame(), store);
  WriteSetting(ini_file, kSection, VisibleKey(kSearchWindowName), "False");
  for (const MainWindowSettingsView::Child& child : main_window.LoadedChildren())
    if (child.visible) WriteSetting(ini_file, kSection, VisibleKey(child.name), "True");
  const std::optional<MainWindowSettingsView::Child> active = main_window.ActiveChild();
  if (!active)
    WriteSetting(ini_file, kSection, kActiveFormKey, kNoActiveForm);
  else if (active->visible)
    WriteSetting(ini_file, kSection, kActiveFormKey, active->name);
}

}  // namespace kestrix
