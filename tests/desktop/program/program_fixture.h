// What the tests of the whole desktop program share: the main window with the real search window and the
// real control, started and quit as KestrixDemo does, over a fresh settings folder; waiting with a
// deadline while the events go on; menus opened by their access keys.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMdiArea>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "desktop/frame/main_window.h"
#include "desktop/search/search_window.h"
#include "platform/qt/message_pump.h"
#include "tests/desktop/named_child.h"
#include "tests/support/temp_folder.h"

namespace kestrix {

class ProgramTest : public ::testing::Test {
 protected:
  std::unique_ptr<frmMainMDI> Start() {
    auto window = std::make_unique<frmMainMDI>(
        [](ProgramFrame& frame, QMdiArea& area) -> QWidget* { return new frmFindTextInFiles(frame, area); });
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    return window;
  }
  static void Quit(std::unique_ptr<frmMainMDI>& window) {
    window->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    window.reset();
  }
  static frmFindTextInFiles* Search(const frmMainMDI& window) {
    return qobject_cast<frmFindTextInFiles*>(window.SearchWindow());
  }
  static bool WaitUntil(const std::function<bool()>& condition) {
    return kx::test::WaitFor(condition, std::chrono::seconds(20), [] {
      QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    });
  }
  // Runs `answer` on the options dialog as soon as it shows (it must close the dialog).
  static void WhenDialogShows(frmMainMDI& window, std::function<void(QDialog&)> answer) {
    QTimer::singleShot(0, &window, [&window, answer] {
      auto* dialog = window.findChild<QDialog*>("frmFindTextInFilesOptions");
      ASSERT_NE(dialog, nullptr);
      answer(*dialog);
    });
  }
  // Chooses a menu item as a user does with the keyboard: Alt and the menu's access letter, then the
  // item's access letter in the menu that opens.
  static void ChooseFromMenu(frmMainMDI& window, Qt::Key menu, Qt::Key item) {
    QTest::keyClick(&window, menu, Qt::AltModifier);
    ASSERT_TRUE(WaitUntil([] { return QApplication::activePopupWidget() != nullptr; }));
    QTest::keyClick(QApplication::activePopupWidget(), item);
  }

  kx::test::TempFolder folder_;
  kx::test::ScopedEnv config_{"XDG_CONFIG_HOME", folder_ / "config"};
  kx::test::ScopedEnv data_{"XDG_DATA_HOME", folder_ / "data"};
  qtplatform::MessagePump pump_;
};

}  // namespace kestrix
