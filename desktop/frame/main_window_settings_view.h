// The main window as its settings see it: the thread-priority choice, its placement, the search window's
// loading, showing and focus, and which child windows are loaded, visible and active.
#pragma once

#include "desktop/frame/main_settings.h"
#include "desktop/frame/widget_placement.h"

namespace kestrix {

class frmMainMDI;

class MainWindowSettings : public MainWindowSettingsView {
 public:
  explicit MainWindowSettings(frmMainMDI& window);

  int ThreadPriorityChoice() const override;
  void SetThreadPriorityChoice(int level) override;
  PlacedWindow& Frame() override { return frame_; }
  void SetSearchWindowVisible(bool visible) override;
  void FocusSearchWindow() override;
  std::vector<Child> LoadedChildren() const override;
  std::optional<Child> ActiveChild() const override;

 private:
  frmMainMDI& window_;
  WidgetPlacement frame_;
};

}  // namespace kestrix
