// The main window's settings across runs: closing keeps the thread-priority choice, the search window's
// visibility and focus and the main window's placement; the next main window over the same files brings
// them back.
#include <QMdiSubWindow>

#include "desktop/frame/placement_settings.h"
#include "desktop/frame/settings_file.h"
#include "tests/desktop/frame/main_window_fixture.h"

namespace kestrix {
namespace {

class MainWindowSettingsTest : public MainWindowTest {
 protected:
  std::string Value(const char* key) { return ReadSetting(IniFilePath(), "Main", key, "(none)"); }
};

using Closing = MainWindowSettingsTest;

TEST_F(Closing, SavesWhileTheChildrenAreOpenThenClosesThem) {
  const auto window = Open();
  window->show();
  window->ShowChildForm("frmFindTextInFiles");
  window->findChild<QAction*>("mnuThreadPriorityLevel3")->trigger();
  ASSERT_EQ(window->ActiveChild(), window->SearchWindow());
  window->close();
  EXPECT_TRUE(window->AppClosing());
  EXPECT_EQ(Value("mlThreadPriority"), "3");
  EXPECT_EQ(Value("frmFindTextInFiles_Visible"), "True");
  EXPECT_EQ(Value("ActiveForm"), "frmFindTextInFiles");
  EXPECT_TRUE(log_.contains("frmFindTextInFiles:close"));
  EXPECT_EQ(PlacementSettings(kProgramTitle).Get("frmMainMDISettings", "WindowState"), "2");  // first start
}

TEST_F(Closing, AHiddenSearchWindowIsRememberedAsClosed) {
  {
    const auto window = Open();
    window->show();
    window->close();
  }
  EXPECT_EQ(Value("frmFindTextInFiles_Visible"), "False");
  EXPECT_EQ(Value("ActiveForm"), "None");
  const auto next = Open();
  next->show();
  ASSERT_NE(next->SearchWindow(), nullptr);  // loaded all the same
  EXPECT_FALSE(next->SearchWindow()->isVisible());
}

using Restoring = MainWindowSettingsTest;

TEST_F(Restoring, TheNextWindowComesBackWhereAndAsTheLastOneWas) {
  QRect last_frame;
  {
    const auto window = Open();
    window->showNormal();
    window->setGeometry(110, 90, 700, 500);
    window->ShowChildForm("frmFindTextInFiles");
    window->findChild<QAction*>("mnuThreadPriorityLevel2")->trigger();
    last_frame = window->frameGeometry();
    window->close();
  }
  DeleteClosedWindows();
  const auto next = Open();
  next->show();
  EXPECT_EQ(next->ThreadPriority(), 2);
  EXPECT_TRUE(next->findChild<QAction*>("mnuThreadPriorityLevel2")->isChecked());
  ASSERT_NE(next->SearchWindow(), nullptr);
  EXPECT_TRUE(next->SearchWindow()->isVisible());
  EXPECT_EQ(next->ActiveChild(), next->SearchWindow());
  EXPECT_FALSE(next->isMaximized());
  EXPECT_EQ(next->frameGeometry(), last_frame);
}

TEST_F(Restoring, AMaximisedWindowComesBackMaximised) {
  {
    const auto window = Open();
    window->showMaximized();
    ASSERT_TRUE(window->isMaximized());
    window->close();
  }
  EXPECT_EQ(PlacementSettings(kProgramTitle).Get("frmMainMDISettings", "WindowState"), "2");
  const auto next = Open();
  next->show();
  EXPECT_TRUE(next->isMaximized());
}

TEST_F(Restoring, AFirstStartIsMaximised) {
  const auto window = Open();
  window->show();
  EXPECT_TRUE(window->isMaximized());
}

}  // namespace
}  // namespace kestrix
