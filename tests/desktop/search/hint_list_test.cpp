// The hint list: dropping it down, choosing an element by mouse or keyboard, and leaving it.
#include <functional>

#include "tests/desktop/search/options_dialog_fixture.h"

namespace kestrix::test {
namespace {

class HintListTest : public OptionsDialogTest {
 protected:
  void ExpectCaretAtEnd() {
    QLineEdit* edit = Combo("cbSearchFor")->lineEdit();
    EXPECT_FALSE(edit->hasSelectedText());
    EXPECT_EQ(edit->cursorPosition(), edit->text().size());
  }
  // Clicks into `combo` and presses Enter there, as the user does.
  void EnterIn(const char* combo) {
    QLineEdit* edit = Combo(combo)->lineEdit();
    QTest::mouseClick(edit, Qt::LeftButton);
    PressIn(edit, Qt::Key_Return);
  }
  void ExpectAccepted(const char* where) {
    EXPECT_FALSE(Hints()->isVisible()) << where;
    EXPECT_FALSE(dialog_.isVisible()) << where;
    EXPECT_FALSE(dialog_.bCancelled) << where;
  }
  // After the "$" element was chosen by `choose_end_element`, Search is still the default button: Enter in
  // the search text accepts it with the element, and Enter in every combo box accepts the next showings.
  void ExpectEnterAcceptsAfter(const std::function<void()>& choose_end_element) {
    TypeInto("cbSearchFor", "end");
    choose_end_element();
    EnterIn("cbSearchFor");
    ExpectAccepted("after choosing");
    EXPECT_EQ(SearchText(), "end$");
    for (const char* name : {"cbDirectory", "cbFileExt", "cbSearchFor"}) {
      dialog_.bCancelled = true;
      dialog_.open();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog_));
      EnterIn(name);
      ExpectAccepted(name);
    }
  }
};

TEST_F(HintListTest, TheButtonDropsTheListDownWithTheFocus) {
  Click("Command1");
  EXPECT_TRUE(Hints()->isVisible());
  EXPECT_TRUE(Hints()->hasFocus());
  const QRect list = Hints()->geometry();
  EXPECT_GE(list.top(), Combo("cbSearchFor")->geometry().bottom());
  for (int row = 0; row < Hints()->count(); ++row) {
    EXPECT_TRUE(Hints()->viewport()->rect().contains(Hints()->visualItemRect(Hints()->item(row)))) << row;
  }
}

TEST_F(HintListTest, EachElementIsAppendedExceptTheCaretWhichGoesInFront) {
  const QString after[] = {"ab?", "ab*", "ab[]", "^ab", "ab$", "ab\\"};
  for (int row = 0; row < 6; ++row) {
    TypeInto("cbSearchFor", "ab");
    ClickHint(row);
    EXPECT_EQ(SearchText(), after[row]) << row;
    EXPECT_FALSE(Hints()->isVisible()) << row;
  }
}

TEST_F(HintListTest, TheCaretTwiceGivesTwoCaretsInFront) {
  TypeInto("cbSearchFor", "text");
  ClickHint(3);
  ClickHint(3);
  EXPECT_EQ(SearchText(), "^^text");
  ExpectCaretAtEnd();
}

TEST_F(HintListTest, BracketsLeaveTheCaretAfterThemWithNothingSelected) {
  TypeInto("cbSearchFor", "a");
  Combo("cbSearchFor")->lineEdit()->setCursorPosition(0);
  ClickHint(2);
  EXPECT_EQ(SearchText(), "a[]");
  ExpectCaretAtEnd();
  EXPECT_TRUE(Combo("cbSearchFor")->lineEdit()->hasFocus());
}

TEST_F(HintListTest, AnyElementTurnsRegularExpressionsOn) {
  QTest::mouseClick(Check("cbRegularExpression"), Qt::LeftButton);
  QTest::mouseClick(Check("cbRegularExpression"), Qt::LeftButton);
  ASSERT_FALSE(Check("cbRegularExpression")->isChecked());
  ClickHint(4);
  EXPECT_TRUE(Check("cbRegularExpression")->isChecked());
}

TEST_F(HintListTest, EnterChoosesTheSelectedElementWithoutAcceptingTheDialog) {
  TypeInto("cbSearchFor", "x");
  Click("Command1");
  PressIn(Hints(), Qt::Key_End);
  PressIn(Hints(), Qt::Key_Return);
  EXPECT_EQ(SearchText(), "x\\");
  EXPECT_FALSE(Hints()->isVisible());
  EXPECT_TRUE(dialog_.isVisible());
  ExpectCaretAtEnd();
}

TEST_F(HintListTest, AfterAClickedElementEnterStillAccepts) {
  ExpectEnterAcceptsAfter([this] { ClickHint(4); });
}

TEST_F(HintListTest, AfterAnElementChosenByKeysEnterStillAccepts) {
  ExpectEnterAcceptsAfter([this] {
    Click("Command1");
    PressIn(Hints(), Qt::Key_Home);
    for (int row = 0; row < 4; ++row) PressIn(Hints(), Qt::Key_Down);
    PressIn(Hints(), Qt::Key_Return);
  });
}

TEST_F(HintListTest, EnterWithNothingSelectedOnlyTurnsRegularExpressionsOnAndCloses) {
  TypeInto("cbSearchFor", "x");
  Click("Command1");
  Hints()->clearSelection();
  PressIn(Hints(), Qt::Key_Enter);
  EXPECT_EQ(SearchText(), "x");
  EXPECT_TRUE(Check("cbRegularExpression")->isChecked());
  EXPECT_FALSE(Hints()->isVisible());
  EXPECT_TRUE(dialog_.isVisible());
}

TEST_F(HintListTest, EscapeInTheListClosesOnlyTheList) {
  TypeInto("cbSearchFor", "keep");
  Check("cbCaseSensitive")->setChecked(true);
  Click("Command1");
  PressIn(Hints(), Qt::Key_Escape);
  EXPECT_FALSE(Hints()->isVisible());
  EXPECT_TRUE(dialog_.isVisible());
  EXPECT_EQ(SearchText(), "keep");
  EXPECT_TRUE(Check("cbCaseSensitive")->isChecked());
  EXPECT_FALSE(Check("cbRegularExpression")->isChecked());
}

TEST_F(HintListTest, TheListClosesWhenTheFocusMovesOn) {
  Click("Command1");
  QTest::mouseClick(Combo("cbFileExt")->lineEdit(), Qt::LeftButton);
  EXPECT_FALSE(Hints()->isVisible());
  Click("Command1");
  PressIn(Hints(), Qt::Key_Tab);
  EXPECT_FALSE(Hints()->isVisible());
  EXPECT_EQ(SearchText(), "");
}

}  // namespace
}  // namespace kestrix::test
