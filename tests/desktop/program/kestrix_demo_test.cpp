// The desktop program as a user meets it: the main window with the real search window and the real
// control, driven through menus, keys, the dialog and the grids, and the same state found again when the
// program starts a second time.
#include <QComboBox>
#include <QMdiSubWindow>

#include "desktop/frame/settings_file.h"
#include "desktop/search/options_dialog.h"
#include "desktop/search/status_texts.h"
#include "platform/qt/flex_grid.h"
#include "platform/qt/status_bar.h"
#include "tests/desktop/program/program_fixture.h"

namespace kestrix {
namespace {

class KestrixDemo : public ProgramTest {
 protected:
  // Confirms the options dialog with `text` as soon as it shows.
  void AnswerDialog(frmMainMDI& window, const QString& text) {
    QTimer::singleShot(0, &window, [&window, text, this] {
      auto* dialog = window.findChild<frmFindTextInFilesOptions*>();
      ASSERT_NE(dialog, nullptr);
      dialog->cbDirectory->setEditText(QString::fromStdString(folder_ / "files"));
      dialog->cbFileExt->setEditText("*.txt");
      dialog->cbSearchFor->setEditText(text);
      QTest::keyClick(dialog->cbSearchFor, Qt::Key_Return);
    });
  }
  bool SearchEnded(frmFindTextInFiles& search) {
    const auto& status = test::NamedChild<qtplatform::StatusBar>(search, "sbStatus");
    return WaitUntil([&] { return status.PanelText(kScanTimePanel).endsWith(" (Sec)"); });
  }
};

TEST_F(KestrixDemo, CtrlIRunsASearchWhoseFindingsOpenInTheViewer) {
  folder_.Write("files/a.txt", "first line\nsecond with a kestrel\n");
  folder_.Write("files/b.txt", "kestrel here\n");
  auto window = Start();
  frmFindTextInFiles* search = Search(*window);
  ASSERT_NE(search, nullptr);
  EXPECT_FALSE(search->SubWindow()->isVisible());  // first start: loaded, not shown

  AnswerDialog(*window, "kestrel");
  QTest::keyClick(window.get(), Qt::Key_I, Qt::ControlModifier);
  ASSERT_TRUE(search->SubWindow()->isVisible());
  ASSERT_TRUE(SearchEnded(*search));
  auto& results = test::NamedChild<qtplatform::FlexGrid>(*search, "fgFiles");
  ASSERT_EQ(results.Rows(), 3);
  EXPECT_EQ(test::NamedChild<qtplatform::StatusBar>(*search, "sbStatus").PanelText(kHitCountPanel), "2");
  EXPECT_TRUE(window->findChild<QAction*>("mnuReport")->isVisible());
  EXPECT_TRUE(window->findChild<QAction*>("frmFindTextInFiles")->isChecked());

  const int row = results.TextMatrix(1, 0).endsWith("a.txt") ? 1 : 2;
  const QModelIndex cell = results.model()->index(row - 1, 0);
  QTest::mouseClick(results.viewport(), Qt::LeftButton, {}, results.visualRect(cell).center());
  QTest::mouseDClick(results.viewport(), Qt::LeftButton, {}, results.visualRect(cell).center());
  const auto& viewer = test::NamedChild<qtplatform::FlexGrid>(*search, "msfgFileWithHit");
  EXPECT_EQ(viewer.Rows(), 2);
  EXPECT_EQ(viewer.Row(), 1);
  EXPECT_TRUE(search->windowTitle().contains(" LINE: 2 COL: 15 ITEM: kestrel"));

  // F5 runs the same search again into a fresh grid.
  QTest::keyClick(window.get(), Qt::Key_F5);
  ASSERT_TRUE(SearchEnded(*search));
  EXPECT_EQ(test::NamedChild<qtplatform::FlexGrid>(*search, "fgFiles").Rows(), 3);
  Quit(window);
}

TEST_F(KestrixDemo, TheNextStartFindsEverythingAsItWasLeft) {
  folder_.Write("files/a.txt", "kestrel\n");
  auto window = Start();
  AnswerDialog(*window, "kestrel");
  window->findChild<QAction*>("mnuFindTextInFiles")->trigger();
  ASSERT_TRUE(SearchEnded(*Search(*window)));
  window->findChild<QAction*>("mnuThreadPriorityLevel3")->trigger();
  test::NamedChild<qtplatform::FlexGrid>(*Search(*window), "fgFiles").SetColWidth(3, 4000);
  window->showNormal();
  window->setGeometry(60, 50, 900, 640);
  const QRect geometry = window->geometry();
  Quit(window);
  const std::string ini = IniFilePath();
  EXPECT_EQ(ReadSetting(ini, "Main", "mlThreadPriority", ""), "3");
  EXPECT_EQ(ReadSetting(ini, "Main", "frmFindTextInFiles_Visible", ""), "True");
  EXPECT_EQ(ReadSetting(ini, "Main", "ActiveForm", ""), "frmFindTextInFiles");
  EXPECT_EQ(ReadSetting(ini, "General", "Col4Width", ""), "4000");

  window = Start();
  frmFindTextInFiles* search = Search(*window);
  ASSERT_NE(search, nullptr);
  EXPECT_TRUE(search->SubWindow()->isVisible());
  EXPECT_TRUE(window->findChild<QAction*>("mnuThreadPriorityLevel3")->isChecked());
  EXPECT_EQ(window->ThreadPriority(), 3);
  EXPECT_EQ(test::NamedChild<qtplatform::FlexGrid>(*search, "fgFiles").ColWidth(3), 4000);
  EXPECT_EQ(window->geometry().size(), geometry.size());
  QTimer::singleShot(0, search, [search] {
    auto* dialog = search->findChild<frmFindTextInFilesOptions*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->cbSearchFor->currentText(), "kestrel");
    dialog->reject();
  });
  search->FindText();
  Quit(window);
}

}  // namespace
}  // namespace kestrix
