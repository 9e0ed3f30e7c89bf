// A shown, active options dialog and the user's ways of reaching its fields: by object name, the mouse
// and the keyboard.
#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "desktop/search/options_dialog.h"

namespace kestrix::test {

class OptionsDialogTest : public ::testing::Test {
 protected:
  OptionsDialogTest() {
    dialog_.open();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog_));
  }

  template <typename Widget>
  Widget* Find(const char* name) {
    auto* widget = dialog_.findChild<Widget*>(name);
    if (!widget) ADD_FAILURE() << "no " << name;
    return widget;
  }
  QComboBox* Combo(const char* name) { return Find<QComboBox>(name); }
  QCheckBox* Check(const char* name) { return Find<QCheckBox>(name); }
  QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
  QListWidget* Hints() { return Find<QListWidget>("lbRegular"); }

  void Click(const char* button) { QTest::mouseClick(Button(button), Qt::LeftButton); }
  // Types `text` into a combo box after clicking into it, as the user does.
  void TypeInto(const char* combo, const QString& text) {
    QLineEdit* edit = Combo(combo)->lineEdit();
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  void PressIn(QWidget* widget, Qt::Key key) { QTest::keyClick(widget, key); }
  // Opens the hint list with its button and clicks item `row`.
  void ClickHint(int row) {
    Click("Command1");
    QListWidget* list = Hints();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
  }
  QString SearchText() { return Combo("cbSearchFor")->currentText(); }

  frmFindTextInFilesOptions dialog_;
};

}  // namespace kestrix::test
