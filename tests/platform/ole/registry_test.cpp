#include "platform/ole/registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace {

using kx::test::ReadFile;
using kx::test::ScopedEnv;
using kx::test::TempFolder;
using ole::Registry;
using ole::RegistryValue;
using Names = std::vector<std::string>;

const std::string kInproc = R"(CLSID\{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50}\InprocServer32)";

// A registry in a fresh folder of its own; the home folder is never touched.
class RegistryFile : public ::testing::Test {
 protected:
  TempFolder folder_;
  ScopedEnv config_home_{"XDG_CONFIG_HOME", folder_ / "config"};
  ScopedEnv registry_{"KESTRIX_REGISTRY", folder_ / "registry"};
};

TEST(RegistryTree, SetsAndGetsValuesCreatingKeys) {
  Registry registry;
  EXPECT_FALSE(registry.KeyExists("CLSID"));
  EXPECT_TRUE(registry.SetValue(kInproc, "", std::string("/opt/finder.so")));
  EXPECT_TRUE(registry.SetValue(kInproc, "ThreadingModel", std::string("Both")));
  EXPECT_TRUE(registry.KeyExists("CLSID"));
  EXPECT_TRUE(registry.KeyExists(R"(CLSID\{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50})"));
  EXPECT_TRUE(registry.KeyExists(kInproc));
  EXPECT_EQ(registry.GetText(kInproc), "/opt/finder.so");
  EXPECT_EQ(registry.GetText(kInproc, ""), "/opt/finder.so");
  EXPECT_EQ(registry.GetText(kInproc, "ThreadingModel"), "Both");
  EXPECT_EQ(registry.GetText(kInproc, "Missing"), std::nullopt);
  EXPECT_EQ(registry.GetText("CLSID"), std::nullopt) << "a made parent has no default value";
  EXPECT_EQ(registry.GetText("Nowhere\\Key"), std::nullopt);
}

TEST(RegistryTree, DefaultValueIsSeparateFromNamedOnes) {
  Registry registry;
  registry.SetValue("Key", "Name", std::string("named"));
  EXPECT_EQ(registry.GetValue("Key"), std::nullopt);
  registry.SetValue("Key", "", std::string("default"));
  EXPECT_EQ(registry.GetText("Key"), "default");
  EXPECT_EQ(registry.GetText("Key", "Name"), "named");
}

TEST(RegistryTree, NumbersAreNotText) {
  Registry registry;
  registry.SetValue("Key", "Count", std::uint32_t{0xFFFFFFFFu});
  EXPECT_EQ(registry.GetValue("Key", "Count"), RegistryValue(std::uint32_t{0xFFFFFFFFu}));
  EXPECT_EQ(registry.GetText("Key", "Count"), std::nullopt);
  registry.SetValue("Key", "Count", std::string("now text"));
  EXPECT_EQ(registry.GetValue("Key", "Count"), RegistryValue(std::string("now text")));
}

TEST(RegistryTree, NamesMatchWithoutCaseAndKeepTheirFirstSpelling) {
  Registry registry;
  registry.SetValue(R"(Kestrix.Finder\CLSID)", "ValueName", std::string("first"));
  registry.SetValue(R"(KESTRIX.FINDER\clsid)", "VALUENAME", std::string("second"));
  registry.CreateKey(R"(kestrix.finder\Other)");
  EXPECT_EQ(registry.SubKeys(""), Names{"Kestrix.Finder"});
  EXPECT_EQ(registry.SubKeys("kestrix.FINDER"), (Names{"CLSID", "Other"}));
  EXPECT_EQ(registry.GetText(R"(kEsTrIx.FiNdEr\ClSiD)", "valuename"), "second");
  ASSERT_EQ(registry.Root().subkeys[0].subkeys[0].values.size(), 1u);
  EXPECT_EQ(registry.Root().subkeys[0].subkeys[0].values[0].first, "ValueName");
}

TEST(RegistryTree, CaseFoldingIsAsciiOnly) {
  Registry registry;
  registry.CreateKey("\xC3\xA9t\xC3\xA9");  // "été" in UTF-8
  registry.CreateKey("\xC3\x89T\xC3\x89");  // "ÉTÉ": other bytes, so another key
  EXPECT_EQ(registry.SubKeys("").size(), 2u);
}

TEST(RegistryTree, SubKeysComeInCreationOrder) {
  Registry registry;
  for (const char* name : {"zeta", "alpha", "Mid", "beta"}) registry.CreateKey(std::string("Root\\") + name);
  registry.CreateKey("Root\\ALPHA");  // already there
  EXPECT_EQ(registry.SubKeys("Root"), (Names{"zeta", "alpha", "Mid", "beta"}));
  EXPECT_EQ(registry.SubKeys("Absent"), Names{});
}

TEST(RegistryTree, EmptyPathPartsAreIgnored) {
  Registry registry;
  registry.SetValue(R"(\A\\B\)", "", std::string("x"));
  EXPECT_EQ(registry.GetText(R"(A\B)"), "x");
  EXPECT_EQ(registry.SubKeys(""), Names{"A"});
  EXPECT_TRUE(registry.KeyExists(""));
}

