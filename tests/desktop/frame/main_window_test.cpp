// The main window: its menus and toolbar, the calls it makes on the active child window, the toolbar's
// pressed state, its reaction to being resized, and the help document.
#include <QActionGroup>
#include <QDialog>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "desktop/frame/settings_file.h"
#include "tests/desktop/frame/main_window_fixture.h"

namespace kestrix {
namespace {

// Collects Qt's warnings while it lives (the offscreen platform's remarks about size hints aside).
class WarningCatcher {
 public:
  WarningCatcher() : previous_(qInstallMessageHandler(Catch)) { caught_ = &warnings; }
  ~WarningCatcher() {
    qInstallMessageHandler(previous_);
    caught_ = nullptr;
  }
  QStringList warnings;

 private:
  static void Catch(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg && !message.contains("propagateSizeHints"))
      caught_->append(message);
  }
  inline static QStringList* caught_ = nullptr;
  QtMessageHandler previous_;
};

int CheckedLevel(const frmMainMDI& window) {
  int checked = -1;
  for (int level = 0; level < 5; ++level) {
    if (!window.findChild<QAction*>(QString("mnuThreadPriorityLevel%1").arg(level))->isChecked()) continue;
    if (checked != -1) return -2;  // more than one
    checked = level;
  }
  return checked;
}

QAction* FirstButton(const frmMainMDI& window) {
  return window.findChild<QToolBar*>("tbMain")->actions().value(0);
}

using Start = MainWindowTest;

TEST_F(Start, AFirstStartIsIdleWithTheSearchWindowLoadedButHiddenAndNoReportMenu) {
  const auto window = Open();
  EXPECT_EQ(window->objectName(), "frmMainMDI");
  EXPECT_EQ(window->windowTitle(), "Kestrix From Brantwell");
  EXPECT_EQ(window->IniFile(), IniFilePath());
  EXPECT_EQ(window->IniFile().rfind(folder_.path(), 0), 0u);
  EXPECT_FALSE(window->AppClosing());
  EXPECT_EQ(window->ThreadPriority(), 0);
  EXPECT_EQ(CheckedLevel(*window), 0);
  EXPECT_EQ(loads_, 1);
  ASSERT_NE(SearchWindow(*window), nullptr);
  window->show();
  EXPECT_FALSE(SearchWindow(*window)->isVisible());
  EXPECT_FALSE(Menu(*window, "mnuReport")->menuAction()->isVisible());
  EXPECT_FALSE(FirstButton(*window)->isChecked());
  EXPECT_FALSE(Menu(*window, "mnuTemp")->menuAction()->isVisible());
}

TEST_F(Start, TheSettingsFileNameCanBeGiven) {
  const std::string ini = folder_ / "other.INI";
  WriteSetting(ini, "Main", "mlThreadPriority", "4");
  const frmMainMDI window([](ProgramFrame&, QMdiArea&) { return nullptr; }, ini);
  EXPECT_EQ(window.IniFile(), ini);
  EXPECT_EQ(window.ThreadPriority(), 4);
  EXPECT_EQ(CheckedLevel(window), 4);
}

TEST_F(Start, ItemsCarryTheirShortcutsAndTheToolbarButtonItsKey) {
  const auto window = Open();
  EXPECT_EQ(Item(*window, "mnuHelpFile")->text(), "Help File ");  // with its trailing blank
  EXPECT_EQ(Item(*window, "mnuFindTextInFiles")->shortcut(), QKeySequence("Ctrl+I"));
  EXPECT_EQ(Item(*window, "mnuRefresh")->shortcut(), QKeySequence("F5"));
  EXPECT_EQ(Item(*window, "mnuHelpFile")->shortcut(), QKeySequence("F1"));
  EXPECT_EQ(Menu(*window, "mnuWindow")->actions().size(), 3);  // no list of open windows
  QAction* button = FirstButton(*window);
  EXPECT_EQ(button->objectName(), "frmFindTextInFiles");
  EXPECT_TRUE(button->isCheckable());
  EXPECT_FALSE(button->icon().isNull());
}

using ThreadPriority = MainWindowTest;

TEST_F(ThreadPriority, WithNoChildActiveAChoiceChangesOnlyTheCheckAndTheValue) {
  const auto window = Open();
  Item(*window, "mnuThreadPriorityLevel3")->trigger();
  EXPECT_EQ(window->ThreadPriority(), 3);
  EXPECT_EQ(CheckedLevel(*window), 3);
  Item(*window, "mnuThreadPriorityLevel3")->trigger();  // choosing it again keeps it
  EXPECT_EQ(CheckedLevel(*window), 3);
  EXPECT_TRUE(Calls().isEmpty()) << Calls().join(", ").toStdString();
}

TEST_F(ThreadPriority, ASearchWindowLoadedLaterStartsWithTheChoice) {
  const auto window = Open();
  EXPECT_EQ(SearchWindow(*window)->priority_at_load, 0);
  Item(*window, "mnuThreadPriorityLevel1")->trigger();
  window->Area().closeAllSubWindows();
  DeleteClosedWindows();
  ASSERT_EQ(window->SearchWindow(), nullptr);
  window->ShowChildForm("frmFindTextInFiles");
  EXPECT_EQ(loads_, 2);
  ASSERT_NE(SearchWindow(*window), nullptr);
  EXPECT_EQ(SearchWindow(*window)->priority_at_load, 1);
}

TEST_F(ThreadPriority, TheActiveSearchWindowIsToldTheNewLevel) {
  const auto window = Open();
  ASSERT_TRUE(ShowAndActivate(*window));
  window->ShowChildForm("frmFindTextInFiles");
  Item(*window, "mnuThreadPriorityLevel4")->trigger();
  EXPECT_EQ(Calls(), QStringList{"frmFindTextInFiles:SetControlThreadPriority(4)"});
}

TEST_F(ThreadPriority, AnotherActiveChildIsNotTold) {
  const auto window = Open();
  ASSERT_TRUE(ShowAndActivate(*window));
  window->ShowChildForm("frmFindTextInFiles");
  StubChildWindow* other = AddOtherChild(*window, "frmOther");
  window->FocusChild(other);
  ASSERT_EQ(window->ActiveChild(), other);
  Item(*window, "mnuThreadPriorityLevel2")->trigger();
  EXPECT_TRUE(Calls().isEmpty()) << Calls().join(", ").toStdString();
  EXPECT_EQ(window->ThreadPriority(), 2);
}

TEST_F(ThreadPriority, OpeningTheSubmenuChecksTheChosenLevel) {
  const auto window = Open();
  Item(*window, "mnuThreadPriorityLevel2")->trigger();
  QAction* chosen = Item(*window, "mnuThreadPriorityLevel2");
  chosen->actionGroup()->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
  chosen->setChecked(false);
  emit Menu(*window, "mnuThreadPriority")->aboutToShow();
  EXPECT_TRUE(chosen->isChecked());
}

using ChildOperations = MainWindowTest;

TEST_F(ChildOperations, ViewAndReportItemsDoNothingWithoutAnActiveChild) {
  for (const Child kind : {Child::kNone, Child::kStub}) {
    child_ = kind;
    const auto window = Open();  // the stub search window is loaded but hidden, so not active
    WarningCatcher catcher;
    for (const char* item : {"mnuFont", "mnuRefresh", "mnuReportTextFile", "mnuReportTabDelimitedFile",
                             "mnuReportCommaDelimitedFile", "mnuThreadPriorityLevel1"})
      Item(*window, item)->trigger();
    EXPECT_TRUE(Calls().isEmpty()) << Calls().join(", ").toStdString();
    EXPECT_TRUE(catcher.warnings.isEmpty()) << catcher.warnings.join("\n").toStdString();
  }
}

TEST_F(ChildOperations, ViewAndReportItemsCallTheActiveChild) {
  const auto window = Open();
  ASSERT_TRUE(ShowAndActivate(*window));
  window->ShowChildForm("frmFindTextInFiles");
  for (const char* item : {"mnuFont", "mnuRefresh", "mnuReportTextFile", "mnuReportTabDelimitedFile",
                           "mnuReportCommaDelimitedFile"})
    Item(*window, item)->trigger();
  EXPECT_EQ(Calls(), (QStringList{"frmFindTextInFiles:Change_Font(1)", "frmFindTextInFiles:Refresh_View",
                                  "frmFindTextInFiles:mnuReportTextFile_Click",
                                  "frmFindTextInFiles:mnuReportTabDelimitedFile_Click",
                                  "frmFindTextInFiles:mnuReportCommaDelimitedFile_Click"}));
}

TEST_F(ChildOperations, AChildWithoutTheOperationIsPassedOverSilently) {
  child_ = Child::kWithoutOperations;
  const auto window = Open();
  ASSERT_TRUE(ShowAndActivate(*window));
  WarningCatcher catcher;
  for (const char* item : {"mnuFindTextInFiles", "mnuFont", "mnuRefresh", "mnuReportTabDelimitedFile",
                           "mnuThreadPriorityLevel3"})
    Item(*window, item)->trigger();
  window->resize(window->size() + QSize(20, 20));
  QApplication::processEvents();
  EXPECT_TRUE(window->SearchWindow()->isVisible());
  EXPECT_EQ(window->ThreadPriority(), 3);
  EXPECT_TRUE(catcher.warnings.isEmpty()) << catcher.warnings.join("\n").toStdString();
}

using OpeningTheSearchWindow = MainWindowTest;

TEST_F(OpeningTheSearchWindow, CtrlIShowsItPressesTheButtonAndStartsFindText) {
  const auto window = Open();
  ASSERT_TRUE(ShowAndActivate(*window));
  QTest::keyClick(window.get(), Qt::Key_I, Qt::ControlModifier);
  ASSERT_TRUE(SearchWindow(*window)->isVisible());
  EXPECT_EQ(window->ActiveChild(), window->SearchWindow());
  EXPECT_TRUE(FirstButton(*window)->isChecked());
  EXPECT_EQ(Calls().filter(":FindText"), QStringList{"frmFindTextInFiles:FindText"});
  QTest::keyClick(window.get(), Qt::Key_I, Qt::ControlModifier);  // already open: focus and find again
  EXPECT_EQ(Calls().filter(":FindText").size(), 2);
  EXPECT_EQ(loads_, 1);
}

TEST_F(OpeningTheSearchWindow, TheToolbarButtonOnlyShowsIt) {
  const auto window = Open();
  ASSERT_TRUE(ShowAndActivate(*window));
  QToolBar* toolbar = window->findChild<QToolBar*>("tbMain");
  QTest::mouseClick(toolbar->widgetForAction(FirstButton(*window)), Qt::LeftButton);
  EXPECT_TRUE(SearchWindow(*window)->isVisible());
  EXPECT_EQ(window->ActiveChild(), window->SearchWindow());
  EXPECT_TRUE(Calls().filter(":FindText").isEmpty());
}

TEST_F(OpeningTheSearchWindow, AClosedSearchWindowIsLoadedAgainAndOtherNamesDoNothing) {
  const auto window = Open();
  window->show();
  window->ShowChildForm("frmfindtextinfiles");
  window->ShowChildForm("frmOther");
  EXPECT_FALSE(SearchWindow(*window)->isVisible());
  window->Area().closeAllSubWindows();
  DeleteClosedWindows();
  window->ShowChildForm("frmFindTextInFiles");
  EXPECT_EQ(loads_, 2);
  EXPECT_TRUE(SearchWindow(*window)->isVisible());
}

using Toolbar = MainWindowTest;

TEST_F(Toolbar, TheButtonIsRaisedWhenOnlyTheMainAndTheClosingWindowAreVisible) {
  const auto window = Open();
  window->show();
  QAction* button = FirstButton(*window);
  button->setChecked(true);
  window->UpateMainToolbar();  // only the main window
  EXPECT_TRUE(button->isChecked());
  window->ShowChildForm("frmFindTextInFiles");
  QDialog dialog;
  dialog.show();
  window->UpateMainToolbar();  // three
  EXPECT_TRUE(button->isChecked());
  dialog.hide();
  window->UpateMainToolbar();  // two
  EXPECT_FALSE(button->isChecked());
}

TEST_F(Toolbar, TheActivatedSearchWindowBringsTheReportMenuWithOnlyTabDelimited) {
  const auto window = Open();
  window->show();
  window->SearchWindowActivated();
  EXPECT_TRUE(Menu(*window, "mnuReport")->menuAction()->isVisible());
  EXPECT_TRUE(Item(*window, "mnuReportTabDelimitedFile")->isVisible());
  EXPECT_FALSE(Item(*window, "mnuReportTextFile")->isVisible());
  EXPECT_FALSE(Item(*window, "mnuReportCommaDelimitedFile")->isVisible());
  EXPECT_TRUE(FirstButton(*window)->isChecked());
  window->UpateMainToolbar();
  window->Area().closeAllSubWindows();
  EXPECT_TRUE(Menu(*window, "mnuReport")->menuAction()->isVisible());  // nothing hides it again
}

using Resizing = MainWindowTest;

TEST_F(Resizing, EveryLoadedChildIsToldInOrderUnlessMinimised) {
  const auto window = Open();
  window->showNormal();
  AddOtherChild(*window, "frmOther");
  QApplication::processEvents();
  log_.clear();
  window->resize(window->size() + QSize(40, 30));
  ASSERT_TRUE(kx::test::WaitFor([&] { return !log_.isEmpty(); }, std::chrono::seconds(10),
                                [] { QApplication::processEvents(); }));
  EXPECT_EQ(log_.mid(0, 2), (QStringList{"frmFindTextInFiles:Form_Resize", "frmOther:Form_Resize"}));
  log_.clear();
  window->showMinimized();
  QApplication::processEvents();
  EXPECT_TRUE(log_.isEmpty()) << log_.join(", ").toStdString();
  window->showNormal();
  ASSERT_TRUE(kx::test::WaitFor([&] { return log_.contains("frmOther:Form_Resize"); },
                                std::chrono::seconds(10), [] { QApplication::processEvents(); }));
}

using MenuItems = MainWindowTest;

TEST_F(MenuItems, HelpFileOpensTheDocumentBesideTheProgram) {
  const auto window = Open();
  QStringList opened;
  window->help_opener = [&](const QString& path) {
    opened << path;
    return false;  // not opened: nothing follows
  };
  Item(*window, "mnuHelpFile")->trigger();
  EXPECT_EQ(opened, QStringList{QCoreApplication::applicationDirPath() + "/KESTRIX.html"});
  const std::optional<std::string> document = kx::test::ReadFile(opened.value(0).toStdString());
  ASSERT_TRUE(document.has_value()) << "the build copies the help document beside the program";
  EXPECT_NE(document->find("Thread Priority"), std::string::npos);
}

TEST_F(MenuItems, AboutOpensTheAboutWindowModally) {
  const auto window = Open();
  window->show();
  QString shown;
  QTimer::singleShot(0, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) shown = modal->objectName();
    for (QWidget* top : QApplication::topLevelWidgets())  // whatever opened, it must not block the test
      if (qobject_cast<QDialog*>(top) != nullptr && top->isVisible()) top->close();
  });
  Item(*window, "mnuAbout")->trigger();
  EXPECT_EQ(shown, "frmAbout");
}

TEST_F(MenuItems, ExitClosesTheWindowAndItsChildren) {
  const auto window = Open();
  window->show();
  window->ShowChildForm("frmFindTextInFiles");
  const QPointer<QWidget> search_window = window->SearchWindow();
  Item(*window, "mnuExit")->trigger();
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(window->AppClosing());
  EXPECT_TRUE(log_.contains("frmFindTextInFiles:close"));
  DeleteClosedWindows();
  EXPECT_TRUE(search_window.isNull());
}

}  // namespace
}  // namespace kestrix
