// The scanner's rules on hand-made files: line numbering, columns and the text found, the whole-word
// rule, long lines, zero bytes, letter case, anchored patterns and stopping.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

#include "control/engine/file_scanner.h"
#include "tests/engine/recording_control.h"
#include "tests/support/temp_folder.h"

namespace zarn::test {
namespace {

class ScanRules : public ::testing::Test {
 protected:
  ScanRules() {
    control_.State().ClearStopRequest();
    control_.Options().Set(SearchOptions::Flag::kSupportOfficeDocs, false);
  }

  std::vector<Finding> Scan(const std::string& bytes, const std::string& pattern) {
    control_.Clear();
    control_.Options().Set(SearchOptions::Text::kSearchString, pattern);
    const std::string path = folder_.Write("file.txt", bytes);
    FileScanner(control_).ScanFile(path, "file.txt");
    std::vector<Finding> findings = control_.findings();
    for (Finding& finding : findings) finding.path.clear();
    return findings;
  }

  void Set(SearchOptions::Flag flag, bool value = true) { control_.Options().Set(flag, value); }

  kx::test::TempFolder folder_;
  RecordingControl control_;
};

std::vector<Finding> At(std::initializer_list<std::tuple<int, int, std::string>> places) {
  std::vector<Finding> findings;
  for (const auto& [line, column, text] : places) findings.push_back({"", line, column, text});
  return findings;
}

TEST_F(ScanRules, EveryOccurrenceWithItsColumnAndTheRestOfTheLine) {
  EXPECT_EQ(Scan("concatenate the cat\n", "cat"), At({{1, 4, "catenate the cat"}, {1, 17, "cat"}}));
}

TEST_F(ScanRules, OccurrencesMayOverlap) {
  EXPECT_EQ(Scan("aaaa", "aa"), At({{1, 1, "aaaa"}, {1, 2, "aaa"}, {1, 3, "aa"}}));
}

TEST_F(ScanRules, LinesAreNumberedAsAnEditorNumbersThem) {
  EXPECT_EQ(Scan("a\n\nb", "b"), At({{3, 1, "b"}}));
  EXPECT_EQ(Scan("a\r\n\r\nb\r\n", "b"), At({{3, 1, "b"}}));
  EXPECT_EQ(Scan("a\r\rb", "b"), At({{3, 1, "b"}}));
  EXPECT_EQ(Scan("a\n\r\nb\r\n\nb", "b"), At({{3, 1, "b"}, {5, 1, "b"}}));
}

// A long line whose CR LF fills the last two bytes of a read block (256 KiB, or 4 MiB when the file is read
// ahead), followed by an empty line: the empty line still counts.
TEST_F(ScanRules, AnEmptyLineAfterALongLineEndingAtABlockEdgeCounts) {
  for (const std::size_t block : {std::size_t{256} << 10, std::size_t{4} << 20}) {
    const std::string file = std::string(2 * block - 2, 'a') + "\r\n\nneedle\n";
    EXPECT_EQ(Scan(file, "needle"), At({{3, 1, "needle"}})) << block;
  }
}

TEST_F(ScanRules, WholeWordOnlyNeedsBoundariesOnBothSides) {
  Set(SearchOptions::Flag::kWholeWordOnly);
  EXPECT_EQ(Scan("concatenate the cat\n", "cat"), At({{1, 17, "cat"}}));
  EXPECT_EQ(Scan("foo_bar\n(foo)\nfood\nafoo\n", "foo"), At({{1, 1, "foo_bar"}, {2, 2, "foo)"}}));
  EXPECT_EQ(Scan("caf\xC3\xA9 \xC3\xA9t\xC3\xA9", "t"), At({}));  // bytes above 127 belong to words
}

TEST_F(ScanRules, LetterCaseFoldsOnlyWhenAsked) {
  EXPECT_EQ(Scan("ABC aBc\n", "abc"), At({{1, 1, "ABC aBc"}, {1, 5, "aBc"}}));
  Set(SearchOptions::Flag::kCaseSensitive);
  EXPECT_EQ(Scan("ABC aBc\n", "abc"), At({}));
}

TEST_F(ScanRules, ALongLineIsReportedOnceAndOnlyItsFirst2048BytesAreSearched) {
  const std::string line = "needle" + std::string(2040, 'x') + "needle" + std::string(948, 'y');
  const auto findings = Scan(line + "\n" + line + "\nneedle", "needle");
  ASSERT_EQ(findings.size(), 3u);
  EXPECT_EQ(findings[0].line, 1);
  EXPECT_EQ(findings[0].text.size(), 2046u);  // the text found is cut at 2046 bytes
  EXPECT_EQ(findings[1].line, 2);
  EXPECT_EQ(findings[2].line, 3);
  EXPECT_EQ(control_.codes(), std::vector<std::int32_t>{kErrorLineTooLong});
  EXPECT_EQ(control_.posted()[0].detail, folder_ / "file.txt");
}

// The line buffer holds 2048 bytes: a line of exactly that many is whole (its last bytes are searched, no
// 505); one byte more makes it over-long (505, its tail unsearched). Whatever ends the line, and wherever it
// lies: first, after another line, or running across the edge of a 256 KiB read block.
TEST_F(ScanRules, ALineOf2048BytesIsWholeAndOneOf2049IsOverLong) {
  const int kLinesNearTheEdge =
      ((256 << 10) - 1000) / 100;  // lines of 100 bytes, ending 1044 bytes before it
  std::string near_the_edge;
  for (int i = 0; i < kLinesNearTheEdge; ++i) near_the_edge += std::string(99, 'p') + "\n";
  const std::pair<std::string, int> kBefore[] = {{"", 1}, {"a\n", 2}, {near_the_edge, kLinesNearTheEdge + 1}};
  for (const auto& [before, line_number] : kBefore) {
    for (const std::string line_end : {"", "\n", "\r\n", "\r"}) {
      for (const int length : {2047, 2048, 2049}) {
        const std::string line = std::string(static_cast<std::size_t>(length) - 6, 'x') + "needle";
        const auto findings = Scan(before + line + line_end, "needle");
        const bool over_long = length > 2048;
        const std::string where = std::to_string(before.size()) + " bytes before, " + std::to_string(length) +
                                  " bytes ended by " + std::to_string(line_end.size()) + " bytes";
        EXPECT_EQ(findings, over_long ? At({}) : At({{line_number, length - 5, "needle"}})) << where;
        EXPECT_EQ(control_.codes(),
                  over_long ? std::vector<std::int32_t>{kErrorLineTooLong} : std::vector<std::int32_t>{})
            << where;
      }
    }
  }
}

TEST_F(ScanRules, AHugeFileWithoutLineEndsReportsOnceAndFindsInTheFirst2048Bytes) {
  std::string bytes(12 << 20, 'z');
  bytes.replace(100, 3, "abc");
  bytes.replace(5000, 3, "abc");
  const auto findings = Scan(bytes, "abc");
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].column, 101);
  EXPECT_EQ(findings[0].text.size(), 2048u - 100u);
  EXPECT_EQ(control_.codes(), std::vector<std::int32_t>{kErrorLineTooLong});
}