TEST(RegistryTree, DeleteTreeRemovesEverythingBelow) {
  Registry registry;
  registry.SetValue(R"(A\B\C)", "", std::string("c"));
  registry.SetValue(R"(A\B)", "v", std::uint32_t{1});
  registry.CreateKey(R"(A\D)");
  EXPECT_TRUE(registry.DeleteTree(R"(a\b)"));
  EXPECT_FALSE(registry.KeyExists(R"(A\B)"));
  EXPECT_FALSE(registry.KeyExists(R"(A\B\C)"));
  EXPECT_EQ(registry.SubKeys("A"), Names{"D"});
  EXPECT_FALSE(registry.DeleteTree(R"(A\B)")) << "already gone";
  EXPECT_FALSE(registry.DeleteTree(R"(X\Y)"));
  EXPECT_FALSE(registry.DeleteTree("")) << "the root stays";
  registry.CreateKey(R"(A\B)");
  EXPECT_EQ(registry.SubKeys("A"), (Names{"D", "B"})) << "made again, it comes last";
  EXPECT_EQ(registry.GetText(R"(A\B\C)"), std::nullopt);
}

TEST(RegistryTree, DeleteKeyIfEmptyRemovesOnlyAKeyWithNothingInIt) {
  Registry registry;
  registry.CreateKey(R"(A\Empty)");
  registry.SetValue(R"(A\Valued)", "v", std::uint32_t{1});
  registry.CreateKey(R"(A\Parent\Child)");
  EXPECT_TRUE(registry.DeleteKeyIfEmpty(R"(a\empty)"));
  EXPECT_FALSE(registry.DeleteKeyIfEmpty(R"(A\Valued)"));
  EXPECT_FALSE(registry.DeleteKeyIfEmpty(R"(A\Parent)"));
  EXPECT_FALSE(registry.DeleteKeyIfEmpty(R"(A\Missing)"));
  EXPECT_FALSE(registry.DeleteKeyIfEmpty("")) << "the root stays";
  EXPECT_EQ(registry.SubKeys("A"), (Names{"Valued", "Parent"}));
}

TEST(RegistryTree, RefusesPathsDeeperThanTheLimit) {
  Registry registry;
  std::string deep;
  for (std::size_t level = 0; level <= ole::kMaxRegistryKeyDepth; ++level) deep += "k\\";
  EXPECT_FALSE(registry.SetValue(deep, "", std::string("x")));
  EXPECT_FALSE(registry.CreateKey(deep));
  EXPECT_FALSE(registry.KeyExists("k"));
  deep.resize(deep.size() - 2);
  EXPECT_TRUE(registry.CreateKey(deep));
}

TEST_F(RegistryFile, PathIsTheVariableElseTheWindowsFolder) {
  EXPECT_EQ(ole::RegistryFilePath(), folder_ / "registry");
  for (const std::optional<std::string>& unset :
       {std::optional<std::string>{}, std::optional<std::string>("")}) {
    ScopedEnv registry("KESTRIX_REGISTRY", unset);
    EXPECT_EQ(ole::RegistryFilePath(), folder_ / "config/kestrix/registry");
  }
}

TEST_F(RegistryFile, AbsentFileIsAnEmptyRegistry) {
  const Registry registry = Registry::Load();
  EXPECT_EQ(registry.SubKeys(""), Names{});
  EXPECT_EQ(registry.Root(), ole::RegistryKey{});
}

TEST_F(RegistryFile, SaveAndLoadKeepEverything) {
  Registry registry;
  registry.SetValue(kInproc, "", std::string("/opt/finder.so"));
  registry.SetValue(kInproc, "ThreadingModel", std::string("Both"));
  registry.SetValue(kInproc, "Flags", std::uint32_t{0x00A0000Bu});
  registry.CreateKey(R"(Empty\Key)");
  registry.SetValue("", "RootValue", std::string("at the root"));
  ASSERT_TRUE(registry.Save());
  const Registry loaded = Registry::Load();
  EXPECT_EQ(loaded.Root(), registry.Root());
  EXPECT_TRUE(loaded.KeyExists(R"(Empty\Key)"));
  EXPECT_EQ(loaded.GetValue(kInproc, "flags"), RegistryValue(std::uint32_t{0x00A0000Bu}));
}

TEST_F(RegistryFile, AnyByteStringSurvivesTheFile) {
  std::string all_bytes;
  for (int byte = 0; byte < 256; ++byte) all_bytes += static_cast<char>(byte);
  const std::vector<std::string> texts = {
      "",
      "say \"hi\"",
      R"(C:\path\to\x)",
      "line one\nline two\r\n",
      "\xFF\xFE",
      "\\x41 is not A",
      "\\",
      "\"",
      "trailing blank ",
      " leading blank",
      "tab\there",
      all_bytes,
      "[not a key]",
      "@=\"x\"",
  };
  Registry registry;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    registry.SetValue("Texts", "v" + texts[i], texts[i]);  // in value names too
    registry.SetValue("Texts", "", texts[i]);
    registry.SetValue("Texts\\" + std::to_string(i), "", texts[i]);
  }
  ASSERT_TRUE(registry.Save());
  const Registry loaded = Registry::Load();
  EXPECT_EQ(loaded.Root(), registry.Root());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(loaded.GetText("Texts\\" + std::to_string(i)), texts[i]) << i;
    EXPECT_EQ(loaded.GetText("Texts", "v" + texts[i]), texts[i]) << i;
  }
}

TEST_F(RegistryFile, KeyNamesWithOddBytesSurviveTheFile) {
  Registry registry;
  for (const std::string name :
       {"a]b", "[x]", "100%", "%41", "new\nline", "\xFF", " spaced ", ";x", "#y", "@"})
    registry.SetValue("Odd\\" + name, "", name);
  ASSERT_TRUE(registry.Save());
  EXPECT_EQ(Registry::Load().Root(), registry.Root());
}

TEST_F(RegistryFile, UnreadableFileLoadsAsNothing) {
  folder_.MakeFolder("registry");  // a folder where the file should be
  EXPECT_EQ(Registry::LoadFrom(folder_ / "registry"), std::nullopt);
  EXPECT_EQ(Registry::Load().Root(), ole::RegistryKey{});
}

}  // namespace
