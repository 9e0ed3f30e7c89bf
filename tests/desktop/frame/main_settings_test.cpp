// The main window's settings: what a run leaves for the next one.
#include <gtest/gtest.h>

#include <map>

#include "desktop/frame/main_settings.h"
#include "desktop/frame/settings_file.h"
#include "tests/support/temp_folder.h"

namespace kestrix {
namespace {

class NoStore : public PlacementStore {
 public:
  std::optional<std::string> Get(const std::string&, const std::string&) const override {
    return std::nullopt;
  }
  void Set(const std::string&, const std::string&, const std::string&) override {}
};

class Frame : public PlacedWindow {
 public:
  std::string Name() const override { return "frmMainMDI"; }
  WindowState State() const override { return WindowState::kMaximised; }
  void SetState(WindowState) override {}
  Twips Geometry() const override { return {0, 0, 0, 0}; }
  void SetGeometry(const Twips&) override {}
};

class FakeMainWindow : public MainWindowSettingsView {
 public:
  int ThreadPriorityChoice() const override { return priority; }
  void SetThreadPriorityChoice(int level) override { priority = level; }
  PlacedWindow& Frame() override { return frame; }
  void SetSearchWindowVisible(bool visible) override { search_window_visible = visible; }
  void FocusSearchWindow() override { search_window_focused = true; }
  std::vector<Child> LoadedChildren() const override { return children; }
  std::optional<Child> ActiveChild() const override { return active; }

  int priority = -1;
  class Frame frame;
  std::optional<bool> search_window_visible;
  bool search_window_focused = false;
  std::vector<Child> children;
  std::optional<Child> active;
};

class MainSettings : public ::testing::Test {
 protected:
  std::string Value(const char* key) { return ReadSetting(ini_, "Main", key, "(none)"); }

  kx::test::TempFolder folder_;
  kx::test::ScopedEnv config_{"XDG_CONFIG_HOME", folder_.path()};
  std::string ini_ = IniFilePath();
  NoStore store_;
};

TEST_F(MainSettings, AFirstRunStartsIdleWithTheSearchWindowLoadedButHidden) {
  FakeMainWindow window;
  ReadIniFile(ini_, window, store_);
  EXPECT_EQ(window.priority, 0);
  EXPECT_EQ(window.search_window_visible, false);
  EXPECT_FALSE(window.search_window_focused);
}

TEST_F(MainSettings, AnOpenActiveSearchWindowComesBackOpenAndFocused) {
  FakeMainWindow closing;
  closing.priority = 3;
  closing.children = {{"frmFindTextInFiles", true}, {"frmAbout", false}};
  closing.active = closing.children[0];
  SaveIniFile(ini_, closing, store_);
  EXPECT_EQ(Value("mlThreadPriority"), "3");
  EXPECT_EQ(Value("frmFindTextInFiles_Visible"), "True");
  EXPECT_EQ(Value("frmAbout_Visible"), "(none)");
  EXPECT_EQ(Value("ActiveForm"), "frmFindTextInFiles");
  FakeMainWindow opening;
  ReadIniFile(ini_, opening, store_);
  EXPECT_EQ(opening.priority, 3);
  EXPECT_EQ(opening.search_window_visible, true);
  EXPECT_TRUE(opening.search_window_focused);
}

TEST_F(MainSettings, WithoutChildWindowsTheActiveFormIsNoneAndTheSearchWindowStaysClosed) {
  FakeMainWindow first;
  first.children = {{"frmFindTextInFiles", true}};
  first.active = first.children[0];
  SaveIniFile(ini_, first, store_);
  FakeMainWindow second;  // the user closed the search window before leaving
  SaveIniFile(ini_, second, store_);
  EXPECT_EQ(Value("ActiveForm"), "None");
  EXPECT_EQ(Value("frmFindTextInFiles_Visible"), "False");
}

TEST_F(MainSettings, AHiddenActiveChildLeavesTheActiveFormAsItWas) {
  WriteSetting(ini_, "Main", "ActiveForm", "frmFindTextInFiles");
  FakeMainWindow window;
  window.children = {{"frmFindTextInFiles", false}};
  window.active = window.children[0];
  SaveIniFile(ini_, window, store_);
  EXPECT_EQ(Value("ActiveForm"), "frmFindTextInFiles");
}

TEST_F(MainSettings, ThreadPriorityValuesTheProgramNeverWritesGiveIdle) {
  for (const char* stored : {"7", "-1", "two", ""}) {
    WriteSetting(ini_, "Main", "mlThreadPriority", stored);
    FakeMainWindow window;
    ReadIniFile(ini_, window, store_);
    EXPECT_EQ(window.priority, 0) << stored;
  }
}

}  // namespace
}  // namespace kestrix
