// The control's options: what an assignment stores, what a new control starts with.
#include <gtest/gtest.h>

#include "control/object/zarn_ctrl.h"

namespace zarn::test {
namespace {

TEST(ControlOptions, ANewControlStartsEmptyWithTheDefaultSettings) {
  CZarnCtrl control;
  EXPECT_EQ(control.GetSearchPath(), "");
  EXPECT_EQ(control.GetSearchExt(), "");
  EXPECT_EQ(control.GetSearchString(), "");
  EXPECT_FALSE(control.GetCaseSensitive());
  EXPECT_FALSE(control.GetWholeWordOnly());
  EXPECT_FALSE(control.GetLookInSubfolders());
  EXPECT_FALSE(control.GetRegularExpression());
  EXPECT_TRUE(control.GetSupportOfficeDocs());
  EXPECT_EQ(control.GetThreadPriority(), 2);
  EXPECT_EQ(control.GetSearchCount(), 0);
  EXPECT_FALSE(control.GetSearchActive());
  EXPECT_EQ(control.GetSearchTime(), 0);
}

TEST(ControlOptions, SearchPathGetsATrailingSeparatorFromTwoCharactersOn) {
  CZarnCtrl control;
  EXPECT_TRUE(control.SetSearchPath("/data"));
  EXPECT_EQ(control.GetSearchPath(), "/data/");
  control.SetSearchPath("/data/");
  EXPECT_EQ(control.GetSearchPath(), "/data/");
  control.SetSearchPath("C");
  EXPECT_EQ(control.GetSearchPath(), "C");
  const std::pair<const char*, const char*> kAtTheEdge[] = {{"ab", "ab/"}, {"a/", "a/"}, {"/", "/"}};
  for (const auto& [value, stored] : kAtTheEdge) {
    control.SetSearchPath(value);
    EXPECT_EQ(control.GetSearchPath(), stored) << value;
  }
  EXPECT_FALSE(control.SetSearchPath(""));  // stored, but not a change to tell the container about
  EXPECT_EQ(control.GetSearchPath(), "");
}

TEST(ControlOptions, SearchExtReadsBackInUpperCaseAndSearchStringUnchanged) {
  CZarnCtrl control;
  control.SetSearchExt("*.txt;*.Cpp");
  EXPECT_EQ(control.GetSearchExt(), "*.TXT;*.CPP");
  control.SetSearchString(" MiXed\tcase ");
  EXPECT_EQ(control.GetSearchString(), " MiXed\tcase ");
}

TEST(ControlOptions, ThreadPriorityTakesOnlyZeroToFour) {
  CZarnCtrl control;
  EXPECT_TRUE(control.SetThreadPriority(4));
  EXPECT_FALSE(control.SetThreadPriority(7));
  EXPECT_FALSE(control.SetThreadPriority(-1));
  EXPECT_EQ(control.GetThreadPriority(), 4);
  EXPECT_TRUE(control.SetThreadPriority(0));
  EXPECT_EQ(control.GetThreadPriority(), 0);
}

TEST(ControlOptions, ANewControlDoesNotInheritThePreviousOnesTexts) {
  {
    CZarnCtrl first;
    first.SetSearchPath("/somewhere");
    first.SetSearchExt("*.x");
    first.SetSearchString("s");
  }
  CZarnCtrl second;
  EXPECT_EQ(second.GetSearchPath(), "");
  EXPECT_EQ(second.GetSearchExt(), "");
  EXPECT_EQ(second.GetSearchString(), "");
}

}  // namespace
}  // namespace zarn::test
