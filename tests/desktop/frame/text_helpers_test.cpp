// The desktop's text helpers: the literal the hit viewer shows for a line, and the status bar's marquee.
#include <gtest/gtest.h>

#include "desktop/frame/text_helpers.h"

namespace kestrix {
namespace {

TEST(TrimAtNull, CutsAtTheFirstNulOrKeepsTheWholeText) {
  EXPECT_EQ(TrimAtNull(std::string("C:\\x\0garbage", 12)), "C:\\x");
  EXPECT_EQ(TrimAtNull("no nul"), "no nul");
  EXPECT_EQ(TrimAtNull(std::string("\0", 1)), "");
}

TEST(MakeDisplayLiteral, QuotesPrintableRunsAndNamesControlCharacters) {
  EXPECT_EQ(MakeDisplayLiteral("abc"), "\"abc\"");
  EXPECT_EQ(MakeDisplayLiteral("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(MakeDisplayLiteral(std::string("x\0", 2)), "\"x\" & vbNullChar");
  EXPECT_EQ(MakeDisplayLiteral("\f"), "Chr$(12)");
  EXPECT_EQ(MakeDisplayLiteral(""), "\"\"");
  EXPECT_EQ(MakeDisplayLiteral("a\t"), "\"a\" &   ");  // a trailing tab keeps the join and its blanks
  EXPECT_EQ(MakeDisplayLiteral("a\nb"), "\"a\" & <LF> & \"b\"");
  EXPECT_EQ(MakeDisplayLiteral("a\rb"), "\"a\" & <CR>& \"b\"");
  EXPECT_EQ(MakeDisplayLiteral(std::string("\0\0", 2)), "vbNullChar & vbNullChar");
  EXPECT_EQ(MakeDisplayLiteral("x = vbCr & vbLf"), "\"x = vbCrLf\"");
}

TEST(MakeDisplayLiteral, EveryControlCodeHasItsName) {
  for (int code = 1; code < 32; ++code) {
    if (code == 9 || code == 10 || code == 13) continue;
    EXPECT_EQ(MakeDisplayLiteral(std::string(1, static_cast<char>(code))),
              "Chr$(" + std::to_string(code) + ")");
  }
  EXPECT_EQ(MakeDisplayLiteral("\x7F\xE9"), "\"\x7F\xE9\"");  // bytes from 127 on are printable
}

TEST(MakeCutDisplayLiteral, ShowsWhatFitsTheLimitAndSaysHowMuchIsLeftOut) {
  const std::string fits(kDisplayLiteralLimit - 2, 'a');  // with its quotes, exactly the limit
  const std::string kept(kDisplayLiteralLimit, 'a');
  const std::string accent = std::string(kDisplayLiteralLimit - 3, 'a') + "\xC3\xA9";
  const std::string tabs(600, '\t');
  const struct {
    std::string start;
    std::uint64_t line_bytes;
    std::string shown;
  } cases[] = {
      {"abc", 3, "\"abc\""},
      {fits, fits.size(), '"' + fits + '"'},
      {fits + "a", fits.size() + 1, '"' + fits + "\" \u2026 (1 byte more)"},
      {kept, 10'485'760,
       '"' + fits + "\" \u2026 (" + std::to_string(10'485'760 - fits.size()) + " bytes more)"},
      {tabs, tabs.size(), std::string(1000, ' ') + " \u2026 (100 bytes more)"},  // a tab shows as two blanks
      {accent, accent.size() + 5,
       '"' + accent.substr(0, kDisplayLiteralLimit - 3) + "\" \u2026 (7 bytes more)"},
  };
  for (const auto& c : cases) EXPECT_EQ(MakeCutDisplayLiteral(c.start, c.line_bytes), c.shown) << c.shown;
}

TEST(NextMarqueeText, CyclesThroughLengthsZeroToEightyThenStartsAgain) {
  const std::string text = "Search In Progress. Click here to Abort.";
  while (!NextMarqueeText(text).empty()) {
  }  // to the start of a cycle
  for (int length = 1; length <= 80; ++length)
    EXPECT_EQ(NextMarqueeText(text), text.substr(0, static_cast<std::size_t>(length)));
  EXPECT_EQ(NextMarqueeText(text), "");
}

}  // namespace
}  // namespace kestrix
