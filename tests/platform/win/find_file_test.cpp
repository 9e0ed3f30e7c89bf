#include "platform/win/find_file.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

#include "tests/support/temp_folder.h"

namespace {

using kx::test::TempFolder;
using win::FILE_ATTRIBUTE_DIRECTORY;
using win::FILE_ATTRIBUTE_HIDDEN;
using win::FILE_ATTRIBUTE_NORMAL;
using win::FILE_ATTRIBUTE_READONLY;
using win::INVALID_FILE_ATTRIBUTES;
using win::INVALID_HANDLE_VALUE;

// Every entry the listing returns for `pattern`, by name, with its attributes. A name returned twice
// fails the test.
std::map<std::string, std::uint32_t> List(const std::string& pattern) {
  std::map<std::string, std::uint32_t> listed;
  win::WIN32_FIND_DATA data;
  win::HFIND listing = win::FindFirstFile(pattern.c_str(), &data);
  if (listing == INVALID_HANDLE_VALUE) return listed;
  do {
    EXPECT_TRUE(listed.emplace(data.cFileName, data.dwFileAttributes).second) << "twice: " << data.cFileName;
  } while (win::FindNextFile(listing, &data));
  EXPECT_FALSE(win::FindNextFile(listing, &data)) << "the end of a listing stays the end";
  EXPECT_TRUE(win::FindClose(listing));
  return listed;
}

std::set<std::string> Names(const std::string& pattern) {
  std::set<std::string> names;
  for (const auto& [name, attributes] : List(pattern)) names.insert(name);
  return names;
}

// Restores the current folder when it ends.
class ScopedCurrentFolder {
 public:
  explicit ScopedCurrentFolder(const std::string& folder) : previous_(getcwd(nullptr, 0)) {
    EXPECT_EQ(chdir(folder.c_str()), 0);
  }
  ~ScopedCurrentFolder() {
    EXPECT_EQ(chdir(previous_), 0);
    free(previous_);
  }

