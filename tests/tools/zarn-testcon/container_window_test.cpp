// The test container with the search control in it, driven through its window as a developer drives it:
// the members pane against the control's type library, properties assigned and read back, methods invoked
// with by-reference arguments, errors and events in the log.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "platform/ole/dispatch_driver.h"
#include "platform/ole/object_creation.h"
#include "platform/qt/dialog_renderer.h"
#include "platform/qt/message_pump.h"
#include "tests/support/temp_folder.h"
#include "tools/zarn-testcon/container_window.h"

namespace testcon {
namespace {

constexpr ole::CLSID kSearchControl = ole::MakeGuid("3F1B2A43-5C6D-4E7F-8A9B-0C1D2E3F4A50");

class ContainerWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(window_.CreateControl("ZARN.ZarnCtrl.1")) << Log().toStdString(); }

  int RowOf(const char* name) const {
    const ole::MemberDescription* member = window_.Control()->Members()->Find(std::string_view(name));
    return member ? window_.members->RowOf(member->id) : -1;
  }
  QString Cell(int row, int column) const {
    return window_.members->data(window_.members->index(row, column), Qt::DisplayRole).toString();
  }
  QString Value(const char* name) const { return Cell(RowOf(name), MemberTable::kValue); }
  void Select(const char* name) {
    ASSERT_GE(RowOf(name), 0) << name;
    window_.tblMembers->setCurrentIndex(window_.members->index(RowOf(name), 0));
  }
  void SetProperty(const char* name, const QString& text) {
    Select(name);
    window_.txtValue->setText(text);
    QTest::mouseClick(window_.cmdApply, Qt::LeftButton);
  }
  void Invoke(const char* name, const QString& arguments = {}) {
    Select(name);
    window_.txtArguments->setText(arguments);
    QTest::mouseClick(window_.cmdInvoke, Qt::LeftButton);
  }
  // The control itself, reached past the window.
  ole::DispatchDriver Driver() const {
    return ole::DispatchDriver(ole::ComPtr<ole::IDispatch>(window_.Control()->Object()));
  }
  QString Log() const { return window_.txtLog->Lines().join('\n'); }
  bool WaitForLog(const QString& text) {
    return kx::test::WaitFor(
        [&] { return Log().contains(text); }, std::chrono::seconds(20),
        [] { QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5); });
  }
  void SearchFor(const std::string& folder) {
    SetProperty("SearchPath", QString::fromStdString(folder));
    SetProperty("SearchExt", "*.txt");
    SetProperty("SearchString", "x");
    Invoke("Begin");
    ASSERT_TRUE(WaitForLog("Event ScanCompleted()")) << Log().toStdString();
  }

  kx::test::TempFolder folder_;
  kx::test::ScopedEnv config_{"XDG_CONFIG_HOME", folder_ / "config"};
  qtplatform::MessagePump pump_;          // the control's events arrive through its window's messages
  qtplatform::QtDialogRenderer dialogs_;  // the control's about box and property pages
  ContainerWindow window_;
};

TEST_F(ContainerWindowTest, ListsEveryMemberOfTheDefaultInterfaceWithItsDispid) {
  const ole::TypeLibraryDescription* library = ole::TypeLibraryOfClass(kSearchControl);
  ASSERT_NE(library, nullptr);
  ASSERT_EQ(library->classes.size(), 1u);
  const ole::InterfaceDescription* members = library->FindInterface(library->classes[0].default_interface);
  ASSERT_NE(members, nullptr);
  EXPECT_EQ(members->name, "_DZarn");
  ASSERT_EQ(window_.members->rowCount(), static_cast<int>(members->members.size()));
  for (int row = 0; row < window_.members->rowCount(); ++row) {
    const ole::MemberDescription& member = members->members[static_cast<std::size_t>(row)];
    EXPECT_EQ(Cell(row, MemberTable::kDispid), QString::number(member.id));
    EXPECT_EQ(Cell(row, MemberTable::kName), QString::fromStdString(member.name));
  }
  const std::pair<const char*, int> known[] = {
      {"_SearchString", 0}, {"SearchPath", 5}, {"GetFileData", 15}, {"Begin", 17}, {"AboutBox", -552}};
  for (const auto& [name, id] : known) EXPECT_EQ(Cell(RowOf(name), MemberTable::kDispid).toInt(), id) << name;
  EXPECT_EQ(Cell(RowOf("SearchCount"), MemberTable::kKind), "property");
  EXPECT_EQ(Cell(RowOf("SearchCount"), MemberTable::kReadOnly), "yes");
  EXPECT_EQ(Cell(RowOf("Begin"), MemberTable::kKind), "method");
  EXPECT_EQ(Cell(RowOf("Begin"), MemberTable::kType), "Boolean");
  EXPECT_EQ(
      Cell(RowOf("GetFileData"), MemberTable::kParameters),
      "RecordNumber As Long, ByRef FilePath As String, ByRef LineNumber As Long, ByRef ColumnNumber As Long, "
      "ByRef TextFound As String");
  EXPECT_EQ(Cell(RowOf("ThreadPriority"), MemberTable::kType), "ThreadPriorities");
  EXPECT_EQ(Value("ThreadPriority"), "2 (Normal)");
  EXPECT_EQ(Value("CaseSensitive"), "False");
  EXPECT_TRUE(Log().contains(
      "Created ZARN.ZarnCtrl.1 {3F1B2A43-5C6D-4E7F-8A9B-0C1D2E3F4A50}, sited as \"TestCon1\""));
  EXPECT_TRUE(Log().contains("events _DZarnEvents advised")) << Log().toStdString();
}

