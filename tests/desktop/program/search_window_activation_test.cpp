// Which child window is the active one, on a real X server with a window manager: a search window that is
// loaded but hidden (the first start, and every start after the user closed it) is not active; it becomes
// active when it shows, and only then do the Report menu, the pressed toolbar button and the child's
// caption and buttons in the menu bar appear.
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QToolBar>

#include "desktop/frame/placement_settings.h"
#include "tests/desktop/program/program_fixture.h"

namespace kestrix {
namespace {

constexpr const char* kCaption = "Kestrix From Brantwell";
constexpr const char* kCaptionWithSearch = "Kestrix From Brantwell - [Find Text In Files]";

class Activation : public ProgramTest {
 protected:
  static QAction* ReportMenu(const frmMainMDI& window) { return window.findChild<QAction*>("mnuReport"); }
  static QAction* FirstButton(const frmMainMDI& window) {
    return window.findChild<QToolBar*>("tbMain")->actions().value(0);
  }
  // The buttons of a maximised child window, which sit in the menu bar.
  static bool ChildButtonsInMenuBar(frmMainMDI& window) {
    QWidget* corner = window.menuBar()->cornerWidget(Qt::TopRightCorner);
    return corner != nullptr && corner->isVisible();
  }
  static void CancelDialog(frmMainMDI& window) {
    WhenDialogShows(window, [](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  }

  // The main window as it is while its search window is loaded but hidden.
  static void ExpectNothingActive(frmMainMDI& window) {
    ASSERT_NE(Search(window), nullptr);
    EXPECT_FALSE(Search(window)->SubWindow()->isVisible());
    EXPECT_EQ(window.Area().activeSubWindow(), nullptr);
    EXPECT_FALSE(ReportMenu(window)->isVisible());
    EXPECT_FALSE(FirstButton(window)->isChecked());
    EXPECT_EQ(window.windowTitle().toStdString(), kCaption);
    EXPECT_FALSE(ChildButtonsInMenuBar(window));
  }
  // ... and once it shows, maximised as a first start leaves it.
  static void ExpectSearchWindowActive(frmMainMDI& window) {
    ASSERT_TRUE(WaitUntil([&] { return window.Area().activeSubWindow() == Search(window)->SubWindow(); }));
    EXPECT_TRUE(Search(window)->SubWindow()->isVisible());
    EXPECT_TRUE(Search(window)->SubWindow()->isMaximized());
    EXPECT_TRUE(ReportMenu(window)->isVisible());
    EXPECT_TRUE(window.findChild<QAction*>("mnuReportTabDelimitedFile")->isVisible());
    EXPECT_TRUE(FirstButton(window)->isChecked());
    EXPECT_EQ(window.windowTitle().toStdString(), kCaptionWithSearch);
    EXPECT_TRUE(ChildButtonsInMenuBar(window));
  }
};

TEST_F(Activation, AtAFirstStartTheHiddenSearchWindowIsNotActiveUntilCtrlIShowsIt) {
  auto window = Start();
  QApplication::processEvents();
  ExpectNothingActive(*window);
  CancelDialog(*window);
  QTest::keyClick(window.get(), Qt::Key_I, Qt::ControlModifier);
  ExpectSearchWindowActive(*window);
  Quit(window);
}

TEST_F(Activation, AfterTheUserClosedTheSearchWindowTheNextStartShowsNoneActiveUntilTheButtonShowsIt) {
  auto window = Start();
  CancelDialog(*window);
  QTest::keyClick(window.get(), Qt::Key_I, Qt::ControlModifier);
  ExpectSearchWindowActive(*window);
  const QPointer<frmFindTextInFiles> closing = Search(*window);
  QTest::keyClick(closing, Qt::Key_Escape);  // the search window closes
  ASSERT_TRUE(WaitUntil([&] {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return closing.isNull();
  }));
  EXPECT_FALSE(FirstButton(*window)->isChecked());
  Quit(window);

  // Runs that never show the search window keep it hidden, and keep its maximised state for later.
  for (int run = 0; run < 2; ++run) {
    window = Start();
    QApplication::processEvents();
    ExpectNothingActive(*window);
    if (run == 0) Quit(window);
  }
  EXPECT_EQ(PlacementSettings(kProgramTitle).Get("frmFindTextInFilesSettings", "WindowState"), "2");
  QToolBar* toolbar = window->findChild<QToolBar*>("tbMain");
  QTest::mouseClick(toolbar->widgetForAction(FirstButton(*window)), Qt::LeftButton);
  ExpectSearchWindowActive(*window);
  Quit(window);
}

}  // namespace
}  // namespace kestrix
