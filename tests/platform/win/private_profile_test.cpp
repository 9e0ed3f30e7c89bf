#include "platform/win/private_profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/win/whole_file.h"
#include "tests/support/temp_folder.h"

namespace {

using kx::test::ReadFile;
using kx::test::TempFolder;

constexpr unsigned kBufferSize = 500;

// The value a caller with the usual 500-byte buffer reads.
std::string Read(const std::string& file, const char* section, const char* key,
                 const char* default_value = "default") {
  char buffer[kBufferSize];
  const unsigned length =
      win::GetPrivateProfileString(section, key, default_value, buffer, kBufferSize, file.c_str());
  EXPECT_EQ(length, std::strlen(buffer)) << "the answer counts the bytes before the zero";
  return std::string(buffer, length);
}

std::set<std::string> EntriesOf(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

mode_t ModeOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
  return status.st_mode & 07777;
}

// ---- Reading values ----

TEST(PrivateProfileRead, AnswersTheDefaultForAMissingFileSectionOrKey) {
  TempFolder folder;
  const std::string file = folder.Write("a.ini", "k=before any section\n[s]\nk=v\n");
  EXPECT_EQ(Read(folder / "missing.ini", "s", "k"), "default");
  EXPECT_EQ(Read(file, "other", "k"), "default");
  EXPECT_EQ(Read(file, "s", "other"), "default");
  EXPECT_EQ(Read(file, "s", "other", nullptr), "") << "a null default reads as empty";
  EXPECT_EQ(Read(file, "s", "other", "  keep leading, drop trailing \t "), "  keep leading, drop trailing");
  EXPECT_EQ(Read(file, "", "k"), "default") << "keys before the first section belong to none";
}

TEST(PrivateProfileRead, MatchesNamesWithoutRegardToCaseAndTakesTheFirstMatch) {
  TempFolder folder;
  const std::string file = folder.Write("a.ini",
                                        "[Other]\nKey=other\n"
                                        "  [ Main ]  \nKEY=first\nkey=second\n"
                                        "[main]\nkey=second section\n");
  EXPECT_EQ(Read(file, "MAIN", "key"), "first");
  EXPECT_EQ(Read(file, "main", "Key"), "first");
  EXPECT_EQ(Read(file, " main ", " key "), "first") << "the names asked for are trimmed too";
  EXPECT_EQ(Read(file, "other", "key"), "other");
}

TEST(PrivateProfileRead, IgnoresCommentsAndLinesThatAreNeitherHeaderNorKey) {
  TempFolder folder;
  const std::string file =
      folder.Write("a.ini", "[s]\n;k=commented\n  ; j=commented too\nk\nj\n=no key\nk=real\n");
  EXPECT_EQ(Read(file, "s", "k"), "real");
  EXPECT_EQ(Read(file, "s", "j"), "default");
  EXPECT_EQ(Read(file, "s", ";k"), "default");
}

// A ";" after blanks or tabs still starts a comment: the line is neither read nor listed as a key.
TEST(PrivateProfileRead, AnIndentedCommentIsNoKey) {
  TempFolder folder;
  const std::pair<const char*, const char*> kComments[] = {
      {"  ;k=commented", ";k"}, {"\t;k=commented", ";k"}, {" \t ; k = commented", "; k"}};
  for (const auto& [comment, would_be_key] : kComments) {
    const std::string file = folder.Write("a.ini", std::string("[s]\n") + comment + "\nreal=1\n");
    EXPECT_EQ(Read(file, "s", would_be_key), "default") << comment;
    char buffer[kBufferSize];
    const unsigned length =
        win::GetPrivateProfileString("s", nullptr, "default", buffer, kBufferSize, file.c_str());
    EXPECT_EQ(std::string(buffer, length + 1), std::string("real\0\0", 6)) << comment;
  }
}

TEST(PrivateProfileRead, TrimsBlanksAndOnePairOfSurroundingQuotes) {
  TempFolder folder;
  const std::string file = folder.Write("a.ini",
                                        "[s]\n"
                                        " \tspaced \t=  \t a value \t \n"
                                        "quoted= \" inner blanks \" \n"
                                        "twice=\"\"x\"\"\n"
                                        "half=\"open\n"
                                        "lone=\"\n"
                                        "equals=a=b=c\n"
                                        "empty=\n"
                                        "bytes=caf\xe9 \xff\n");
  EXPECT_EQ(Read(file, "s", "spaced"), "a value");
  EXPECT_EQ(Read(file, "s", "quoted"), " inner blanks ");
  EXPECT_EQ(Read(file, "s", "twice"), "\"x\"") << "only one pair is removed";
  EXPECT_EQ(Read(file, "s", "half"), "\"open");
  EXPECT_EQ(Read(file, "s", "lone"), "\"");
  EXPECT_EQ(Read(file, "s", "equals"), "a=b=c") << "the first = splits";
  EXPECT_EQ(Read(file, "s", "empty"), "") << "an empty value is a value, not the default";
  EXPECT_EQ(Read(file, "s", "bytes"), "caf\xe9 \xff");
}

TEST(PrivateProfileRead, ReadsCrLfLinesWithoutTheirCr) {
  TempFolder folder;
  const std::string file = folder.Write("a.ini", "[s]\r\nk=v\r\n[t]\r\nn=\"q\"\r\nlast=no line end");
  EXPECT_EQ(Read(file, "s", "k"), "v");
  EXPECT_EQ(Read(file, "t", "n"), "q");
  EXPECT_EQ(Read(file, "t", "last"), "no line end");
}

// ---- Buffers ----

TEST(PrivateProfileBuffer, CutsTheValueToFitAndAlwaysEndsItWithAZero) {
  TempFolder folder;
  const std::string file = folder.Write("a.ini", "[s]\nk=abcdef\n");
  char buffer[8];
  std::memset(buffer, 'X', sizeof(buffer));
  EXPECT_EQ(win::GetPrivateProfileString("s", "k", "", buffer, 7, file.c_str()), 6u);
  EXPECT_STREQ(buffer, "abcdef") << "exactly fits";

  std::memset(buffer, 'X', sizeof(buffer));
  EXPECT_EQ(win::GetPrivateProfileString("s", "k", "", buffer, 4, file.c_str()), 3u);
  EXPECT_EQ(std::string(buffer, 5), std::string("abc\0X", 5)) << "nothing written past size";

  std::memset(buffer, 'X', sizeof(buffer));
  EXPECT_EQ(win::GetPrivateProfileString("s", "k", "", buffer, 1, file.c_str()), 0u);
  EXPECT_EQ(std::string(buffer, 2), std::string("\0X", 2));

  std::memset(buffer, 'X', sizeof(buffer));
  EXPECT_EQ(win::GetPrivateProfileString("s", "k", "", buffer, 0, file.c_str()), 0u);
  EXPECT_EQ(buffer[0], 'X') << "size 0 writes nothing";

  EXPECT_EQ(win::GetPrivateProfileString("s", "missing", "long default", buffer, 5, file.c_str()), 4u);
  EXPECT_STREQ(buffer, "long") << "a default is cut likewise";
}

// The list of names in the buffer: the `length` bytes answered and the extra zero that ends the list.
std::string ListIn(const char* buffer, unsigned length) {
  return std::string(buffer, length + 1);
}

TEST(PrivateProfileBuffer, ListsKeyNamesAndSectionNamesEachEndedByAZero) {
  TempFolder folder;
  const std::string file = folder.Write("a.ini",
                                        "stray=1\n[One]\nalpha=1\n;comment=2\nBeta = 2\nALPHA=3\n"
                                        "[two]\n[ONE]\ngamma=4\n");
  char buffer[kBufferSize];
  unsigned length =
      win::GetPrivateProfileString("one", nullptr, "default", buffer, kBufferSize, file.c_str());
  EXPECT_EQ(ListIn(buffer, length), std::string("alpha\0Beta\0\0", 12))
      << "the first section's keys, each once, spelt as in the file";

  length = win::GetPrivateProfileString(nullptr, "ignored", "default", buffer, kBufferSize, file.c_str());
  EXPECT_EQ(ListIn(buffer, length), std::string("One\0two\0\0", 9));

  length = win::GetPrivateProfileString("missing", nullptr, "default", buffer, kBufferSize, file.c_str());
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(std::string(buffer, 2), std::string("\0\0", 2)) << "an empty list, not the default";

  length = win::GetPrivateProfileString(nullptr, nullptr, "", buffer, kBufferSize, (folder / "none").c_str());
  EXPECT_EQ(length, 0u) << "a missing file has no sections";
}

TEST(PrivateProfileBuffer, CutsAListThatDoesNotFitAndAnswersSizeMinusTwo) {
  TempFolder folder;
  const std::string file = folder.Write("a.ini", "[s]\nalpha=1\nbeta=2\n");
  char buffer[16];
  std::memset(buffer, 'X', sizeof(buffer));
  EXPECT_EQ(win::GetPrivateProfileString("s", nullptr, "", buffer, 12, file.c_str()), 11u) << "exactly fits";
  EXPECT_EQ(std::string(buffer, 13), std::string("alpha\0beta\0\0X", 13));

  std::memset(buffer, 'X', sizeof(buffer));
  EXPECT_EQ(win::GetPrivateProfileString("s", nullptr, "", buffer, 11, file.c_str()), 9u);
  EXPECT_EQ(std::string(buffer, 12), std::string("alpha\0bet\0\0X", 12));

  std::memset(buffer, 'X', sizeof(buffer));
  EXPECT_EQ(win::GetPrivateProfileString("s", nullptr, "", buffer, 1, file.c_str()), 0u);
  EXPECT_EQ(std::string(buffer, 2), std::string("\0X", 2));

  std::memset(buffer, 'X', sizeof(buffer));
  EXPECT_EQ(win::GetPrivateProfileString(nullptr, nullptr, "", buffer, 0, file.c_str()), 0u);
  EXPECT_EQ(buffer[0], 'X');
}

// ---- Integers ----

// A value that does not begin with a number reads as 0, and so does a negative one; only a missing key
// (or section, or file) and an empty value answer the default.
TEST(PrivateProfileInt, ReadsALeadingDecimalNumberElseZeroAndNeverANegativeOne) {
  TempFolder folder;
  const std::string file = folder.Write("a.ini",
                                        "[n]\nplain=42\nblanks=  -7  \nplus=+5\ntrailing=12abc\nletters=abc\n"
                                        "quoted=\"31\"\nsign only=-\nzero=0\nhuge=99999999999999999999\n"
                                        "tiny=-99999999999999999999\nmax=2147483647\nmin=-2147483648\n"
                                        "just over=2147483648\nminus zero=-0\nempty=\n");
  const struct {
    const char* key;
    int value;
  } cases[] = {{"plain", 42},          {"blanks", 0},     {"plus", 5},      {"trailing", 12},
               {"letters", 0},         {"quoted", 31},    {"sign only", 0}, {"zero", 0},
               {"huge", INT_MAX},      {"tiny", 0},       {"max", INT_MAX}, {"min", 0},
               {"just over", INT_MAX}, {"minus zero", 0}, {"empty", -1},    {"missing", -1}};
  for (const auto& entry : cases)
    EXPECT_EQ(win::GetPrivateProfileInt("N", entry.key, -1, file.c_str()), entry.value) << entry.key;
  EXPECT_EQ(win::GetPrivateProfileInt("other", "plain", 9, file.c_str()), 9);
  EXPECT_EQ(win::GetPrivateProfileInt("n", "plain", 9, (folder / "none.ini").c_str()), 9);
}

// ---- Writing ----

TEST(PrivateProfileWrite, CreatesTheFileTheSectionAndTheKey) {
  TempFolder folder;
  const std::string file = folder / "new.ini";
  const mode_t old_mask = umask(027);
  const bool written = win::WritePrivateProfileString("Main", "Key", "value", file.c_str());
  umask(old_mask);
  ASSERT_TRUE(written);
  EXPECT_EQ(ReadFile(file), "[Main]\nKey=value\n");
  EXPECT_EQ(ModeOf(file), 0640u) << "a new file is made like any other, under the umask";

  ASSERT_TRUE(win::WritePrivateProfileString("main", "second", "2", file.c_str()));
  ASSERT_TRUE(win::WritePrivateProfileString("Other", "k", " padded ", file.c_str()));
  EXPECT_EQ(ReadFile(file), "[Main]\nKey=value\nsecond=2\n[Other]\nk= padded \n");
  EXPECT_EQ(Read(file, "other", "K"), "padded");
}

TEST(PrivateProfileWrite, ReplacingAValueKeepsEveryOtherByteAndTheFilesMode) {
  TempFolder folder;
  const std::string before =
      "; settings\n"
      "top=untouched\n"
      "\n"
      "[First]   \n"
      "  Name  =  old value ; not a comment\n"
      "# stray text\n"
      "name=shadowed\n"
      "\n"
      "[Second]\n"
      "name=other section\n";
  const std::string file = folder.Write("a.ini", before);
  ASSERT_EQ(chmod(file.c_str(), 0604), 0);

  ASSERT_TRUE(win::WritePrivateProfileString("first", "NAME", "new", file.c_str()));
  std::string after = before;
  after.replace(after.find("old value ; not a comment"), 25, "new");
  EXPECT_EQ(ReadFile(file), after) << "the key keeps its spelling and the blanks around =";
  EXPECT_EQ(ModeOf(file), 0604u);
}

TEST(PrivateProfileWrite, AddsAKeyAfterTheSectionsLastKeyLine) {
  TempFolder folder;
  const std::string file = folder.Write("a.ini", "[a]\nk=1\n; about b\n\n[b]\n\n[c]\n; only a comment\n");
  ASSERT_TRUE(win::WritePrivateProfileString("a", "new", "2", file.c_str()));
  ASSERT_TRUE(win::WritePrivateProfileString("b", "new", "3", file.c_str()));
  EXPECT_EQ(ReadFile(file), "[a]\nk=1\nnew=2\n; about b\n\n[b]\nnew=3\n\n[c]\n; only a comment\n");
}

TEST(PrivateProfileWrite, EndsALastLineThatHadNoLineEndBeforeAddingLines) {
  TempFolder folder;
  const std::string file = folder.Write("a.ini", "[a]\nk=1");
  ASSERT_TRUE(win::WritePrivateProfileString("a", "j", "2", file.c_str()));
  ASSERT_TRUE(win::WritePrivateProfileString("a", "k", "changed", file.c_str()));
  EXPECT_EQ(ReadFile(file), "[a]\nk=changed\nj=2\n");
  // A last line that ends in a CR keeps it: an LF after it would make the two one line end.
  const std::string with_cr = folder.Write("b.ini", "[a]\nk=1\r");
  ASSERT_TRUE(win::WritePrivateProfileString("b", "j", "2", with_cr.c_str()));
  EXPECT_EQ(ReadFile(with_cr), "[a]\nk=1\r\r\n[b]\nj=2\n");
}

TEST(PrivateProfileWrite, KeepsTheCrLfStyleOfTheFile) {
  TempFolder folder;
  const std::string file = folder.Write("a.ini", "[a]\r\nk=1\r\n; note\r\n");
  ASSERT_TRUE(win::WritePrivateProfileString("a", "k", "2", file.c_str()));
  ASSERT_TRUE(win::WritePrivateProfileString("a", "j", "3", file.c_str()));
  ASSERT_TRUE(win::WritePrivateProfileString("b", "x", "4", file.c_str()));
  EXPECT_EQ(ReadFile(file), "[a]\r\nk=2\r\nj=3\r\n; note\r\n[b]\r\nx=4\r\n");
}

TEST(PrivateProfileWrite, RemovesAKeyOrAWholeSection) {
  TempFolder folder;
  const std::string file = folder.Write("a.ini",
                                        "; head\n[a]\nk=1\nK=duplicate\nj=2\n[B]\nx=1\n; b's comment\n\n"
                                        "[c]\ny=2\n[b]\nz=3\n");
  ASSERT_TRUE(win::WritePrivateProfileString("a", "k", nullptr, file.c_str()));
  EXPECT_EQ(Read(file, "a", "k"), "default") << "no duplicate shows through";
  ASSERT_TRUE(win::WritePrivateProfileString("b", nullptr, "ignored", file.c_str()));
  EXPECT_EQ(Read(file, "b", "z"), "default") << "no second section of that name shows through";
  EXPECT_EQ(ReadFile(file), "; head\n[a]\nj=2\n[c]\ny=2\n");

  ASSERT_TRUE(win::WritePrivateProfileString("a", "missing", nullptr, file.c_str()));
  ASSERT_TRUE(win::WritePrivateProfileString("missing", nullptr, nullptr, file.c_str()));
  EXPECT_EQ(ReadFile(file), "; head\n[a]\nj=2\n[c]\ny=2\n");

  const std::string absent = folder / "absent.ini";
  EXPECT_TRUE(win::WritePrivateProfileString("a", "k", nullptr, absent.c_str()));
  EXPECT_FALSE(ReadFile(absent)) << "removing from a missing file creates none";
}

TEST(PrivateProfileWrite, WritingTheSameValueAgainSucceeds) {
  TempFolder folder;
  const std::string file = folder / "a.ini";
  ASSERT_TRUE(win::WritePrivateProfileString("a", "k", "v", file.c_str()));
  EXPECT_TRUE(win::WritePrivateProfileString("a", "k", "v", file.c_str()));
  EXPECT_EQ(ReadFile(file), "[a]\nk=v\n");
}

TEST(PrivateProfileWrite, RefusesWhatCouldNotBeReadBack) {
  TempFolder folder;
  const std::string file = folder.Write("a.ini", "[a]\nk=v\n");
  EXPECT_FALSE(win::WritePrivateProfileString(nullptr, "k", "v", file.c_str()));
  EXPECT_FALSE(win::WritePrivateProfileString("a", "k", "two\nlines", file.c_str()));
  EXPECT_FALSE(win::WritePrivateProfileString("a", "k\r", "v", file.c_str()));
  EXPECT_FALSE(win::WritePrivateProfileString("a]\n[b", "k", "v", file.c_str()));
  EXPECT_FALSE(win::WritePrivateProfileString("a", "k=j", "v", file.c_str()));
  EXPECT_FALSE(win::WritePrivateProfileString("a", "  ", "v", file.c_str()));
  // Key lines that would read as a comment or as a section header.
  EXPECT_FALSE(win::WritePrivateProfileString("a", " ;k", "v", file.c_str()));
  EXPECT_FALSE(win::WritePrivateProfileString("a", "[k", "v] ", file.c_str()));
  EXPECT_EQ(ReadFile(file), "[a]\nk=v\n");
  EXPECT_EQ(EntriesOf(folder.path()), std::set<std::string>{"a.ini"});
  // Such bytes elsewhere in the line are kept.
  ASSERT_TRUE(win::WritePrivateProfileString("a", "[k;", ";v]v", file.c_str()));
  EXPECT_EQ(Read(file, "a", "[k;"), ";v]v");
}

// ---- Failures and the replacement of the file ----

TEST(PrivateProfileFile, AWriteIntoAMissingFolderFailsAndCreatesNothing) {
  TempFolder folder;
  const std::string file = folder / "missing/a.ini";
  EXPECT_FALSE(win::WritePrivateProfileString("a", "k", "v", file.c_str()));
  EXPECT_TRUE(EntriesOf(folder.path()).empty());
}

TEST(PrivateProfileFile, AWriteIntoAReadOnlyFolderFailsAndLeavesTheFileAsItWas) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  TempFolder folder;
  const std::string locked = folder.MakeFolder("locked");
  const std::string file = folder.Write("locked/a.ini", "[a]\nk=old\n");
  ASSERT_EQ(chmod(locked.c_str(), 0555), 0);
  EXPECT_FALSE(win::WritePrivateProfileString("a", "k", "new", file.c_str()));
  EXPECT_FALSE(win::WritePrivateProfileString("b", "k", "new", file.c_str()));
  EXPECT_TRUE(win::WritePrivateProfileString("a", "k", "old", file.c_str())) << "nothing to change";
  EXPECT_EQ(ReadFile(file), "[a]\nk=old\n");
  EXPECT_EQ(EntriesOf(locked), std::set<std::string>{"a.ini"});
  EXPECT_EQ(Read(file, "a", "k"), "old");
}

