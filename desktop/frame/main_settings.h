// The main window's part of the settings file (section "Main"): the thread-priority choice, whether the
// search window was open and whether it was the active one, plus the main window's placement. The main
// window is seen through the narrow view below, so these rules stand on their own.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "desktop/frame/window_placement.h"

namespace kestrix {

inline constexpr const char* kSearchWindowName = "frmFindTextInFiles";

class MainWindowSettingsView {
 public:
  struct Child {
    std::string name;
    bool visible;
  };

  virtual ~MainWindowSettingsView() = default;
  // mlThreadPriority, and the check mark of its menu item.
  virtual int ThreadPriorityChoice() const = 0;
  virtual void SetThreadPriorityChoice(int level) = 0;
  virtual PlacedWindow& Frame() = 0;
  // Loads the search window in either case; shows it when `visible`.
  virtual void SetSearchWindowVisible(bool visible) = 0;
  virtual void FocusSearchWindow() = 0;
  // The loaded child windows in the program's order, and the active one (if any).
  virtual std::vector<Child> LoadedChildren() const = 0;
  virtual std::optional<Child> ActiveChild() const = 0;
};

void ReadIniFile(const std::string& ini_file, MainWindowSettingsView& main_window,
                 const PlacementStore& store);
void SaveIniFile(const std::string& ini_file, MainWindowSettingsView& main_window, PlacementStore& store);

}  // namespace kestrix
