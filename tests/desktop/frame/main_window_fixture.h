// What the main window's tests share: a fresh settings folder, a main window whose child windows are
// stubs writing their calls into one log, and finding its menu items and toolbar buttons by name.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <memory>

#include "desktop/frame/main_window.h"
#include "tests/desktop/frame/stub_child_window.h"
#include "tests/support/temp_folder.h"

namespace kestrix {

class MainWindowTest : public ::testing::Test {
 protected:
  // What the factory builds as the search window.
  enum class Child { kStub, kNone, kWithoutOperations };

  std::unique_ptr<frmMainMDI> Open() {
    return std::make_unique<frmMainMDI>(
        [this](ProgramFrame& frame, QMdiArea& area) { return Load(frame, area); });
  }

  // Adds another stub child window, shown, to the main window's area.
  StubChildWindow* AddOtherChild(frmMainMDI& window, const QString& name) {
    auto* child = new StubChildWindow(name, window, log_);
    window.Area().addSubWindow(child)->show();
    return child;
  }

  // The calls the children logged, without their Form_Resize (which showing and resizing bring).
  QStringList Calls() const {
    QStringList calls;
    for (const QString& call : log_)
      if (!call.endsWith(":Form_Resize")) calls << call;
    return calls;
  }

  static StubChildWindow* SearchWindow(const frmMainMDI& window) {
    return qobject_cast<StubChildWindow*>(window.SearchWindow());
  }
  static QAction* Item(const frmMainMDI& window, const char* name) {
    QAction* item = window.findChild<QAction*>(name);
    EXPECT_NE(item, nullptr) << name;
    return item;
  }
  static QMenu* Menu(const frmMainMDI& window, const char* name) {
    QMenu* menu = window.findChild<QMenu*>(name);
    EXPECT_NE(menu, nullptr) << name;
    return menu;
  }
  static bool ShowAndActivate(frmMainMDI& window) {
    window.show();
    window.activateWindow();
    return kx::test::WaitFor([&] { return window.isActiveWindow(); }, std::chrono::seconds(10),
                             [] { QApplication::processEvents(); });
  }
  // Lets closed windows go (their deletion is deferred).
  static void DeleteClosedWindows() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  kx::test::TempFolder folder_;
  kx::test::ScopedEnv config_{"XDG_CONFIG_HOME", folder_.path()};
  Child child_ = Child::kStub;
  int loads_ = 0;
  QStringList log_;

 private:
  QWidget* Load(ProgramFrame& frame, QMdiArea& area) {
    ++loads_;
    QWidget* child = nullptr;
    switch (child_) {
      case Child::kNone:
        return nullptr;
      case Child::kStub:
        child = new StubChildWindow("frmFindTextInFiles", frame, log_);
        break;
      case Child::kWithoutOperations:
        child = new QWidget;
        child->setObjectName("frmFindTextInFiles");
        break;
    }
    area.addSubWindow(child);
    return child;
  }
};

}  // namespace kestrix
