// Which files a search reads and in which order: the folder walk, the single-name and single-file scans
// and the worker's choice between them, on real folders.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "control/engine/search_job.h"
#include "tests/engine/recording_control.h"
#include "tests/engine/recording_pacer.h"
#include "tests/support/temp_folder.h"

namespace zarn::test {
namespace {

class Walk : public ::testing::Test {
 protected:
  Walk() {
    control_.Options().Set(SearchOptions::Flag::kSupportOfficeDocs, false);
    Set(SearchOptions::Text::kSearchString, "hit");
    Set(SearchOptions::Text::kSearchExt, "*.*");
    Set(SearchOptions::Text::kSearchPath, folder_.path());
    TakeRecordedPauses();
  }

  void Set(SearchOptions::Text which, const std::string& value) { control_.Options().Set(which, value); }

  // Runs a whole search on this thread; returns the paths of the findings, relative to the folder.
  std::vector<std::string> Search() {
    control_.Clear();
    control_.State().ClearStopRequest();
    control_.State().MarkStarted(0);
    SearchWorker(control_, RecordPause);
    std::vector<std::string> paths;
    for (const Finding& finding : control_.findings())
      paths.push_back(finding.path.substr(0, folder_.path().size()) == folder_.path()
                          ? finding.path.substr(folder_.path().size())
                          : finding.path);
    return paths;
  }

