// A search window inside an MDI area, with the real control behind it, a settings folder of its own, and
// the user's ways of running a search: the options dialog filled in and confirmed, the status bar, the
// grids. Waiting is for conditions with a deadline while Qt's event loop runs.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "desktop/frame/settings_file.h"
#include "desktop/search/options_dialog.h"
#include "desktop/search/search_window.h"
#include "desktop/search/status_texts.h"
#include "platform/qt/flex_grid.h"
#include "platform/qt/message_pump.h"
#include "platform/qt/status_bar.h"
#include "tests/desktop/named_child.h"
#include "tests/support/temp_folder.h"

// Test failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace kestrix::test {

// The main window as a child window sees it.
class FakeFrame : public ProgramFrame {
 public:
  const std::string& IniFile() const override { return ini_file; }
  int ThreadPriority() const override { return thread_priority; }
  bool AppClosing() const override { return app_closing; }
  void SearchWindowActivated() override { ++activations; }
  void UpateMainToolbar() override { ++toolbar_updates; }

  std::string ini_file;
  int thread_priority = 2;
  bool app_closing = false;
  int activations = 0;
  int toolbar_updates = 0;
};

// What the user enters in the options dialog.
struct SearchRequest {
  QString folder;
  QString types = "*.txt";
  QString text;
  bool stream = true;
  bool subfolders = true;
  bool beep = false;
  bool cancel = false;
};

class SearchWindowTest : public ::testing::Test {
 protected:
  SearchWindowTest() {
    frame_.ini_file = IniFilePath();
    area_.resize(1000, 800);
    area_.show();
    Open();
  }
  ~SearchWindowTest() override { Close(); }

  void Open() {
    window_ = new frmFindTextInFiles(frame_, area_);
    window_->beep = [this] { ++beeps_; };
    window_->SubWindow()->showNormal();
    window_->SubWindow()->resize(900, 700);
  }
  void Close() {
    if (!window_) return;
    window_->SubWindow()->close();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Fills in the dialog when it shows, then confirms or cancels it.
  void AnswerDialog(const SearchRequest& request) {
    QTimer::singleShot(0, window_, [this, request] {
      auto* dialog = window_->findChild<frmFindTextInFilesOptions*>();
      ASSERT_NE(dialog, nullptr);
      ASSERT_TRUE(dialog->isVisible());
      dialog->cbDirectory->setEditText(request.folder);
      dialog->cbFileExt->setEditText(request.types);
      dialog->cbSearchFor->setEditText(request.text);
      dialog->cbDontStreamResults->setChecked(!request.stream);
      dialog->cbLookInSubfolders->setChecked(request.subfolders);
      dialog->cbBeepWhenDone->setChecked(request.beep);
      QTest::mouseClick(request.cancel ? dialog->cbCancel : dialog->cbSearch, Qt::LeftButton);
    });
  }
  // Runs the Find Text flow as the user does: the button, the dialog.
  void FindText(const SearchRequest& request) {
    AnswerDialog(request);
    QTest::mouseClick(&Named<QPushButton>("cmdFindText"), Qt::LeftButton);
  }
  void RunSearch(const SearchRequest& request) {
    FindText(request);
    EXPECT_TRUE(WaitUntil([this] { return Panel(kScanTimePanel).endsWith(" (Sec)"); }))
        << Panel(kStatePanel).toStdString();
  }

  bool WaitUntil(const std::function<bool()>& condition) {
    return kx::test::WaitFor(condition, std::chrono::seconds(20), [] {
      QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    });
  }

  // The window's control called `name`.
  template <typename Control>
  Control& Named(const char* name) const {
    return NamedChild<Control>(*window_, name);
  }
  QString Panel(int panel) const { return Named<qtplatform::StatusBar>("sbStatus").PanelText(panel); }
  qtplatform::FlexGrid& Results() const { return Named<qtplatform::FlexGrid>("fgFiles"); }
  QStringList Errors() const {
    const QListWidget& list = Named<QListWidget>("lstErrorMessages");
    QStringList lines;
    for (int i = 0; i < list.count(); ++i) lines << list.item(i)->text();
    return lines;
  }
  std::string Setting(const char* section, const char* key) {
    return ReadSetting(frame_.ini_file, section, key, "(none)");
  }

  kx::test::TempFolder folder_;
  kx::test::ScopedEnv config_{"XDG_CONFIG_HOME", folder_ / "config"};
  kx::test::ScopedEnv data_{"XDG_DATA_HOME", folder_ / "data"};
  qtplatform::MessagePump pump_;
  FakeFrame frame_;
  QMdiArea area_;
  QPointer<frmFindTextInFiles> window_;
  int beeps_ = 0;
};

}  // namespace kestrix::test
