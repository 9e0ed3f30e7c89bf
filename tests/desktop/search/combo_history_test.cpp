// A history shown in a combo box: newest first, the newest shown.
#include <gtest/gtest.h>

#include <QComboBox>

#include "desktop/search/combo_history.h"

namespace kestrix {
namespace {

QStringList Items(const QComboBox& box) {
  QStringList items;
  for (int i = 0; i < box.count(); ++i) items << box.itemText(i);
  return items;
}

TEST(SetHistory, ListsNewestFirstAndShowsTheNewest) {
  QComboBox box;
  box.setEditable(true);
  SetHistory(&box, {"oldest", "middle", "newest"});
  EXPECT_EQ(Items(box), QStringList({"newest", "middle", "oldest"}));
  EXPECT_EQ(box.currentIndex(), 0);
  EXPECT_EQ(box.currentText(), "newest");
}

TEST(SetHistory, ReplacesWhatTheBoxHeldIncludingTypedText) {
  QComboBox box;
  box.setEditable(true);
  SetHistory(&box, {"a", "b"});
  box.setEditText("typed by the user");
  SetHistory(&box, {"c"});
  EXPECT_EQ(Items(box), QStringList({"c"}));
  EXPECT_EQ(box.currentText(), "c");
}

TEST(SetHistory, AnEmptyHistoryLeavesAnEmptyBox) {
  QComboBox box;
  box.setEditable(true);
  SetHistory(&box, {"a"});
  box.setEditText("typed");
  SetHistory(&box, {});
  EXPECT_EQ(box.count(), 0);
  EXPECT_EQ(box.currentText(), "");
}

TEST(SetHistory, KeepsTextsBeyondAscii) {
  QComboBox box;
  SetHistory(&box, {"/home/j\xC3\xBCrgen"});
  EXPECT_EQ(box.currentText(), QString::fromUtf8("/home/j\xC3\xBCrgen"));
}

}  // namespace
}  // namespace kestrix
