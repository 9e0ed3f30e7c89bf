#include "platform/win/windows_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <string>

#include "tests/support/temp_folder.h"

namespace {

using kx::test::ScopedEnv;
using kx::test::TempFolder;

mode_t PermissionsOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
  EXPECT_TRUE(S_ISDIR(status.st_mode)) << path;
  return status.st_mode & 07777;
}

TEST(WindowsFolder, IsKestrixUnderTheConfigHomeCreatedPrivate) {
  TempFolder base;
  const std::string config = base / "deep/config";  // its parents do not exist yet
  ScopedEnv config_home("XDG_CONFIG_HOME", config);
  ScopedEnv home("HOME", base / "home");

  EXPECT_EQ(win::WindowsFolder(), config + "/kestrix");
  EXPECT_EQ(PermissionsOf(config + "/kestrix"), 0700u);
  EXPECT_EQ(win::WindowsFolder(), config + "/kestrix") << "a second call finds the folder made";
}

TEST(WindowsFolder, FallsBackToTheHomeFolderWhenConfigHomeIsUnsetOrEmpty) {
  TempFolder base;
  ScopedEnv home("HOME", base / "home");
  for (const std::optional<std::string>& config :
       {std::optional<std::string>{}, std::optional<std::string>("")}) {
    ScopedEnv config_home("XDG_CONFIG_HOME", config);
    EXPECT_EQ(win::WindowsFolder(), base / "home/.config/kestrix");
  }
  EXPECT_EQ(PermissionsOf(base / "home/.config/kestrix"), 0700u);
}

TEST(WindowsFolder, TrailingSlashesOfTheVariableAreNotRepeated) {
  TempFolder base;
  ScopedEnv config_home("XDG_CONFIG_HOME", base / "config//");
  EXPECT_EQ(win::WindowsFolder(), base / "config/kestrix");
}

TEST(WindowsFolder, IsUnavailableWithoutAUsableVariable) {
  TempFolder base;
  for (const char* home_value : {"", "relative/home"}) {
    ScopedEnv config_home("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnv home("HOME", std::string(home_value));
    EXPECT_EQ(win::WindowsFolder(), std::nullopt) << "HOME=" << home_value;
    char buffer[16] = "unchanged";
    EXPECT_EQ(win::GetWindowsDirectory(buffer, sizeof(buffer)), 0u);
    EXPECT_STREQ(buffer, "unchanged");
  }
  ScopedEnv no_home("HOME", std::nullopt);
  EXPECT_EQ(win::WindowsFolder(), std::nullopt);
}

TEST(WindowsFolder, IsUnavailableWhenItCannotBeCreated) {
  TempFolder base;
  base.Write("config/kestrix", "a file in the way");
  base.Write("file", "not a folder");
  for (const std::string& config : {base / "config", base / "file/config"}) {
    ScopedEnv config_home("XDG_CONFIG_HOME", config);
    EXPECT_EQ(win::WindowsFolder(), std::nullopt) << config;
  }
}

TEST(WindowsDirectory, CopiesThePathOnlyWhenTheBufferHoldsIt) {
  TempFolder base;
  ScopedEnv config_home("XDG_CONFIG_HOME", base / "config");
  const std::string expected = base / "config/kestrix";
  const auto length = static_cast<unsigned>(expected.size());

  std::string buffer(length + 8, '#');
  EXPECT_EQ(win::GetWindowsDirectory(buffer.data(), length), length + 1) << "no room for the zero";
  EXPECT_EQ(buffer, std::string(length + 8, '#'));
  EXPECT_EQ(win::GetWindowsDirectory(nullptr, 0), length + 1);

  EXPECT_EQ(win::GetWindowsDirectory(buffer.data(), length + 1), length);
  EXPECT_EQ(buffer.substr(0, length + 2), expected + '\0' + '#');
}

}  // namespace
