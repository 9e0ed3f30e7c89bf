#include "platform/ole/registry_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_view_literals;
using ole::ReadRegistryText;
using ole::RegistryKey;
using ole::RegistryValue;
using ole::WriteRegistryText;

RegistryKey Key(std::string name, std::vector<std::pair<std::string, RegistryValue>> values = {},
                std::vector<RegistryKey> subkeys = {}) {
  return RegistryKey{std::move(name), std::move(values), std::move(subkeys)};
}

TEST(RegistryText, IsOneSectionPerKeyInTreeOrder) {
  RegistryKey root = Key("", {},
                         {Key("CLSID", {},
                              {Key("{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50}", {{"", std::string("Finder")}},
                                   {Key("InprocServer32", {{"", std::string("/opt/finder.so")},
                                                           {"ThreadingModel", std::string("Both")},
                                                           {"Version", std::uint32_t{0x1A}}})})}),
                          Key("Kestrix.Finder")});
  EXPECT_EQ(WriteRegistryText(root),
            "; Kestrix registry\n"
            "\n[CLSID]\n"
            "\n[CLSID\\{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50}]\n"
            "@=\"Finder\"\n"
            "\n[CLSID\\{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50}\\InprocServer32]\n"
            "@=\"/opt/finder.so\"\n"
            "\"ThreadingModel\"=\"Both\"\n"
            "\"Version\"=dword:0000001A\n"
            "\n[Kestrix.Finder]\n");
  EXPECT_EQ(ReadRegistryText(WriteRegistryText(root)), root);
}

TEST(RegistryText, EscapesQuotesBackslashesControlAndHighBytes) {
  const RegistryKey root =
      Key("", {}, {Key("K\x01%\xE9]", {{"a\"b\\c", std::string("q\"b\\n\n\r\t\x7F\x80\xFF\x1B")}})});
  EXPECT_EQ(WriteRegistryText(root),
            "; Kestrix registry\n"
            "\n[K%01%25%E9]]\n"
            "\"a\\\"b\\\\c\"=\"q\\\"b\\\\n\\n\\r\\t\\x7F\\x80\\xFF\\x1B\"\n");
}

TEST(RegistryText, ReadsHandEditedForms) {
  const RegistryKey root = ReadRegistryText(
      "  [Key\\Sub]  \r\n"
      "\"Lower\"=\"\\xe9\"\r\n"
      "  \"Spaced\" =   \"v\"   \n"
      "\"Short\"=dword:1a\n"
      "\"Raw\"=\"\xC3\xA9\ttab\"\n"
      "; a comment\n"
      "# another\n"
      "\n"
      "[key]\n"
      "\"\"=\"default by empty name\"\n"
      "[KEY\\sub]\n"
      "\"lower\"=\"replaced\"");  // no final line break
  const RegistryKey expected = Key("", {},
                                   {Key("Key", {{"", std::string("default by empty name")}},
                                        {Key("Sub", {{"Lower", std::string("replaced")},
                                                     {"Spaced", std::string("v")},
                                                     {"Short", std::uint32_t{0x1A}},
                                                     {"Raw", std::string("\xC3\xA9\ttab")}})})});
  EXPECT_EQ(root, expected);
}

TEST(RegistryText, SkipsWhatItCannotUnderstandAndKeepsTheRest) {
  const RegistryKey root = ReadRegistryText(
      "@=\"root default\"\n"
      "[Good]\n"
      "\"a\"=\"1\"\n"
      "\"unterminated=\"2\"\n"
      "\"b\"=\"no closing quote\n"
      "\"c\"=\"bad escape \\q\"\n"
      "\"d\"=\"short hex \\x4\"\n"
      "\"e\"=\"trailing\" junk\n"
      "\"f\"=dword:123456789\n"
      "\"g\"=dword:\n"
      "\"h\"=dword:12G4\n"
      "\"i\"=hex:00\n"
      "\"j\"\n"
      "k=\"unquoted name\"\n"
      "\"l\"=\"2\"\n"
      "[Broken\n"
      "\"lost\"=\"belongs to the broken section\"\n"
      "[]\n"
      "\"lost2\"=\"also\"\n"
      "[Bad%4]\n"
      "\"lost3\"=\"also\"\n"
      "[Bad%5Cslash]\n"
      "\"lost4\"=\"also\"\n"
      "\x00\xFF garbage \x01\n"
      "[Good\\Again]\n"
      "@=dword:FFFFFFFF\n"
      "\\\n"
      "\"\\"sv);
  const RegistryKey expected = Key("", {{"", std::string("root default")}},
                                   {Key("Good", {{"a", std::string("1")}, {"l", std::string("2")}},
                                        {Key("Again", {{"", std::uint32_t{0xFFFFFFFFu}}})})});
  EXPECT_EQ(root, expected);
}

TEST(RegistryText, IgnoresSectionsNestedTooDeep) {
  std::string too_deep = "[";
  for (std::size_t level = 0; level <= ole::kMaxRegistryKeyDepth; ++level) too_deep += "k\\";
  too_deep += "]\n\"v\"=\"x\"\n";
  EXPECT_EQ(ReadRegistryText(too_deep), RegistryKey{});
}

TEST(RegistryText, EmptyOrCommentOnlyTextIsAnEmptyTree) {
  EXPECT_EQ(ReadRegistryText(""), RegistryKey{});
  EXPECT_EQ(ReadRegistryText("; Kestrix registry\n\n\n"), RegistryKey{});
  EXPECT_EQ(ReadRegistryText(WriteRegistryText(RegistryKey{})), RegistryKey{});
}

}  // namespace
