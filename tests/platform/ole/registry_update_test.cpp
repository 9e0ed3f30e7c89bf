#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <thread>

#include "platform/ole/registry.h"
#include "tests/support/temp_folder.h"

namespace {

using kx::test::ReadFile;
using kx::test::ScopedEnv;
using kx::test::TempFolder;
using ole::Registry;
using ole::UpdateRegistry;

constexpr int kUpdatesPerWriter = 40;

class RegistryUpdate : public ::testing::Test {
 protected:
  std::set<std::string> FolderEntries() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_ / "reg"))
      names.insert(entry.path().filename().string());
    return names;
  }

  // Adds "Writers\<writer>\<n>" for every n, one update each.
  static bool AddKeys(const std::string& writer) {
    bool all = true;
    for (int n = 0; n < kUpdatesPerWriter; ++n) {
      all = UpdateRegistry([&](Registry& registry) {
              registry.SetValue("Writers\\" + writer + "\\" + std::to_string(n), "", writer);
            }) &&
            all;
    }
    return all;
  }

  static void ExpectAllKeys(const Registry& registry, const std::string& writer) {
    EXPECT_EQ(registry.SubKeys("Writers\\" + writer).size(), static_cast<std::size_t>(kUpdatesPerWriter))
        << writer;
    for (int n = 0; n < kUpdatesPerWriter; ++n)
      EXPECT_EQ(registry.GetText("Writers\\" + writer + "\\" + std::to_string(n)), writer) << n;
  }

  TempFolder folder_;
  std::string path_ = folder_.MakeFolder("reg") + "registry";
  ScopedEnv config_home_{"XDG_CONFIG_HOME", folder_ / "config"};
  ScopedEnv registry_{"KESTRIX_REGISTRY", path_};
};

TEST_F(RegistryUpdate, AppliesTheChangeAndSaves) {
  ASSERT_TRUE(UpdateRegistry([](Registry& registry) { registry.SetValue("A", "", std::string("1")); }));
  ASSERT_TRUE(UpdateRegistry([](Registry& registry) { registry.SetValue("B", "", std::string("2")); }));
  const Registry loaded = Registry::Load();
  EXPECT_EQ(loaded.GetText("A"), "1");
  EXPECT_EQ(loaded.GetText("B"), "2");
  ASSERT_TRUE(UpdateRegistry([](Registry& registry) { EXPECT_TRUE(registry.DeleteTree("a")); }));
  EXPECT_FALSE(Registry::Load().KeyExists("A"));
}

TEST_F(RegistryUpdate, LeavesNoTemporaryFilesBehind) {
  for (int n = 0; n < 5; ++n)
    ASSERT_TRUE(UpdateRegistry([&](Registry& registry) { registry.SetValue("K", "n", std::uint32_t(n)); }));
  EXPECT_EQ(FolderEntries(), (std::set<std::string>{"registry", "registry.lock"}));
}

TEST_F(RegistryUpdate, UnchangedRegistryIsNotWritten) {
  ASSERT_TRUE(UpdateRegistry([](Registry&) {}));
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(RegistryUpdate, UnreadableFileIsNotOverwritten) {
  folder_.MakeFolder("reg/registry");  // a folder cannot be read as a file
  bool called = false;
  EXPECT_FALSE(UpdateRegistry([&](Registry&) { called = true; }));
  EXPECT_FALSE(called);
  EXPECT_TRUE(std::filesystem::is_directory(path_));
}

TEST_F(RegistryUpdate, FailsWithoutAFolderToWriteIn) {
  ScopedEnv registry("KESTRIX_REGISTRY", folder_ / "missing/registry");
  EXPECT_FALSE(UpdateRegistry([](Registry& registry) { registry.CreateKey("K"); }));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "missing"));
}

TEST_F(RegistryUpdate, ReadOnlyFolderFailsAndKeepsTheOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop the superuser";
  ASSERT_TRUE(UpdateRegistry([](Registry& registry) { registry.SetValue("Old", "", std::string("kept")); }));
  const auto before = ReadFile(path_);
  ASSERT_EQ(chmod((folder_ / "reg").c_str(), 0500), 0);
  EXPECT_FALSE(UpdateRegistry([](Registry& registry) { registry.SetValue("New", "", std::string("lost")); }));
  ASSERT_EQ(chmod((folder_ / "reg").c_str(), 0700), 0);
  EXPECT_EQ(ReadFile(path_), before);
  EXPECT_EQ(FolderEntries(), (std::set<std::string>{"registry", "registry.lock"}));
}

// Writing fails in a child process whose file-size limit is too small for the new registry; the old
// file must be left whole, and no temporary file either. (This works for the superuser too.)
TEST_F(RegistryUpdate, FailedWriteKeepsTheOldFile) {
  ASSERT_TRUE(UpdateRegistry([](Registry& registry) { registry.SetValue("Old", "", std::string("kept")); }));
  const auto before = ReadFile(path_);
  ASSERT_TRUE(before);
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{static_cast<rlim_t>(before->size() + 16), static_cast<rlim_t>(before->size() + 16)};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(2);
    const bool saved =
        UpdateRegistry([](Registry& registry) { registry.SetValue("New", "", std::string(4096, 'x')); });
    _exit(saved ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the update claimed success; 2: no limit could be set";
  EXPECT_EQ(ReadFile(path_), before);
  EXPECT_EQ(FolderEntries(), (std::set<std::string>{"registry", "registry.lock"}));
}

TEST_F(RegistryUpdate, ConcurrentThreadsLoseNoKeys) {
  bool first_ok = false;
  bool second_ok = false;
  std::thread first([&] { first_ok = AddKeys("first"); });
  std::thread second([&] { second_ok = AddKeys("second"); });
  first.join();
  second.join();
  EXPECT_TRUE(first_ok);
  EXPECT_TRUE(second_ok);
  const Registry loaded = Registry::Load();
  ExpectAllKeys(loaded, "first");
  ExpectAllKeys(loaded, "second");
}

TEST_F(RegistryUpdate, ConcurrentProcessesLoseNoKeys) {
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) _exit(AddKeys("child") ? 0 : 1);
  const bool parent_ok = AddKeys("parent");
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(parent_ok);
  const Registry loaded = Registry::Load();
  ExpectAllKeys(loaded, "child");
  ExpectAllKeys(loaded, "parent");
}

}  // namespace
