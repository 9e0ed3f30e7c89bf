// The ways the dialog closes and what each leaves for the search window to read.
#include "desktop/search/combo_history.h"
#include "tests/desktop/search/options_dialog_fixture.h"

namespace kestrix::test {
namespace {

class Closing : public OptionsDialogTest {
 protected:
  // What the search window does before showing the dialog.
  void Preset() {
    SetHistory(Combo("cbDirectory"), {"/old", "/data"});
    SetHistory(Combo("cbFileExt"), {"*.txt"});
    SetHistory(Combo("cbSearchFor"), {"needle"});
    Check("cbCaseSensitive")->setChecked(true);
    Check("cbBeepWhenDone")->setChecked(true);
  }
  void ExpectPresetKept() {
    EXPECT_EQ(Combo("cbDirectory")->currentText(), "/data");
    EXPECT_EQ(Combo("cbDirectory")->count(), 2);
    EXPECT_TRUE(Check("cbCaseSensitive")->isChecked());
    EXPECT_TRUE(Check("cbBeepWhenDone")->isChecked());
  }
};

TEST_F(Closing, EnterInEveryComboBoxAcceptsAndKeepsWhatWasTyped) {
  for (const char* name : {"cbDirectory", "cbFileExt", "cbSearchFor"}) {
    dialog_.bCancelled = true;
    dialog_.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog_));
    TypeInto(name, "typed");
    PressIn(Combo(name)->lineEdit(), Qt::Key_Return);
    EXPECT_FALSE(dialog_.isVisible()) << name;
    EXPECT_FALSE(dialog_.bCancelled) << name;
    EXPECT_EQ(dialog_.result(), QDialog::Accepted) << name;
    EXPECT_EQ(Combo(name)->currentText(), "typed") << name;
    EXPECT_EQ(Combo(name)->count(), 0) << name << ": Enter must not add to the history";
  }
}

// The boxes offer their histories but neither complete nor correct what the user typed.
TEST_F(Closing, EnterGivesExactlyTheTypedTextWhateverTheHistoryHolds) {
  const char* const typed_texts[] = {"alph", "Alpha$", "beta"};  // a prefix, a case variant, no entry
  for (const char* name : {"cbDirectory", "cbFileExt", "cbSearchFor"}) {
    for (const char* typed : typed_texts) {
      SetHistory(Combo(name), {"other", "alpha$"});
      dialog_.open();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog_));
      TypeInto(name, typed);
      EXPECT_EQ(Combo(name)->currentText().toStdString(), typed) << name << " while typing";
      PressIn(Combo(name)->lineEdit(), Qt::Key_Return);
      EXPECT_FALSE(dialog_.isVisible()) << name << ", " << typed;
      EXPECT_EQ(Combo(name)->currentText().toStdString(), typed) << name;
      EXPECT_EQ(Combo(name)->count(), 2) << name << ": the history stays";
    }
  }
}

TEST_F(Closing, SearchKeepsTheValuesAndLeavesTheFocusOnTheSearchText) {
  Preset();
  dialog_.bCancelled = true;
  Click("cbSearch");
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_FALSE(dialog_.bCancelled);
  ExpectPresetKept();
  dialog_.open();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog_));
  EXPECT_TRUE(Combo("cbSearchFor")->hasFocus());
}

TEST_F(Closing, CancelHidesAndKeepsTheValues) {
  Preset();
  Click("cbCancel");
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_TRUE(dialog_.bCancelled);
  ExpectPresetKept();
}

TEST_F(Closing, CancelAfterAnEarlierSearchStillCancels) {
  Click("cbSearch");
  dialog_.open();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog_));
  Click("cbCancel");
  EXPECT_TRUE(dialog_.bCancelled);
}

TEST_F(Closing, TheCloseBoxMeansCancel) {
  Preset();
  dialog_.close();
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_TRUE(dialog_.bCancelled);
  ExpectPresetKept();
}

TEST_F(Closing, EscapeCancelsAndStartsTheDialogOver) {
  Preset();
  TypeInto("cbSearchFor", "half typed");
  PressIn(Combo("cbSearchFor")->lineEdit(), Qt::Key_Escape);
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_TRUE(dialog_.bCancelled);
  for (const char* name : {"cbDirectory", "cbFileExt", "cbSearchFor"}) {
    EXPECT_EQ(Combo(name)->count(), 0) << name;
    EXPECT_EQ(Combo(name)->currentText(), "") << name;
  }
  for (QCheckBox* box : dialog_.findChildren<QCheckBox*>())
    EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
}

TEST_F(Closing, EscapeOnACheckBoxAlsoCancels) {
  Preset();
  QTest::mouseClick(Check("cbWholeWordOnly"), Qt::LeftButton);
  PressIn(Check("cbWholeWordOnly"), Qt::Key_Escape);
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_TRUE(dialog_.bCancelled);
  EXPECT_FALSE(Check("cbCaseSensitive")->isChecked());
}

TEST_F(Closing, AfterEscapeTheNextShowingIsPresetAsAfterCancel) {
  Preset();
  PressIn(&dialog_, Qt::Key_Escape);
  Preset();
  dialog_.open();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog_));
  ExpectPresetKept();
  EXPECT_FALSE(Hints()->isVisible());
  Click("cbSearch");
  EXPECT_FALSE(dialog_.bCancelled);
}

}  // namespace
}  // namespace kestrix::test
