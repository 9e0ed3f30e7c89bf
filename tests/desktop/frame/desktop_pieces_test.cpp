// The desktop's Qt pieces of the frame: placement kept in the per-user settings store, a real window's
// placement, and how the user's editor is started.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QWidget>

#include "desktop/frame/placement_settings.h"
#include "desktop/frame/program_folder.h"
#include "desktop/frame/widget_placement.h"
#include "platform/qt/desktop_services.h"
#include "tests/support/temp_folder.h"

namespace kestrix {
namespace {

TEST(PlacementSettings, ValuesSurviveInTheUsersSettingsStore) {
  kx::test::TempFolder folder;
  kx::test::ScopedEnv config("XDG_CONFIG_HOME", folder.path());
  {
    PlacementSettings store("KestrixDemo");
    store.Set("frmMainMDISettings", "Left", "1440");
  }
  PlacementSettings again("KestrixDemo");
  EXPECT_EQ(again.Get("frmMainMDISettings", "Left"), "1440");
  EXPECT_EQ(again.Get("frmMainMDISettings", "Top"), std::nullopt);
}

TEST(PlacementSettings, PlacementsInTheOldFolderMoveToTheOneFolderOnce) {
  kx::test::TempFolder folder;
  kx::test::ScopedEnv config("XDG_CONFIG_HOME", folder.path());
  folder.Write("Kestrix/KestrixDemo.conf", "[frmMainMDISettings]\nLeft=720\n");
  EXPECT_EQ(PlacementSettings("KestrixDemo").Get("frmMainMDISettings", "Left"), "720");
  EXPECT_EQ(PlacementSettings::FileOf("KestrixDemo").toStdString(), folder / "kestrix/KestrixDemo.conf");
  EXPECT_TRUE(QFileInfo::exists(PlacementSettings::FileOf("KestrixDemo")));
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(folder / "Kestrix"))) << "nothing left behind";

  folder.Write("Kestrix/KestrixDemo.conf", "[frmMainMDISettings]\nLeft=1\n");
  EXPECT_EQ(PlacementSettings("KestrixDemo").Get("frmMainMDISettings", "Left"), "720")
      << "the file in the one folder wins over one that turns up later in the old";
}

TEST(WidgetPlacement, AWindowComesBackWithItsRectangleAndState) {
  QWidget closed;
  closed.setObjectName("frmMainMDI");
  closed.setGeometry(100, 120, 640, 480);
  closed.show();
  WidgetPlacement closed_placement(closed);
  EXPECT_EQ(closed_placement.Name(), "frmMainMDI");
  const PlacedWindow::Twips saved = closed_placement.Geometry();
  QWidget opened;
  opened.show();  // so that the frame the window system adds is known
  WidgetPlacement opened_placement(opened);
  opened_placement.SetGeometry(saved);
  EXPECT_EQ(opened.frameGeometry(), closed.frameGeometry());
  opened_placement.SetState(WindowState::kMaximised);
  EXPECT_EQ(opened_placement.State(), WindowState::kMaximised);
}

TEST(DesktopServices, TheEditorComesFromVisualThenEditorWithItsOwnArguments) {
  kx::test::ScopedEnv visual("VISUAL", std::nullopt);
  kx::test::ScopedEnv editor("EDITOR", "emacs -nw");
  EXPECT_EQ(qtplatform::EditorCommand("/tmp/a b.csv"), (QStringList{"emacs", "-nw", "/tmp/a b.csv"}));
  kx::test::ScopedEnv visual_set("VISUAL", "gedit");
  EXPECT_EQ(qtplatform::EditorCommand("/tmp/r.csv"), (QStringList{"gedit", "/tmp/r.csv"}));
  kx::test::ScopedEnv none_visual("VISUAL", "  ");
  kx::test::ScopedEnv none_editor("EDITOR", std::nullopt);
  EXPECT_EQ(qtplatform::EditorCommand("/tmp/r.csv"), std::nullopt);
}

}  // namespace
}  // namespace kestrix

namespace kestrix {
namespace {

TEST(ProgramFolder, ReportsGoToTheUsersDataFolderWhenTheProgramsFolderCannotBeWritten) {
  kx::test::TempFolder folder;
  kx::test::ScopedEnv data("XDG_DATA_HOME", folder / "data");
  EXPECT_EQ(WritableFolderFor(folder / "program"), folder / "data/kestrix");  // no such folder
  EXPECT_EQ(WritableFolderFor(""), folder / "data/kestrix");
  const std::string program = folder.MakeFolder("program");
  EXPECT_EQ(WritableFolderFor(program), program);
  EXPECT_EQ(ProgramFolder(), QCoreApplication::applicationDirPath().toStdString());
}

}  // namespace
}  // namespace kestrix