TEST_F(ScanRules, AZeroByteHidesTheRestOfItsLine) {
  EXPECT_EQ(Scan(std::string("ab\0ab\nab", 8), "ab"), At({{1, 1, "ab"}, {2, 1, "ab"}}));
}

TEST_F(ScanRules, EmptyFilesYieldNothing) {
  EXPECT_EQ(Scan("", "a"), At({}));
  EXPECT_TRUE(control_.codes().empty());
}

TEST_F(ScanRules, AnAnchoredPatternYieldsAtMostOneFindingPerLine) {
  Set(SearchOptions::Flag::kRegularExpression);
  EXPECT_EQ(Scan("abab\nxab\n", "^ab"), At({{1, 1, "abab"}}));
  EXPECT_EQ(Scan("abab\n", "ab$"), At({{1, 3, "ab"}}));
}

// An occurrence at the line's start that fails the whole-word rule is the only candidate a start-anchored
// pattern has; an end-anchored one may still be found further on.
TEST_F(ScanRules, WholeWordOnlyDoesNotMoveAStartAnchor) {
  Set(SearchOptions::Flag::kRegularExpression);
  Set(SearchOptions::Flag::kWholeWordOnly);
  EXPECT_EQ(Scan(".xx\n", "^[.x]x"), At({}));
  EXPECT_EQ(Scan("axx x\n", "?x"), At({}));
  EXPECT_EQ(Scan("xa a\n", "a$"), At({{1, 4, "a"}}));
}

TEST_F(ScanRules, AFileThatCannotBeOpenedIsReportedWithItsPath) {
  control_.Options().Set(SearchOptions::Text::kSearchString, "a");
  FileScanner(control_).ScanFile(folder_ / "missing.txt", "missing.txt");
  EXPECT_EQ(control_.posted(),
            (std::vector<Posted>{{NotificationKind::kError, 504, folder_ / "missing.txt"}}));
}