TEST_F(ContainerWindowTest, AssignedPropertiesReachTheControl) {
  SetProperty("CaseSensitive", "true");
  EXPECT_TRUE(Driver().GetBool("CaseSensitive"));
  EXPECT_EQ(Value("CaseSensitive"), "True");
  EXPECT_EQ(window_.txtValue->text(), "True");  // read back after the assignment
  SetProperty("ThreadPriority", "highest");     // an enumeration's value by its name
  EXPECT_EQ(Driver().GetLong("ThreadPriority"), 3);
  EXPECT_EQ(Value("ThreadPriority"), "3 (Highest)");
  SetProperty("SearchPath", "/tmp/some folder/");
  EXPECT_EQ(Driver().GetText("SearchPath"), "/tmp/some folder/");
  EXPECT_TRUE(Log().contains("Put CaseSensitive = \"true\"")) << Log().toStdString();
}

TEST_F(ContainerWindowTest, RefusedAssignmentsAreLoggedWithTheirErrors) {
  SetProperty("ThreadPriority", "fast");
  EXPECT_TRUE(
      Log().contains("Put ThreadPriority = \"fast\" failed: cannot convert to ThreadPriorities: 0x80020005 "
                     "DISP_E_TYPEMISMATCH"))
      << Log().toStdString();
  SetProperty("ThreadPriority", "99999999999");
  EXPECT_TRUE(Log().contains("0x8002000A DISP_E_OVERFLOW")) << Log().toStdString();
  EXPECT_EQ(Driver().GetLong("ThreadPriority"), 2);
  SetProperty("SearchCount", "5");  // the control's own refusal, with its description
  EXPECT_TRUE(
      Log().contains("Put SearchCount = \"5\" failed: 0x80020009 DISP_E_EXCEPTION: Property is read-only"))
      << Log().toStdString();
}

TEST_F(ContainerWindowTest, BeginOnAnEmptyFolderLogsTheScanEventsWithTheirTimes) {
  SearchFor(folder_.MakeFolder("empty"));
  const QStringList lines = window_.txtLog->toPlainText().split('\n');
  const auto started =
      lines.indexOf(QRegularExpression(R"(^\d\d:\d\d:\d\d\.\d\d\d  Event ScanStarted\(\)$)"));
  const auto completed =
      lines.indexOf(QRegularExpression(R"(^\d\d:\d\d:\d\d\.\d\d\d  Event ScanCompleted\(\)$)"));
  EXPECT_GE(started, 0) << Log().toStdString();
  EXPECT_GT(completed, started);
  EXPECT_TRUE(Log().contains("Call Begin() -> True"));
  EXPECT_TRUE(kx::test::WaitFor([&] { return Value("SearchActive") == "False"; }, std::chrono::seconds(20),
                                [] { QApplication::processEvents(QEventLoop::AllEvents, 5); }));
}

