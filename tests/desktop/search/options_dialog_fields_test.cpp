// The dialog's fields as the user meets them: names, captions, access keys, labels and the default button.
#include <QLabel>

#include "tests/desktop/search/options_dialog_fixture.h"

namespace kestrix::test {
namespace {

using Fields = OptionsDialogTest;

TEST_F(Fields, TheDialogIsCalledFindInFiles) {
  EXPECT_EQ(dialog_.windowTitle(), "Find In Files");
}

TEST_F(Fields, CheckBoxesCarryTheirCaptionsAndStartUnchecked) {
  const std::pair<const char*, const char*> boxes[] = {
      {"cbCaseSensitive", "&Case Sensitive"},
      {"cbWholeWordOnly", "&Whole word only"},
      {"cbLookInSubfolders", "&Look in subfolders"},
      {"cbRegularExpression", "R&egular Expression"},
      {"cbSupportOfficeDocs", "&Support MS Word and Excel"},
      {"cbDontStreamResults", "Show &all findings at end of search (Faster)"},
      {"cbBeepWhenDone", "&Beep When Done"},
  };
  for (const auto& [name, caption] : boxes) {
    QCheckBox* box = Check(name);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), caption) << name;
    EXPECT_FALSE(box->isChecked()) << name;
  }
}

TEST_F(Fields, ButtonsCarryTheirCaptions) {
  EXPECT_EQ(Button("cbSelectFolder")->text(), "&...");
  EXPECT_EQ(Button("cbSearch")->text(), "&Search");
  EXPECT_EQ(Button("cbCancel")->text(), "Cancel");
  EXPECT_TRUE(Button("cbSearch")->isDefault());
  EXPECT_FALSE(Button("cbCancel")->isDefault());
}

TEST_F(Fields, TheHintButtonShowsAPictureAndNoCaption) {
  QPushButton* button = Button("Command1");
  EXPECT_TRUE(button->text().isEmpty());
  EXPECT_FALSE(button->icon().isNull());
}

TEST_F(Fields, ComboBoxesAreEditableEmptyAndLabelled) {
  const std::pair<const char*, const char*> combos[] = {
      {"cbDirectory", "Directory:"}, {"cbFileExt", "File Types:"}, {"cbSearchFor", "Search For:"}};
  for (const auto& [name, caption] : combos) {
    QComboBox* box = Combo(name);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isEditable()) << name;
    EXPECT_EQ(box->count(), 0) << name;
    int labels = 0;
    for (QLabel* label : dialog_.findChildren<QLabel*>()) {
      if (label->buddy() == box) {
        EXPECT_EQ(label->text(), caption);
        ++labels;
      }
    }
    EXPECT_EQ(labels, 1) << name;
  }
}

TEST_F(Fields, TheHintListIsHiddenAndOffersSixElementsInOrder) {
  QListWidget* list = Hints();
  ASSERT_NE(list, nullptr);
  EXPECT_FALSE(list->isVisible());
  const QStringList expected = {
      "? - Match 0 or 1 character",
      "* - Match 0 or more characters",
      "[] - Match any 1 character included with the brackets",
      "^ - Match must be at the beginning of the string",
      "$ - Match must be at the end of the string",
      "\\ - Literal character to match the character followng \\",
  };
  ASSERT_EQ(list->count(), expected.size());
  for (int row = 0; row < list->count(); ++row) EXPECT_EQ(list->item(row)->text(), expected[row]);
}

TEST_F(Fields, AnAccessKeyReachesItsField) {
  QTest::keyClick(&dialog_, Qt::Key_E, Qt::AltModifier);
  EXPECT_TRUE(Check("cbRegularExpression")->hasFocus());
}

TEST_F(Fields, FieldsDoNotOverlap) {
  const QRect search_for = Combo("cbSearchFor")->geometry();
  for (const char* name : {"cbDirectory", "cbFileExt"}) {
    EXPECT_FALSE(Combo(name)->geometry().intersects(search_for)) << name;
  }
  EXPECT_FALSE(Button("Command1")->geometry().intersects(search_for));
  EXPECT_FALSE(Check("cbCaseSensitive")->geometry().intersects(search_for));
}

}  // namespace
}  // namespace kestrix::test
