// The search histories in the desktop's settings file.
#include <gtest/gtest.h>

#include "desktop/frame/settings_file.h"
#include "desktop/search/search_history.h"
#include "tests/support/temp_folder.h"

namespace kestrix {
namespace {

class History : public ::testing::Test {
 protected:
  std::string Read(const std::string& key) { return ReadSetting(ini_, "SearchFor", key, "(none)"); }

  kx::test::TempFolder folder_;
  kx::test::ScopedEnv config_{"XDG_CONFIG_HOME", folder_.path()};
  std::string ini_ = IniFilePath();
};

TEST_F(History, TheFileLivesInTheWindowsFolder) {
  EXPECT_EQ(ini_, folder_ / "kestrix/OPL_SearchHistory.INI");
}

TEST_F(History, AddingMovesAnEntryToTheNewestEndInItsNewLetterCase) {
  SearchHistory history{"ABC", "def"};
  AddToHistory(history, "abc");
  EXPECT_EQ(history, (SearchHistory{"def", "abc"}));
  AddToHistory(history, "");
  EXPECT_EQ(history.size(), 2u);
}

TEST_F(History, AShortListGoesToTheHighestKeysAndComesBackInOrder) {
  SaveHistory(ini_, "SearchFor", {"old", "mid", "new"});
  EXPECT_EQ(Read("SearchFor18"), "old");
  EXPECT_EQ(Read("SearchFor20"), "new");
  EXPECT_EQ(Read("SearchFor17"), "(none)");
  SearchHistory loaded{"stale"};
  LoadHistory(ini_, "SearchFor", loaded);
  EXPECT_EQ(loaded, (SearchHistory{"old", "mid", "new"}));
}

TEST_F(History, OnlyTheNewestTwentyAreSaved) {
  SearchHistory history;
  for (int i = 1; i <= 25; ++i) history.push_back("entry" + std::to_string(i));
  SaveHistory(ini_, "SearchFor", history);
  EXPECT_EQ(Read("SearchFor1"), "entry6");
  EXPECT_EQ(Read("SearchFor20"), "entry25");
  SearchHistory loaded;
  LoadHistory(ini_, "SearchFor", loaded);
  EXPECT_EQ(loaded, SearchHistory(history.begin() + 5, history.end()));
}

TEST_F(History, EmptyKeysAreSkippedAndDuplicatesEndAtTheirNewestKey) {
  WriteSetting(ini_, "SearchFor", "SearchFor3", "");
  WriteSetting(ini_, "SearchFor", "SearchFor5", "Needle");
  WriteSetting(ini_, "SearchFor", "SearchFor9", "other");
  WriteSetting(ini_, "SearchFor", "SearchFor12", "needle");
  SearchHistory loaded;
  LoadHistory(ini_, "SearchFor", loaded);
  EXPECT_EQ(loaded, (SearchHistory{"other", "needle"}));
}

TEST_F(History, AValueLongerThan499CharactersIsCut) {
  WriteSetting(ini_, "SearchFor", "SearchFor20", std::string(700, 'x'));
  SearchHistory loaded;
  LoadHistory(ini_, "SearchFor", loaded);
  ASSERT_EQ(loaded.size(), 1u);
  EXPECT_EQ(loaded[0].size(), 499u);
}

}  // namespace
}  // namespace kestrix