  kx::test::TempFolder folder_;
  RecordingControl control_;
};

using Paths = std::vector<std::string>;

TEST_F(Walk, FilesOfAFolderComeBeforeItsSubfoldersAndSubfoldersOnlyWhenAsked) {
  folder_.Write("a.txt", "hit");
  folder_.Write("sub/b.txt", "hit");
  folder_.Write("sub/deeper/c.txt", "hit");
  folder_.Write("z.txt", "hit");
  Paths top = Search();
  std::sort(top.begin(), top.end());
  EXPECT_EQ(top, (Paths{"a.txt", "z.txt"}));
  EXPECT_EQ(control_.codes(), std::vector<std::int32_t>{0});  // the completion

  control_.Options().Set(SearchOptions::Flag::kLookInSubfolders, true);
  const Paths all = Search();
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all[2], "sub/b.txt");
  EXPECT_EQ(all[3], "sub/deeper/c.txt");
}

TEST_F(Walk, TheFileTypesSelectByTheLastExtension) {
  folder_.Write("a.txt", "hit");
  folder_.Write("b.TX", "hit");
  folder_.Write("README", "hit");
  folder_.Write("c.htm", "hit");
  Set(SearchOptions::Text::kSearchExt, "*.TXT");
  Paths selected = Search();
  std::sort(selected.begin(), selected.end());
  EXPECT_EQ(selected, (Paths{"a.txt", "b.TX"}));
  Set(SearchOptions::Text::kSearchExt, "*.*");
  EXPECT_EQ(Search().size(), 4u);
  Set(SearchOptions::Text::kSearchExt, "*");
  EXPECT_TRUE(Search().empty());
  EXPECT_EQ(control_.codes(), std::vector<std::int32_t>{0});
}

TEST_F(Walk, PausesAfterEveryEntryByThePriority) {
  folder_.Write("a.txt", "hit");
  folder_.MakeFolder("sub");
  control_.Options().SetThreadPriority(0);
  Search();
  EXPECT_EQ(TakeRecordedPauses(), (std::vector<std::int32_t>{41, 41, 41, 41}));  // ".", "..", a.txt, sub
  control_.Options().SetThreadPriority(4);
  Search();
  EXPECT_EQ(TakeRecordedPauses(), (std::vector<std::int32_t>{1, 1, 1, 1}));
}

TEST_F(Walk, FifosSocketsAndLinkLoopsAreNotAProblem) {
  folder_.Write("a.txt", "hit");
  ASSERT_EQ(mkfifo((folder_ / "pipe.txt").c_str(), 0600), 0);
  const int unix_socket = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socket_path = folder_ / "sock.txt";
  if (socket_path.size() < sizeof address.sun_path) {
    socket_path.copy(address.sun_path, socket_path.size());
    ASSERT_EQ(bind(unix_socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  }
  folder_.MakeFolder("sub");
  std::filesystem::create_directory_symlink(folder_.path(), folder_ / "sub/loop");
  control_.Options().Set(SearchOptions::Flag::kLookInSubfolders, true);
  EXPECT_EQ(Search(), (Paths{"a.txt"}));
  close(unix_socket);
}

TEST_F(Walk, DeepPathsAndNamesThatAreNotUtf8AreFoundByteForByte) {
  std::string deep;
  for (int level = 0; level < 30; ++level) deep += "folder-" + std::to_string(level) + "/";
  folder_.Write(deep + "f.txt", "hit");
  const std::string odd = "caf\xE9 \xFF\"quoted\" name.txt";
  folder_.Write(odd, "hit");
  control_.Options().Set(SearchOptions::Flag::kLookInSubfolders, true);
  Paths found = Search();
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (Paths{odd, deep + "f.txt"}));
}

// A folder too deep to be listed is reported once, with its path; the folders above it are searched.
TEST_F(Walk, AFolderTooDeepToListIsReported) {
  std::string parent = folder_.path();
  while (parent.size() + 200 < PATH_MAX - 8)
    parent = folder_.MakeFolder(parent.substr(folder_.path().size()) + std::string(190, 'd'));
  folder_.Write(parent.substr(folder_.path().size()) + "near.txt", "hit");
  const std::string deepest = parent + std::string(PATH_MAX - 3 - parent.size(), 'e') + "/";
  ASSERT_EQ(mkdir(deepest.substr(0, deepest.size() - 1).c_str(), 0700), 0);
  const int deepest_folder = open(deepest.c_str(), O_DIRECTORY | O_RDONLY);
  close(openat(deepest_folder, "far.txt", O_CREAT | O_WRONLY, 0600));
  control_.Options().Set(SearchOptions::Flag::kLookInSubfolders, true);
  EXPECT_EQ(Search(), (Paths{parent.substr(folder_.path().size()) + "near.txt"}));
  EXPECT_EQ(control_.posted(), (std::vector<Posted>{{NotificationKind::kError, 504, deepest},
                                                    {NotificationKind::kCompletion, 0, ""}}));
  unlinkat(deepest_folder, "far.txt", 0);  // beyond what the temporary folder's clean-up can reach
  close(deepest_folder);
}

TEST_F(Walk, AnUnreadableFolderIsPassedOverSilently) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  folder_.Write("closed/a.txt", "hit");
  folder_.Write("b.txt", "hit");
  chmod((folder_ / "closed").c_str(), 0);
  control_.Options().Set(SearchOptions::Flag::kLookInSubfolders, true);
  EXPECT_EQ(Search(), (Paths{"b.txt"}));
  EXPECT_EQ(control_.codes(), std::vector<std::int32_t>{0});
}

TEST_F(Walk, AStopEndsTheWalkWithoutAnotherFindingOrACompletion) {
  for (int i = 0; i < 20; ++i) folder_.Write("f" + std::to_string(i) + ".txt", "hit");
  control_.Clear();
  control_.State().RequestStop();
  control_.State().MarkStarted(0);
  SearchWorker(control_, RecordPause);
  EXPECT_TRUE(control_.findings().empty());
  EXPECT_TRUE(control_.posted().empty());
  EXPECT_FALSE(control_.State().Active());
}

TEST_F(Walk, ATypeWithoutAsteriskNamesOneFileFoundWithoutRegardToCase) {
  folder_.Write("readme.txt", "hit");
  folder_.Write("other.txt", "hit");
  Set(SearchOptions::Text::kSearchExt, " README.TXT ");
  EXPECT_EQ(Search(), (Paths{"readme.txt"}));
  EXPECT_EQ(control_.Options().Get(SearchOptions::Text::kSearchExt), "README.TXT");
  Set(SearchOptions::Text::kSearchExt, "README.?XT");
  EXPECT_EQ(Search(), (Paths{"readme.txt"}));
  Set(SearchOptions::Text::kSearchExt, "NOTHERE.TXT");
  EXPECT_TRUE(Search().empty());
  EXPECT_EQ(control_.codes(), std::vector<std::int32_t>{0});
}

TEST_F(Walk, ASearchPathNamingAFileScansThatFileAlsoWithATrailingSeparator) {
  const std::string file = folder_.Write("only.log", "hit");
  Set(SearchOptions::Text::kSearchPath, file);
  EXPECT_EQ(Search(), (Paths{"only.log"}));
  Set(SearchOptions::Text::kSearchPath, file + "/");
  EXPECT_EQ(Search(), (Paths{"only.log"}));
}

// Wildcard bytes in the name of a file that exists are the file's own, in a path or in a single name.
TEST_F(Walk, ANameThatNamesAFileIsThatFileWhateverBytesItHolds) {
  for (const char* decoy : {"ab.txt", "ac.txt", "ad.txt", "ae.txt", "af.txt"}) folder_.Write(decoy, "hit");
  folder_.Write("a?.txt", "hit");
  folder_.Write("A?.TXT", "hit");
  Set(SearchOptions::Text::kSearchPath, folder_ / "a?.txt");
  EXPECT_EQ(Search(), (Paths{"a?.txt"}));
  Set(SearchOptions::Text::kSearchPath, folder_.path());
  Set(SearchOptions::Text::kSearchExt, "A?.TXT");
  EXPECT_EQ(Search(), (Paths{"A?.TXT"}));
}

TEST_F(Walk, ASearchPathThatDoesNotExistIsReportedThenCompletes) {
  Set(SearchOptions::Text::kSearchPath, folder_ / "missing/");
  EXPECT_TRUE(Search().empty());
  EXPECT_EQ(control_.posted(), (std::vector<Posted>{{NotificationKind::kError, 508, folder_ / "missing/"},
                                                    {NotificationKind::kCompletion, 0, ""}}));
  EXPECT_FALSE(control_.State().Active());
}

// "." is the current folder, walked or joined with a single name.
TEST_F(Walk, AFolderPathWithoutSeparatorIsSearchedAsAFolder) {
  folder_.Write("a.txt", "hit");
  const std::string here = std::filesystem::current_path();
  std::filesystem::current_path(folder_.path());
  Set(SearchOptions::Text::kSearchPath, ".");
  for (const char* types : {"*.*", "A.TXT"}) {
    Set(SearchOptions::Text::kSearchExt, types);
    control_.Clear();
    control_.State().ClearStopRequest();
    SearchWorker(control_, RecordPause);
    ASSERT_EQ(control_.findings().size(), 1u) << types;
    EXPECT_EQ(control_.findings()[0].path, "./a.txt") << types;
  }
  std::filesystem::current_path(here);
}

}  // namespace
}  // namespace zarn::test
