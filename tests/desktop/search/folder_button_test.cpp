// The folder picker and the options dialog's folder button: the picker's answer becomes the folder,
// whatever it is.
#include "desktop/search/combo_history.h"
#include "desktop/search/folder_picker.h"
#include "platform/qt/folder_browser.h"
#include "tests/desktop/search/options_dialog_fixture.h"

namespace kestrix::test {
namespace {

TEST(BrowseForFolder, AsksForADirectoryWithItsTitleAndPassesTheAnswerOn) {
  QWidget owner;
  QWidget* asked_owner = nullptr;
  QString asked_title;
  QString answer = "/home/someone/projects";
  const qtplatform::ScopedFolderPresenter presenter([&](QWidget* o, const QString& title) {
    asked_owner = o;
    asked_title = title;
    return answer;
  });
  EXPECT_EQ(BrowseForFolder(&owner), "/home/someone/projects");
  EXPECT_EQ(asked_owner, &owner);
  EXPECT_EQ(asked_title, "Select Directory");
  answer.clear();  // cancelled
  EXPECT_EQ(BrowseForFolder(&owner), "");
}

class FolderButton : public OptionsDialogTest {
 protected:
  FolderButton() { SetHistory(Combo("cbDirectory"), {"/earlier"}); }

  QString answer_;
  std::vector<QWidget*> owners_;
  const qtplatform::ScopedFolderPresenter presenter_{[this](QWidget* owner, const QString&) {
    owners_.push_back(owner);
    return answer_;
  }};
};

TEST_F(FolderButton, TheChosenFolderBecomesTheDirectory) {
  answer_ = "/home/user/projects";
  Click("cbSelectFolder");
  ASSERT_EQ(owners_.size(), 1u);
  EXPECT_EQ(owners_[0], &dialog_);
  EXPECT_EQ(Combo("cbDirectory")->currentText(), "/home/user/projects");
  EXPECT_TRUE(Button("cbSearch")->hasFocus());
}

TEST_F(FolderButton, ACancelledPickerEmptiesTheDirectory) {
  answer_ = "";
  Click("cbSelectFolder");
  EXPECT_EQ(Combo("cbDirectory")->currentText(), "");
  EXPECT_TRUE(Button("cbSearch")->hasFocus());
}

TEST_F(FolderButton, ItsAccessKeyPressesIt) {
  QTest::keyClick(&dialog_, Qt::Key_Period, Qt::AltModifier);
  EXPECT_TRUE(Button("cbSelectFolder")->isDown());
}

TEST_F(FolderButton, FromTheKeyboardEnterPicksAndEnterAgainSearches) {
  answer_ = "/srv";
  Button("cbSelectFolder")->setFocus(Qt::TabFocusReason);
  QTest::keyClick(Button("cbSelectFolder"), Qt::Key_Return);
  ASSERT_EQ(owners_.size(), 1u);
  QTest::keyClick(Button("cbSearch"), Qt::Key_Return);
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_FALSE(dialog_.bCancelled);
  EXPECT_EQ(Combo("cbDirectory")->currentText(), "/srv");
}

// The button asks the program's folder browser, owned by the dialog.
TEST_F(OptionsDialogTest, TheFolderButtonUsesTheProgramsFolderBrowser) {
  std::vector<QWidget*> owners;
  {
    const qtplatform::ScopedFolderPresenter presenter([&owners](QWidget* owner, const QString&) {
      owners.push_back(owner);
      return QString("/chosen");
    });
    Click("cbSelectFolder");
  }
  ASSERT_EQ(owners.size(), 1u);
  EXPECT_EQ(owners[0], &dialog_);
  EXPECT_EQ(Combo("cbDirectory")->currentText(), "/chosen");
}

}  // namespace
}  // namespace kestrix::test
