// A walk that reads its files ahead on helper threads finds exactly what a walk that reads each file as it
// scans it finds: the same findings and errors in the same order, on generated trees holding every kind of
// entry a listing shows, and it survives files that vanish while it runs.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <map>
#include <random>
#include <thread>

#include "control/engine/search_job.h"
#include "tests/engine/recording_control.h"
#include "tests/engine/recording_pacer.h"
#include "tests/support/temp_folder.h"

namespace zarn::test {
namespace {

struct Outcome {
  std::vector<Finding> findings;
  std::vector<Posted> posted;
};

// Runs a whole search of `folder` on this thread: paced (each file read as it is scanned; the pauses are
// only recorded) or unpaced (files read ahead).
Outcome Search(RecordingControl& control, bool read_ahead) {
  control.Clear();
  control.Options().SetPaceMilliseconds(read_ahead ? 0 : 1);
  control.State().ClearStopRequest();
  control.State().MarkStarted(0);
  SearchWorker(control, RecordPause);
  TakeRecordedPauses();
  return {control.findings(), control.posted()};
}

// Writes a random tree: text files of every line-end kind with occasional hits, empty files, files of
// more than one read block, over-long lines, Office names, FIFOs, links to files, dangling links, links
// to ancestors, and (for a user other than root) files that cannot be opened.
class TreeWriter {
 public:
  TreeWriter(const kx::test::TempFolder& root, unsigned seed) : root_(root), random_(seed) {}

  void Write(const std::string& folder, int depth) {
    const int entries = Pick(depth == 0 ? 6 : 0, 10);
    for (int i = 0; i < entries; ++i) WriteEntry(folder, "e" + std::to_string(i), depth);
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  void WriteEntry(const std::string& folder, const std::string& name, int depth) {
    const std::string path = folder + name;
    switch (Pick(-1, 11)) {
      case -1:
      case 0:
        if (depth < 3) Write(root_.MakeFolder(path).substr(root_.path().size()), depth + 1);
        break;
      case 1:
        mkfifo((root_ / path + ".txt").c_str(), 0600);
        break;
      case 2:
        std::filesystem::create_symlink(root_ / "e0.txt", root_ / path + "-link.txt");
        break;
      case 3:
        std::filesystem::create_symlink(root_ / "nowhere", root_ / path + "-dangling.txt");
        break;
      case 4:
        std::filesystem::create_directory_symlink(root_.path(), root_ / path + "-up");
        break;
      case 5:
        root_.Write(path + ".doc", Text(20));
        break;
      case 6:
        root_.Write(path + ".txt", Text(Pick(0, 1) ? 9000 : 0));  // past a read block, or empty
        break;
      case 7:
        chmod(root_.Write(path + ".txt", Text(5)).c_str(), 0);
        break;
      default:
        root_.Write(path + ".txt", Text(Pick(1, 60)));
    }
  }

  std::string Text(int lines) {
    static const char* const kEnds[] = {"\n", "\r\n", "\r"};
    std::string text;
    for (int line = 0; line < lines; ++line) {
      text += std::string(static_cast<std::size_t>(Pick(0, 40)), 'x');
      if (Pick(0, 4) == 0) text += "hit hit";
      if (Pick(0, 150) == 0) text += std::string(3000, 'y');
      text += std::string(static_cast<std::size_t>(Pick(0, 20)), lines > 1000 ? 'z' : ' ');
      text += kEnds[Pick(0, 2)];
    }
    return text;
  }

  const kx::test::TempFolder& root_;
  std::mt19937 random_;
};

class ReadAheadWalk : public ::testing::Test {
 protected:
  ReadAheadWalk() {
    control_.Options().Set(SearchOptions::Text::kSearchString, "hit");
    control_.Options().Set(SearchOptions::Text::kSearchExt, "*.*");
    control_.Options().Set(SearchOptions::Text::kSearchPath, folder_.path());
    control_.Options().Set(SearchOptions::Flag::kLookInSubfolders, true);
  }

