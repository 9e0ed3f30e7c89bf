#include "platform/ole/class_lookup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "kestrix_install_layout.h"
#include "platform/ole/class_manifest.h"
#include "platform/ole/registry.h"
#include "tests/support/temp_folder.h"

namespace {

using kx::test::ScopedEnv;
using kx::test::TempFolder;
using ole::CLSIDFromProgID;
using ole::InprocServerPath;
using ole::MakeGuid;
using ole::ProgIDFromCLSID;
using ole::Registry;

constexpr ole::CLSID kFinder = MakeGuid("3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50");
constexpr ole::CLSID kViewer = MakeGuid("0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9");
constexpr ole::CLSID kUnknown = MakeGuid("FFFFFFFF-0000-0000-0000-000000000001");

void Register(const ole::CLSID& clsid, const std::string& prog_id, const std::string& library) {
  const std::string clsid_text = ole::StringFromGUID(clsid);
  ASSERT_TRUE(ole::UpdateRegistry([&](Registry& registry) {
    registry.SetValue(prog_id + "\\CLSID", "", clsid_text);
    registry.SetValue("CLSID\\" + clsid_text + "\\ProgID", "", prog_id);
    registry.SetValue("CLSID\\" + clsid_text + "\\InprocServer32", "", library);
  }));
}

// Each test has its own registry and its own manifest path (absent until a test writes it), so the
// home folder and the program's folder play no part.
class ClassLookup : public ::testing::Test {
 protected:
  TempFolder folder_;
  ScopedEnv config_home_{"XDG_CONFIG_HOME", folder_ / "config"};
  ScopedEnv registry_{"KESTRIX_REGISTRY", folder_ / "registry"};
  ScopedEnv classes_{"KESTRIX_CLASSES", folder_ / "app/kestrix.classes"};
  ScopedEnv installed_{"KESTRIX_INSTALLED_CLASSES", folder_ / "lib/kestrix/kestrix.classes"};
};

TEST_F(ClassLookup, FindsNothingInAnEmptyRegistry) {
  EXPECT_EQ(CLSIDFromProgID("Kestrix.Finder"), std::nullopt);
  EXPECT_EQ(ProgIDFromCLSID(kFinder), std::nullopt);
  EXPECT_EQ(InprocServerPath(kFinder), std::nullopt);
}

TEST_F(ClassLookup, FindsRegisteredClasses) {
  Register(kFinder, "Kestrix.Finder", "/opt/kestrix/finder.so");
  Register(kViewer, "Kestrix.Viewer.2", "/opt/kestrix/viewer.so");
  EXPECT_EQ(CLSIDFromProgID("Kestrix.Finder"), kFinder);
  EXPECT_EQ(CLSIDFromProgID("kestrix.FINDER"), kFinder);
  EXPECT_EQ(CLSIDFromProgID("Kestrix.Viewer.2"), kViewer);
  EXPECT_EQ(ProgIDFromCLSID(kViewer), "Kestrix.Viewer.2");
  EXPECT_EQ(InprocServerPath(kFinder), "/opt/kestrix/finder.so");
  EXPECT_EQ(InprocServerPath(kViewer), "/opt/kestrix/viewer.so");
  EXPECT_EQ(CLSIDFromProgID("Kestrix.Other"), std::nullopt);
  EXPECT_EQ(InprocServerPath(kUnknown), std::nullopt);
}

TEST_F(ClassLookup, IgnoresUnusableRegistryEntries) {
  ASSERT_TRUE(ole::UpdateRegistry([](Registry& registry) {
    registry.SetValue("Bad.Guid\\CLSID", "", std::string("3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50"));
    registry.SetValue("Number\\CLSID", "", std::uint32_t{1});
    registry.SetValue("CLSID\\" + ole::StringFromGUID(kFinder) + "\\InprocServer32", "", std::string());
    registry.SetValue("CLSID\\" + ole::StringFromGUID(kViewer) + "\\InprocServer32", "", std::uint32_t{7});
    registry.SetValue("CLSID", "", ole::StringFromGUID(kFinder));
  }));
  EXPECT_EQ(CLSIDFromProgID("Bad.Guid"), std::nullopt);
  EXPECT_EQ(CLSIDFromProgID("Number"), std::nullopt);
  EXPECT_EQ(CLSIDFromProgID(""), std::nullopt);
  EXPECT_EQ(CLSIDFromProgID("\\"), std::nullopt) << "not a way to reach the key \"CLSID\"";
  EXPECT_EQ(InprocServerPath(kFinder), std::nullopt);
  EXPECT_EQ(InprocServerPath(kViewer), std::nullopt);
}

TEST_F(ClassLookup, ManifestClassesNeedNoRegistration) {
  folder_.Write("app/kestrix.classes",
                "# classes shipped with the program\n"
                "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50} Kestrix.Finder plugins/finder.so\n"
                "\n"
                "  {0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9}\t-\t/opt/viewer with blanks.so  \r\n");
  EXPECT_EQ(CLSIDFromProgID("Kestrix.Finder"), kFinder);
  EXPECT_EQ(CLSIDFromProgID("KESTRIX.finder"), kFinder);
  EXPECT_EQ(ProgIDFromCLSID(kFinder), "Kestrix.Finder");
  EXPECT_EQ(InprocServerPath(kFinder), folder_ / "app/plugins/finder.so");
  EXPECT_EQ(InprocServerPath(kViewer), "/opt/viewer with blanks.so");
  EXPECT_EQ(ProgIDFromCLSID(kViewer), std::nullopt);
  EXPECT_EQ(CLSIDFromProgID("-"), std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "registry")) << "lookups never write the registry";
}