 private:
  char* previous_;
};

TEST(FindFileListing, StarDotStarListsEveryEntryWithItsAttributes) {
  TempFolder folder;
  folder.Write("notes.txt", "x");
  folder.Write("Makefile", "x");
  folder.Write(".profile", "x");
  folder.MakeFolder("sub");
  folder.MakeFolder(".cache");

  const std::map<std::string, std::uint32_t> expected = {
      {".", FILE_ATTRIBUTE_DIRECTORY},
      {"..", FILE_ATTRIBUTE_DIRECTORY},
      {"notes.txt", FILE_ATTRIBUTE_NORMAL},
      {"Makefile", FILE_ATTRIBUTE_NORMAL},
      {".profile", FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_HIDDEN},
      {"sub", FILE_ATTRIBUTE_DIRECTORY},
      {".cache", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN},
  };
  EXPECT_EQ(List(folder / "*.*"), expected);
  EXPECT_EQ(List(folder / "*"), expected);
}

TEST(FindFileListing, FolderPartDecidesWhereToList) {
  TempFolder folder;
  folder.Write("top.txt", "x");
  folder.Write("sub/inner.txt", "x");

  EXPECT_EQ(Names(folder / "sub/*.txt"), std::set<std::string>{"inner.txt"});
  {
    ScopedCurrentFolder inside(folder.path());
    EXPECT_EQ(Names("*.txt"), std::set<std::string>{"top.txt"});
    EXPECT_EQ(Names("top.txt"), std::set<std::string>{"top.txt"});
  }
  EXPECT_TRUE(Names(folder / "missing/*.*").empty());
  EXPECT_TRUE(Names(folder / "*.none").empty());
  EXPECT_TRUE(Names(folder.path()).empty()) << "a pattern without a name part matches nothing";
}

TEST(FindFileListing, ListsEveryEntryOfALargeFolderOnce) {
  TempFolder folder;
  std::set<std::string> expected = {".", ".."};
  for (int i = 0; i < 1500; ++i) {
    const std::string name =
        "a-rather-long-file-name-to-fill-many-directory-blocks-" + std::to_string(i) + ".txt";
    folder.Write(name, "");
    expected.insert(name);
  }
  EXPECT_EQ(Names(folder / "*.*"), expected);
}

TEST(FindFileWildcards, FollowTheDosRules) {
  TempFolder folder;
  for (const char* name : {"a.txt", "ab.txt", "abc.txt", "b.md", "name", "name.cpp", "x.tar.gz", "readme"})
    folder.Write(name, "");
  using Set = std::set<std::string>;
  struct Case {
    const char* pattern;
    Set names;
  };
  const Case cases[] = {
      {"*.TXT", {"a.txt", "ab.txt", "abc.txt"}},
      {"A?.txt", {"a.txt", "ab.txt"}},  // "?" matches nothing before a dot
      {"a??.txt", {"a.txt", "ab.txt", "abc.txt"}},
      {"?.txt", {"a.txt"}},
      {"readme?", {"readme"}},  // "?" matches nothing at the end
      {"read?", {}},
      {"name.*", {"name", "name.cpp"}},  // "name.*" also matches "name"
      {"*.gz", {"x.tar.gz"}},
      {"x.*", {"x.tar.gz"}},
      {"*.tar", {}},
      {"*m*", {"b.md", "name", "name.cpp", "readme"}},
      {"?.*", {".", "..", "a.txt", "b.md", "x.tar.gz"}},  // "?" takes nothing at a dot
      {"*e", {"name", "readme"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Names(folder / c.pattern), c.names) << "pattern " << c.pattern;
}

TEST(FindFileExactName, FindsTheNameWithoutRegardToCase) {
  TempFolder folder;
  folder.Write("readme.txt", "");
  EXPECT_EQ(Names(folder / "README.TXT"), std::set<std::string>{"readme.txt"});
  EXPECT_EQ(Names(folder / "readme.txt"), std::set<std::string>{"readme.txt"});
  EXPECT_TRUE(Names(folder / "readme.tx").empty());
}

TEST(FindFileExactName, PrefersTheNameSpelledExactly) {
  TempFolder folder;
  folder.Write("a.txt", "");
  folder.Write("A.TXT", "");
  EXPECT_EQ(Names(folder / "a.txt"), std::set<std::string>{"a.txt"});
  EXPECT_EQ(Names(folder / "A.TXT"), std::set<std::string>{"A.TXT"});
  EXPECT_EQ(Names(folder / "A.txt"), (std::set<std::string>{"a.txt", "A.TXT"}));
}

TEST(FindFileExactName, ANameLongerThanAnyEntryFindsNothing) {
  TempFolder folder;
  EXPECT_TRUE(Names(folder / std::string(NAME_MAX + 1, 'n')).empty());
}

void MakeSocket(const std::string& path) {
  const int descriptor = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(descriptor, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof(address.sun_path));
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  EXPECT_EQ(bind(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
  close(descriptor);
}

TEST(FindFileSpecialEntries, OnlyFilesFoldersAndLinksToThemAreListed) {
  TempFolder folder;
  folder.Write("file.txt", "x");
  folder.MakeFolder("dir");
  ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
  MakeSocket(folder / "socket");
  ASSERT_EQ(symlink("nowhere", (folder / "dangling").c_str()), 0);
  ASSERT_EQ(symlink("fifo", (folder / "link-to-fifo").c_str()), 0);
  ASSERT_EQ(symlink("file.txt", (folder / "link-to-file").c_str()), 0);
  ASSERT_EQ(symlink("dir", (folder / "link-to-dir").c_str()), 0);

  const std::map<std::string, std::uint32_t> expected = {
      {".", FILE_ATTRIBUTE_DIRECTORY},         {"..", FILE_ATTRIBUTE_DIRECTORY},
      {"file.txt", FILE_ATTRIBUTE_NORMAL},     {"dir", FILE_ATTRIBUTE_DIRECTORY},
      {"link-to-file", FILE_ATTRIBUTE_NORMAL}, {"link-to-dir", FILE_ATTRIBUTE_DIRECTORY},
  };
  EXPECT_EQ(List(folder / "*.*"), expected);
  for (const char* name : {"fifo", "socket", "dangling", "link-to-fifo"})
    EXPECT_TRUE(Names(folder / name).empty()) << name << " looked up by its exact name";
  EXPECT_EQ(List(folder / "link-to-dir"),
            (std::map<std::string, std::uint32_t>{{"link-to-dir", FILE_ATTRIBUTE_DIRECTORY}}));
}

TEST(FindFileFailures, UnreadableFolderCannotBeListed) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  TempFolder folder;
  const std::string locked = folder.MakeFolder("locked");
  folder.Write("locked/inside.txt", "x");
  ASSERT_EQ(chmod(locked.c_str(), 0), 0);
  win::WIN32_FIND_DATA data;
  EXPECT_EQ(win::FindFirstFile((locked + "*.*").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(win::FindFirstFile((locked + "inside.txt").c_str(), &data), INVALID_HANDLE_VALUE);
}

TEST(FindFileFailures, PatternLongerThanThePathLimitFailsCleanly) {
  std::string pattern;
  while (pattern.size() <= PATH_MAX) pattern += "/folder";
  pattern += "/*.*";
  win::WIN32_FIND_DATA data;
  EXPECT_EQ(win::FindFirstFile(pattern.c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_FALSE(win::FindNextFile(INVALID_HANDLE_VALUE, &data));
  EXPECT_FALSE(win::FindClose(INVALID_HANDLE_VALUE));
}

TEST(FindFileNames, BytesAndBlanksRoundTripExactly) {
  TempFolder folder;
  const std::string odd = "caf\xe9 \xff\xfe with  blanks .txt";  // not UTF-8
  folder.Write(odd, "x");
  EXPECT_EQ(Names(folder / "*.*"), (std::set<std::string>{".", "..", odd}));
  EXPECT_EQ(Names(folder / "*.TXT"), std::set<std::string>{odd});
  EXPECT_EQ(Names(folder / odd), std::set<std::string>{odd});
  EXPECT_EQ(Names(folder / "CAF\xe9 \xff\xfe WITH  BLANKS .TXT"), std::set<std::string>{odd});
}

TEST(FileAttributes, DescribeWhatThePathNames) {
  TempFolder folder;
  const std::string file = folder.Write("file.txt", "x");
  const std::string readonly = folder.Write("readonly.txt", "x");
  ASSERT_EQ(chmod(readonly.c_str(), 0444), 0);
  const std::string hidden = folder.Write(".hidden", "x");
  const std::string dir = folder.MakeFolder("dir");
  ASSERT_EQ(symlink(dir.c_str(), (folder / "link-to-dir").c_str()), 0);
  ASSERT_EQ(symlink("nowhere", (folder / "dangling").c_str()), 0);

  EXPECT_EQ(win::GetFileAttributes(file.c_str()), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(win::GetFileAttributes(readonly.c_str()), FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(win::GetFileAttributes(hidden.c_str()), FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(win::GetFileAttributes(dir.c_str()), FILE_ATTRIBUTE_DIRECTORY) << dir;
  EXPECT_EQ(win::GetFileAttributes((folder / "dir").c_str()), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(win::GetFileAttributes((folder / "link-to-dir").c_str()), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(win::GetFileAttributes((folder / "dangling").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(win::GetFileAttributes((folder / "missing").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(win::GetFileAttributes((file + "/").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(FileIdentity, SameForEveryPathToAFile) {
  TempFolder folder;
  const std::string file = folder.Write("file.txt", "x");
  const std::string other = folder.Write("other.txt", "x");
  ASSERT_EQ(symlink(file.c_str(), (folder / "link").c_str()), 0);

  win::FileIdentity direct, through_link, different;
  ASSERT_TRUE(win::GetFileIdentity(file.c_str(), &direct));
  ASSERT_TRUE(win::GetFileIdentity((folder / "link").c_str(), &through_link));
  ASSERT_TRUE(win::GetFileIdentity(other.c_str(), &different));
  EXPECT_EQ(direct, through_link);
  EXPECT_NE(direct, different);
  EXPECT_FALSE(win::GetFileIdentity((folder / "missing").c_str(), &different));
}

}  // namespace
