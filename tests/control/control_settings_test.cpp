// The six options remembered between controls in the settings file.
#include <gtest/gtest.h>

#include <filesystem>

#include "control/object/control_settings.h"
#include "control/object/zarn_ctrl.h"
#include "platform/win/private_profile.h"
#include "tests/support/temp_folder.h"

namespace zarn::test {
namespace {

class ControlSettings : public ::testing::Test {
 protected:
  std::string SettingsFile(const std::string& name = "Zarn_v2") const {
    return folder_ / "kestrix/" + name + ".INI";
  }
  std::string Value(const char* key, const std::string& name = "Zarn_v2") const {
    char text[500];
    win::GetPrivateProfileString("General", key, "(none)", text, sizeof text, SettingsFile(name).c_str());
    return text;
  }
  void Write(const char* key, const char* value) {
    std::filesystem::create_directories(folder_ / "kestrix");
    win::WritePrivateProfileString("General", key, value, SettingsFile().c_str());
  }

  kx::test::TempFolder folder_;
  kx::test::ScopedEnv config_{"XDG_CONFIG_HOME", folder_.path()};
};

TEST_F(ControlSettings, WithoutAFileTheDefaultsHold) {
  CZarnCtrl control;
  EXPECT_FALSE(control.GetCaseSensitive());
  EXPECT_FALSE(control.GetWholeWordOnly());
  EXPECT_FALSE(control.GetLookInSubfolders());
  EXPECT_FALSE(control.GetRegularExpression());
  EXPECT_TRUE(control.GetSupportOfficeDocs());
  EXPECT_EQ(control.GetThreadPriority(), 2);
}

TEST_F(ControlSettings, OptionsSurviveFromOneControlToTheNextOfTheSameName) {
  {
    CZarnCtrl first("Finder");
    first.SetCaseSensitive(true);
    first.SetThreadPriority(4);
    first.SetSupportOfficeDocs(false);
    first.SetSearchPath("/remembered/not");
  }
  EXPECT_EQ(Value("CaseSensitive", "Finder"), "TRUE");
  EXPECT_EQ(Value("ThreadPriority", "Finder"), "4");
  EXPECT_EQ(Value("SupportOfficeDocs", "Finder"), "FALSE");
  EXPECT_EQ(Value("WholeWordOnly", "Finder"), "FALSE");
  CZarnCtrl second("Finder");
  EXPECT_TRUE(second.GetCaseSensitive());
  EXPECT_EQ(second.GetThreadPriority(), 4);
  EXPECT_FALSE(second.GetSupportOfficeDocs());
  EXPECT_EQ(second.GetSearchPath(), "");
  CZarnCtrl other_name("Other");
  EXPECT_FALSE(other_name.GetCaseSensitive());
}

TEST_F(ControlSettings, AFlagIsFalseOnlyWhenItsTextContainsFALSE) {
  Write("CaseSensitive", "false");
  Write("WholeWordOnly", "0");
  Write("LookInSubfolders", "NOT FALSE");
  Write("SupportOfficeDocs", "FALSE!");
  CZarnCtrl control;
  EXPECT_TRUE(control.GetCaseSensitive());
  EXPECT_TRUE(control.GetWholeWordOnly());
  EXPECT_FALSE(control.GetLookInSubfolders());
  EXPECT_FALSE(control.GetSupportOfficeDocs());
}

TEST_F(ControlSettings, AThreadPriorityOutsideZeroToFourGivesNormal) {
  Write("ThreadPriority", "9");
  EXPECT_EQ(CZarnCtrl().GetThreadPriority(), 2);
  Write("ThreadPriority", "0");
  EXPECT_EQ(CZarnCtrl().GetThreadPriority(), 0);
}

TEST_F(ControlSettings, ADisplayNameThatIsNoPlainFileNameIsNotUsed) {
  for (const char* name : {"", ".", "..", "a/b", "../escape"})
    EXPECT_EQ(SettingsFileName(name), SettingsFile()) << name;
  EXPECT_EQ(SettingsFileName(std::string("a\0b", 3)), SettingsFile());
  EXPECT_EQ(SettingsFileName("Zarn1"), SettingsFile("Zarn1"));
}

TEST_F(ControlSettings, WithoutAWindowsFolderNothingIsReadOrWritten) {
  kx::test::ScopedEnv no_config("XDG_CONFIG_HOME", std::nullopt);
  kx::test::ScopedEnv no_home("HOME", std::nullopt);
  {
    CZarnCtrl control;
    EXPECT_EQ(control.GetThreadPriority(), 2);
    control.SetThreadPriority(4);
  }
  EXPECT_FALSE(std::filesystem::exists(folder_ / "kestrix"));
}

}  // namespace
}  // namespace zarn::test