TEST_F(ClassLookup, ManifestComesBeforeTheRegistry) {
  Register(kFinder, "Kestrix.Finder", "/registered/finder.so");
  Register(kViewer, "Kestrix.Viewer", "/registered/viewer.so");
  Register(kUnknown, "Kestrix.Shadowed", "/registered/other.so");
  folder_.Write("app/kestrix.classes",
                "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50} Kestrix.Finder.Local finder.so\n"
                "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9} - viewer.so\n"
                "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8FA} Kestrix.Shadowed mine.so\n");
  EXPECT_EQ(InprocServerPath(kFinder), folder_ / "app/finder.so");
  EXPECT_EQ(ProgIDFromCLSID(kFinder), "Kestrix.Finder.Local");
  EXPECT_EQ(CLSIDFromProgID("Kestrix.Finder"), kFinder) << "still registered under its old ProgID";
  EXPECT_EQ(InprocServerPath(kViewer), folder_ / "app/viewer.so");
  EXPECT_EQ(ProgIDFromCLSID(kViewer), "Kestrix.Viewer") << "the manifest names no ProgID for it";
  EXPECT_EQ(CLSIDFromProgID("kestrix.shadowed"), MakeGuid("0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8FA"));
  EXPECT_EQ(InprocServerPath(kUnknown), "/registered/other.so");
}

TEST_F(ClassLookup, InstalledManifestAnswersLastSoTheUserCanOverrideIt) {
  folder_.Write("lib/kestrix/kestrix.classes",
                "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50} Kestrix.Finder libfinder.so\n"
                "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9} Kestrix.Viewer libviewer.so\n"
                "{FFFFFFFF-0000-0000-0000-000000000001} Kestrix.Unknown libunknown.so\n");
  folder_.Write("app/kestrix.classes", "{FFFFFFFF-0000-0000-0000-000000000001} Kestrix.Own own.so\n");
  ASSERT_TRUE(ole::UpdateRegistry([](Registry& registry) {  // unusable: asks the installed manifest
    registry.SetValue("Kestrix.Finder\\CLSID", "", std::string("not a class"));
  }));
  EXPECT_EQ(CLSIDFromProgID("kestrix.finder"), kFinder);
  EXPECT_EQ(ProgIDFromCLSID(kFinder), "Kestrix.Finder");
  EXPECT_EQ(InprocServerPath(kFinder), folder_ / "lib/kestrix/libfinder.so");

  Register(kViewer, "Kestrix.Viewer", "/home/me/viewer.so");
  EXPECT_EQ(InprocServerPath(kViewer), "/home/me/viewer.so") << "what the user registered wins";
  EXPECT_EQ(InprocServerPath(kUnknown), folder_ / "app/own.so") << "the program's own manifest comes first";
  EXPECT_EQ(ProgIDFromCLSID(kUnknown), "Kestrix.Own");
}