  kx::test::TempFolder folder_;
  RecordingControl control_;
};

TEST_F(ReadAheadWalk, FindsWhatTheWalkReadingEachFileInTurnFinds) {
  for (unsigned seed = 1; seed <= 25; ++seed) {
    kx::test::TempFolder tree;
    TreeWriter(tree, seed).Write("", 0);
    control_.Options().Set(SearchOptions::Text::kSearchPath, tree.path());
    control_.Options().Set(SearchOptions::Flag::kSupportOfficeDocs, seed % 2 == 0);
    const Outcome in_turn = Search(control_, false);
    const Outcome ahead = Search(control_, true);
    ASSERT_EQ(ahead.findings, in_turn.findings) << "seed " << seed;
    ASSERT_EQ(ahead.posted, in_turn.posted) << "seed " << seed;
  }
}

// Errors of the walk itself come in their place among those of the files read ahead.
TEST_F(ReadAheadWalk, AFolderTooDeepToListIsReportedInItsPlace) {
  folder_.Write("a/before.txt", "hit\n");
  std::string parent = folder_.MakeFolder("b");
  while (parent.size() + 200 < PATH_MAX - 8)
    parent = folder_.MakeFolder(parent.substr(folder_.path().size()) + std::string(190, 'd'));
  const std::string deepest = parent + std::string(PATH_MAX - 3 - parent.size(), 'e') + "/";
  ASSERT_EQ(mkdir(deepest.substr(0, deepest.size() - 1).c_str(), 0700), 0);
  const int parent_folder = open(parent.c_str(), O_DIRECTORY | O_RDONLY);
  close(openat(parent_folder, std::string(250, 'n').c_str(), O_CREAT | O_WRONLY, 0600));  // cannot be opened
  folder_.Write("c/after.txt", "hit\n");
  const Outcome in_turn = Search(control_, false);
  const Outcome ahead = Search(control_, true);
  EXPECT_EQ(in_turn.posted.size(), 3u);  // the file too long to open, the deep folder, the completion
  EXPECT_EQ(ahead.findings, in_turn.findings);
  EXPECT_EQ(ahead.posted, in_turn.posted);
  unlinkat(parent_folder, std::string(250, 'n').c_str(), 0);  // beyond what the clean-up can reach
  close(parent_folder);
}

// A file removed after it was listed is scanned as it was when opened, or reported as not opened: never
// half of it, never a crash.
TEST_F(ReadAheadWalk, FilesVanishingDuringTheSearchGiveTheirFindingsOrAnError) {
  std::map<std::string, int> hits_of;
  for (int i = 0; i < 400; ++i) {
    const std::string name = "f" + std::to_string(i) + ".txt";
    hits_of[folder_ / name] = i % 7 + 1;
    std::string text;
    for (int hit = 0; hit < hits_of[folder_ / name]; ++hit) text += "a hit\n";
    folder_.Write(name, text);
  }
  std::thread remover([this] {
    for (int i = 399; i >= 0; i -= 2) unlink((folder_ / ("f" + std::to_string(i) + ".txt")).c_str());
  });
  const Outcome ahead = Search(control_, true);
  remover.join();
  std::map<std::string, int> found;
  for (const Finding& finding : ahead.findings) ++found[finding.path];
  for (const Posted& posted : ahead.posted)
    if (posted.code == kErrorUnableToOpenFile) found[posted.detail] = hits_of[posted.detail];
  for (const auto& [path, count] : found) EXPECT_EQ(count, hits_of[path]) << path;
}

TEST_F(ReadAheadWalk, AStopEndsItWithoutAnotherFinding) {
  for (int i = 0; i < 50; ++i) folder_.Write("f" + std::to_string(i) + ".txt", "hit\n");
  control_.Clear();
  control_.Options().SetPaceMilliseconds(0);
  control_.State().RequestStop();
  control_.State().MarkStarted(0);
  SearchWorker(control_, RecordPause);
  EXPECT_TRUE(control_.findings().empty());
  EXPECT_TRUE(control_.posted().empty());
}

}  // namespace
}  // namespace zarn::test