TEST(PrivateProfileFile, AnUnreadableFileIsNeitherReadNorReplaced) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads unreadable files";
  TempFolder folder;
  const std::string file = folder.Write("a.ini", "[a]\nk=secret\n");
  ASSERT_EQ(chmod(file.c_str(), 0200), 0);
  EXPECT_EQ(Read(file, "a", "k"), "default");
  EXPECT_FALSE(win::WritePrivateProfileString("a", "j", "v", file.c_str()))
      << "its other lines would be lost";
  ASSERT_EQ(chmod(file.c_str(), 0600), 0);
  EXPECT_EQ(ReadFile(file), "[a]\nk=secret\n");
}

// Only regular files are read, and only up to a bound: a FIFO (whose opening could wait for a writer for
// ever), a link to a device without end and a file beyond the bound read as absent, and a write leaves
// each of them as it is.
TEST(PrivateProfileFile, WhatIsNoRegularFileWithinTheBoundReadsAsAbsentAndIsNeverReplaced) {
  TempFolder folder;
  const std::string oversized = folder.Write("big.ini", "[s]\nk=v\n");
  ASSERT_EQ(truncate(oversized.c_str(), win::kWholeFileLimit + 1), 0);
  const std::string device = folder / "zero.ini";
  ASSERT_EQ(symlink("/dev/zero", device.c_str()), 0);
  const std::string fifo = folder / "fifo.ini";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& file : {oversized, device, fifo}) {
    EXPECT_EQ(Read(file, "s", "k"), "default") << file;
    EXPECT_EQ(win::GetPrivateProfileInt("s", "k", 7, file.c_str()), 7) << file;
    EXPECT_FALSE(win::WritePrivateProfileString("s", "k", "new", file.c_str())) << file;
  }
  struct stat status {};
  ASSERT_EQ(stat(oversized.c_str(), &status), 0);
  EXPECT_EQ(status.st_size, static_cast<off_t>(win::kWholeFileLimit + 1));
  EXPECT_EQ(std::filesystem::read_symlink(device), "/dev/zero");
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_EQ(EntriesOf(folder.path()), (std::set<std::string>{"big.ini", "fifo.ini", "zero.ini"}));
}