TEST_F(ScanRules, APatternThatDoesNotCompileIsReportedOncePerSearchAndFindsNothing) {
  Set(SearchOptions::Flag::kRegularExpression);
  control_.Options().Set(SearchOptions::Text::kSearchString, "[ab");
  const std::string path = folder_.Write("a.txt", "[ab\n");
  FileScanner scanner(control_);
  scanner.ScanFile(path, "a.txt");
  scanner.ScanFile(path, "a.txt");
  EXPECT_TRUE(control_.findings().empty());
  EXPECT_EQ(control_.posted(), (std::vector<Posted>{{NotificationKind::kError, 507, "[ab"}}));
}

TEST_F(ScanRules, NoFindingIsAppendedOnceAStopIsRequested) {
  control_.State().RequestStop();
  EXPECT_EQ(Scan("a\na\n", "a"), At({}));
}

// Scans `path` on a thread of its own; true when the scan ended by itself within the deadline (a scan
// that does not is stopped, so that the test can fail instead of hanging).
bool ScanEndsOnItsOwn(SearchControl& control, const std::string& path) {
  control.State().ClearStopRequest();
  std::atomic<bool> ended = false;
  std::thread scan([&] {
    FileScanner(control).ScanFile(path, std::filesystem::path(path).filename().string());
    ended = true;
  });
  const bool on_its_own = kx::test::WaitFor([&] { return ended.load(); }, std::chrono::seconds(30));
  control.State().RequestStop();
  scan.join();
  return on_its_own;
}

// A control whose every finding makes the file being scanned grow by another matching line.
class GrowingFileControl : public RecordingControl {
 public:
  explicit GrowingFileControl(const std::string& path) : fd_(open(path.c_str(), O_WRONLY | O_APPEND)) {}
  ~GrowingFileControl() override { close(fd_); }
  void AppendFinding(const FindingView& finding) override {
    RecordingControl::AppendFinding(finding);
    if (write(fd_, "hit\n", 4) != 4) ADD_FAILURE() << "cannot append";
  }

 private:
  int fd_;
};

// Every scan ends by itself: a name that leads to a device now is passed over without a word, a file
// is read up to the size it had when it was opened, and one whose size reads as 0 up to a bound.
TEST_F(ScanRules, EveryScanEndsOnItsOwn) {
  control_.Options().Set(SearchOptions::Text::kSearchString, "hit");
  const std::string device = folder_ / "swapped.txt";
  std::filesystem::create_symlink("/dev/zero", device);
  EXPECT_TRUE(ScanEndsOnItsOwn(control_, device));
  EXPECT_TRUE(control_.posted().empty());

  std::string lines;
  for (int i = 0; i < 1000; ++i) lines += "hit\n";
  const std::string growing = folder_.Write("growing.txt", lines);
  GrowingFileControl grows(growing);
  grows.Options().Set(SearchOptions::Text::kSearchString, "hit");
  EXPECT_TRUE(ScanEndsOnItsOwn(grows, growing));
  EXPECT_EQ(grows.findings().size(), 1000u);

  EXPECT_TRUE(ScanEndsOnItsOwn(control_, "/proc/self/pagemap"));
}

TEST_F(ScanRules, OfficeDocumentsAreOfferedForConversionAndReadAsBytesWhenItFails) {
  Set(SearchOptions::Flag::kSupportOfficeDocs);
  const std::string text_file = folder_ / "ZarnTemp.TXT";
  control_.State().SetTemporaryTextFile(text_file);
  control_.Options().Set(SearchOptions::Text::kSearchString, "word");
  const std::string doc = folder_.Write("a.doc", "word\n");
  const std::string xls = folder_.Write("b.xls", "word\n");
  FileScanner scanner(control_);
  scanner.ScanFile(doc, "a.doc");
  scanner.ScanFile(xls, "b.xls");
  scanner.ScanFile(folder_.Write("c.docx", "word\n"), "c.docx");
  const auto conversions = control_.conversions();
  ASSERT_EQ(conversions.size(), 2u);
  EXPECT_EQ(conversions[0], std::make_tuple(OfficeApplication::kWord, doc, text_file));
  EXPECT_EQ(std::get<0>(conversions[1]), OfficeApplication::kExcel);
  EXPECT_EQ(control_.findings().size(), 3u);
}

}  // namespace
}  // namespace zarn::test