TEST_F(ClassLookup, ManifestIsReadOncePerFile) {
  folder_.Write("app/kestrix.classes", "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50} Kestrix.Finder a.so\n");
  EXPECT_EQ(InprocServerPath(kFinder), folder_ / "app/a.so");
  folder_.Write("app/kestrix.classes", "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50} Kestrix.Finder b.so\n");
  EXPECT_EQ(InprocServerPath(kFinder), folder_ / "app/a.so") << "the first reading is kept";
  ScopedEnv other("KESTRIX_CLASSES",
                  folder_.Write("other/kestrix.classes", "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50} - c.so\n"));
  EXPECT_EQ(InprocServerPath(kFinder), folder_ / "other/c.so");
}

TEST(ClassManifestText, SkipsMalformedLinesAndRepeats) {
  const ole::ClassManifest manifest(
      "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50}\n"              // no ProgID, no library
      "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50} Only.ProgID\n"  // no library
      "3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50 No.Braces lib.so\n"
      "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A5} Short.Guid lib.so\n"
      "#{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50} Commented lib.so\n"
      "   # {3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50} Indented.Comment lib.so\n"
      "\x01\xFF\n"
      "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50} First first.so\n"
      "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50} Second second.so\n"  // the class again
      "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9} FIRST other.so\n",   // the ProgID again
      "/base");
  ASSERT_EQ(manifest.classes().size(), 2u);
  const ole::ManifestClass* finder = manifest.FindClass(kFinder);
  ASSERT_NE(finder, nullptr);
  EXPECT_EQ(finder->prog_id, "First");
  EXPECT_EQ(finder->library, "/base/first.so");
  EXPECT_EQ(manifest.FindProgID("first"), finder);
  const ole::ManifestClass* viewer = manifest.FindClass(kViewer);
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->prog_id, std::nullopt) << "its ProgID already belongs to another class";
  EXPECT_EQ(viewer->library, "/base/other.so");
  EXPECT_EQ(manifest.FindProgID("Second"), nullptr);
  EXPECT_EQ(manifest.FindProgID("Commented"), nullptr);
}

TEST(ClassManifestPath, IsBesideTheProgramUnlessTheVariableNamesOne) {
  for (const std::optional<std::string>& unset :
       {std::optional<std::string>{}, std::optional<std::string>("")}) {
    ScopedEnv classes("KESTRIX_CLASSES", unset);
    const auto program = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(ole::ClassManifestPath(), (program.parent_path() / "kestrix.classes").string());
  }
  ScopedEnv classes("KESTRIX_CLASSES", "/somewhere/else.classes");
  EXPECT_EQ(ole::ClassManifestPath(), "/somewhere/else.classes");
}

TEST(ClassManifestPath, InstalledOneIsAmongTheInstalledLibraries) {
  ScopedEnv installed("KESTRIX_INSTALLED_CLASSES", std::nullopt);
  const auto program = std::filesystem::read_symlink("/proc/self/exe");
  const std::filesystem::path expected =
      (program.parent_path() / KX_LIBRARY_FOLDER_FROM_PROGRAMS / "kestrix.classes").lexically_normal();
  EXPECT_EQ(expected.parent_path().filename(), "kestrix");
  EXPECT_EQ(ole::InstalledClassManifestPath(), expected.string());
  ScopedEnv named("KESTRIX_INSTALLED_CLASSES", "/usr/lib/kestrix.classes");
  EXPECT_EQ(ole::InstalledClassManifestPath(), "/usr/lib/kestrix.classes");
}

}  // namespace