TEST(PrivateProfileFile, WritesLeaveNoTemporaryFilesBehind) {
  TempFolder folder;
  const std::string file = folder / "a.ini";
  for (const char* value : {"1", "2", "3"}) {
    ASSERT_TRUE(win::WritePrivateProfileString("a", "k", value, file.c_str()));
  }
  ASSERT_TRUE(win::WritePrivateProfileString("a", "k", nullptr, file.c_str()));
  EXPECT_EQ(EntriesOf(folder.path()), std::set<std::string>{"a.ini"});
}

TEST(PrivateProfileFile, WritingThroughASymbolicLinkReplacesTheFileItNames) {
  TempFolder folder;
  const std::string real = folder.Write("real.ini", "[a]\nk=1\n");
  const std::string link = folder / "link.ini";
  ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
  ASSERT_TRUE(win::WritePrivateProfileString("a", "k", "2", link.c_str()));
  EXPECT_EQ(ReadFile(real), "[a]\nk=2\n");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
}

TEST(PrivateProfileFile, ConcurrentWritersOfOneFileLoseNoKey) {
  TempFolder folder;
  const std::string file = folder / "shared.ini";
  constexpr int kThreads = 8;
  constexpr int kKeysEach = 8;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&file, t] {
      for (int k = 0; k < kKeysEach; ++k) {
        const std::string key = "key" + std::to_string(t) + "_" + std::to_string(k);
        EXPECT_TRUE(
            win::WritePrivateProfileString(t % 2 ? "odd" : "even", key.c_str(), key.c_str(), file.c_str()));
        EXPECT_EQ(Read(file, t % 2 ? "odd" : "even", key.c_str()), key);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) {
    for (int k = 0; k < kKeysEach; ++k) {
      const std::string key = "key" + std::to_string(t) + "_" + std::to_string(k);
      EXPECT_EQ(Read(file, t % 2 ? "odd" : "even", key.c_str()), key);
    }
  }
  EXPECT_EQ(EntriesOf(folder.path()), std::set<std::string>{"shared.ini"});
}

}  // namespace
