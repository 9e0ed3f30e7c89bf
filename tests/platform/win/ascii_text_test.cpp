// ASCII text: only the 26 ASCII letters have a case, and each trim removes exactly the blanks it is given.
#include "platform/win/ascii_text.h"

#include <gtest/gtest.h>

namespace {

namespace ascii = win::ascii;

TEST(AsciiText, OnlyAsciiLettersChangeCase) {
  const std::string every_byte = [] {
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte) bytes += static_cast<char>(byte);
    return bytes;
  }();
  const std::string upper = ascii::ToUpper(every_byte);
  const std::string lower = ascii::ToLower(every_byte);
  for (int byte = 0; byte < 256; ++byte) {
    const bool is_lower = byte >= 'a' && byte <= 'z', is_upper = byte >= 'A' && byte <= 'Z';
    EXPECT_EQ(static_cast<unsigned char>(upper[byte]), is_lower ? byte - 32 : byte) << byte;
    EXPECT_EQ(static_cast<unsigned char>(lower[byte]), is_upper ? byte + 32 : byte) << byte;
    EXPECT_EQ(ascii::IsLetter(static_cast<unsigned char>(byte)), is_lower || is_upper) << byte;
  }
  EXPECT_TRUE(ascii::EqualIgnoringCase("Zarn.OCX", "zARN.ocx"));
  EXPECT_FALSE(ascii::EqualIgnoringCase("\xC3\xA9", "\xC3\x89"));  // é and É: not ASCII
  EXPECT_FALSE(ascii::EqualIgnoringCase("ab", "abc"));
  EXPECT_TRUE(ascii::ContainsIgnoringCase("*.TXT;*.DOC", ".doc"));
  EXPECT_TRUE(ascii::ContainsIgnoringCase("", ""));
  EXPECT_FALSE(ascii::ContainsIgnoringCase(".TX", ".TXT"));
}

TEST(AsciiText, TrimmingRemovesTheGivenBlanksOnly) {
  const struct {
    std::string_view text, blanks, trimmed, start_trimmed, end_trimmed;
  } cases[] = {
      {" \tkey \t", ascii::kSpaceAndTab, "key", "key \t", " \tkey"},
      {"\r key\r", ascii::kSpaceAndTab, "\r key\r", "\r key\r", "\r key\r"},
      {"\r key\r", ascii::kSpaceTabAndReturn, "key", "key\r", "\r key"},
      {"\v\f\n a b\n", ascii::kWhiteSpace, "a b", "a b\n", "\v\f\n a b"},
      {" \t ", ascii::kSpaceAndTab, "", "", ""},
      {"", ascii::kWhiteSpace, "", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ascii::Trim(c.text, c.blanks), c.trimmed) << c.text;
    EXPECT_EQ(ascii::TrimStart(c.text, c.blanks), c.start_trimmed) << c.text;
    EXPECT_EQ(ascii::TrimEnd(c.text, c.blanks), c.end_trimmed) << c.text;
  }
}

}  // namespace