TEST_F(ContainerWindowTest, MethodsReturnByReferenceValuesAndReportTheirErrors) {
  const std::string file = folder_.Write("tree/a.txt", "find x here\n");
  SearchFor(folder_ / "tree");
  Invoke("GetFileData", "0");
  EXPECT_TRUE(
      Log().contains(QString::fromStdString("Call GetFileData(0, \"\", 0, 0, \"\") -> True; FilePath=\"" +
                                            file + "\", LineNumber=1, ColumnNumber=6, TextFound=\"x here\"")))
      << Log().toStdString();
  window_.cboSeparator->setCurrentIndex(window_.cboSeparator->findText(";"));
  Invoke("GetFileData", "7; keep");  // no such record: the control fires OnError, by-reference arguments
  EXPECT_TRUE(WaitForLog("Event OnError(ErrorCode=")) << Log().toStdString();
  EXPECT_TRUE(Log().contains("Call GetFileData(7, \"keep\", 0, 0, \"\") -> False; FilePath=\"keep\""));
  Invoke("GetFileData", "seven");
  EXPECT_TRUE(Log().contains("Call GetFileData failed: RecordNumber: \"seven\" is not a Long"))
      << Log().toStdString();
  Invoke("Abort", "1");
  EXPECT_TRUE(Log().contains("Call Abort failed: Abort takes 0 argument(s), 1 given")) << Log().toStdString();
}

// Presses `button` in the modal dialog once it shows, after `check` has looked at it.
void PressInDialog(const QString& button, std::function<void(QWidget&)> check = {}) {
  QTimer::singleShot(0, [button, check] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    if (check) check(*dialog);
    for (QPushButton* candidate : dialog->findChildren<QPushButton*>())
      if (candidate->text() == button) return QTest::mouseClick(candidate, Qt::LeftButton);
    ADD_FAILURE() << "no button " << button.toStdString();
  });
}

TEST_F(ContainerWindowTest, TheControlMenuShowsTheAboutBoxAndThePropertyPages) {
  ASSERT_TRUE(window_.actAboutBox->isEnabled());
  PressInDialog("OK");
  window_.actAboutBox->trigger();
  EXPECT_TRUE(Log().contains("About box: 0x00000000 S_OK")) << Log().toStdString();
  ASSERT_TRUE(window_.actProperties->isEnabled());
  PressInDialog("Cancel", [](QWidget& frame) {
    const auto* tabs = frame.findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "&General");
  });
  window_.actProperties->trigger();
  EXPECT_TRUE(Log().contains("Properties: 0x00000000 S_OK")) << Log().toStdString();
  window_.CloseControl();
  EXPECT_FALSE(window_.actAboutBox->isEnabled());
  EXPECT_FALSE(window_.actProperties->isEnabled());
  EXPECT_EQ(window_.members->rowCount(), 0);
}

TEST_F(ContainerWindowTest, TheDesignViewShowsTheControlAsItDrawsItselfWithItsVerbs) {
  EXPECT_EQ(window_.designCanvas->ControlSize(), QSize(32, 32));
  std::vector<std::string> verbs;
  for (const ole::OLEVERB& verb : window_.designCanvas->Verbs()) verbs.push_back(verb.name);
  EXPECT_EQ(verbs, (std::vector<std::string>{"&Properties...", "&Edit"}));
  window_.show();
  auto* canvas = window_.designCanvas->findChild<QWidget*>("designCanvas");
  ASSERT_NE(canvas, nullptr);
  const QImage drawn = canvas->grab().toImage();
  EXPECT_EQ(drawn.pixelColor(16, 16), QColor(0x1F, 0x4E, 0x8C));  // the icon's frame at the control's corner
  EXPECT_EQ(drawn.pixelColor(16 + 33, 16 + 16), canvas->palette().window().color());  // beside the control
}

TEST_F(ContainerWindowTest, ControlsAreChosenFromTheListOrByName) {
  const int listed = window_.cboControls->findText("ZARN.ZarnCtrl.1", Qt::MatchStartsWith);
  ASSERT_GE(listed, 0);
  EXPECT_TRUE(window_.cboControls->itemText(listed).endsWith("(manifest)"));
  EXPECT_EQ(window_.cboControls->currentIndex(), listed);  // the control created is the one shown
  EXPECT_FALSE(window_.CreateControl("No.Such.Control"));
  EXPECT_EQ(window_.Control(), nullptr);
  EXPECT_FALSE(window_.CreateControl("{00000000-0000-0000-0000-0000000000AB}"));
  EXPECT_TRUE(
      Log().contains("Create {00000000-0000-0000-0000-0000000000AB} failed: 0x80040154 REGDB_E_CLASSNOTREG"))
      << Log().toStdString();
  window_.txtClass->setText(" {3f1b2a43-5c6d-4e7f-8a9b-0c1d2e3f4a50} ");
  QTest::mouseClick(window_.cmdCreate, Qt::LeftButton);
  ASSERT_NE(window_.Control(), nullptr);
  EXPECT_EQ(window_.members->rowCount(), 19);
}

}  // namespace
}  // namespace testcon
