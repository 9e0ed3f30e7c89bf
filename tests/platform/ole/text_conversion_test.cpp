#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/ole/automation_string.h"
#include "tests/platform/ole/utf8_reference.h"

namespace {

using kx::test::ReferenceUtf16;
using kx::test::Utf8;

// Checks one byte string both ways and through a BSTR.
void ExpectLossless(const std::string& bytes) {
  const std::u16string text = ole::Utf16FromBytes(bytes);
  ASSERT_EQ(text, ReferenceUtf16(bytes)) << testing::PrintToString(bytes);
  ASSERT_EQ(ole::BytesFromUtf16(text), bytes) << testing::PrintToString(bytes);

  ole::BSTR bstr = ole::BstrFromBytes(bytes);
  ASSERT_NE(bstr, nullptr);
  EXPECT_EQ(std::u16string_view(bstr, ole::SysStringLen(bstr)), text);
  EXPECT_EQ(bstr[ole::SysStringLen(bstr)], u'\0');
  EXPECT_EQ(ole::BytesFromBstr(bstr), bytes);
  ole::SysFreeString(bstr);
}

TEST(TextConversion, EveryScalarValueConvertsToItsUtf16) {
  std::string bytes;
  std::u16string expected;
  for (char32_t code = 0; code <= 0x10FFFF; ++code) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;
    bytes += Utf8(code);
    kx::test::AppendUtf16(code, expected);
  }
  EXPECT_EQ(ole::Utf16FromBytes(bytes), expected);
  EXPECT_EQ(ole::BytesFromUtf16(expected), bytes);
}

TEST(TextConversion, InvalidBytesBecomeEscapesOneByOne) {
  const struct {
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"\x80", u"\xDC80"},
      {"\xFF", u"\xDCFF"},
      {"\xC0\x80", u"\xDCC0\xDC80"},                      // overlong zero
      {"\xE0\x9F\xBF", u"\xDCE0\xDC9F\xDCBF"},            // overlong U+07FF
      {"\xF0\x8F\xBF\xBF", u"\xDCF0\xDC8F\xDCBF\xDCBF"},  // overlong U+FFFF
      {"\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},            // encoded U+D800
      {"\xED\xB2\x80", u"\xDCED\xDCB2\xDC80"},            // encoded U+DC80
      {"\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},  // U+110000
      {"\xF5\x80\x80\x80", u"\xDCF5\xDC80\xDC80\xDC80"},
      {"\xE2\x82", u"\xDCE2\xDC82"},  // truncated at the end
      {"\xE2\x82"
       "A",
       u"\xDCE2\xDC82"
       "A"},                                        // truncated before ASCII
      {"\xE2\x82\xC3\xA9", u"\xDCE2\xDC82\u00E9"},  // truncated before a valid sequence
      {"\xC3\xA9\x80", u"\u00E9\xDC80"},            // stray continuation after a valid one
      {"\xF0\x9F\x98\x80\xBF", u"\xD83D\xDE00\xDCBF"},
      {"\x80\xC3\xA9", u"\xDC80\u00E9"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ole::Utf16FromBytes(c.bytes), c.text) << testing::PrintToString(c.bytes);
    EXPECT_EQ(ole::BytesFromUtf16(c.text), c.bytes) << testing::PrintToString(c.bytes);
  }
}

TEST(TextConversion, EveryShortByteStringSurvives) {
  for (unsigned a = 0; a < 256; ++a) {
    ExpectLossless(std::string(1, static_cast<char>(a)));
    for (unsigned b = 0; b < 256; ++b) {
      ExpectLossless(std::string{static_cast<char>(a), static_cast<char>(b)});
    }
  }
  // Longer strings over the bytes at the edges of the valid ranges.
  const std::vector<unsigned char> edges = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1,
                                            0xC2, 0xDF, 0xE0, 0xE1, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF};
  std::string bytes(4, '\0');
  for (unsigned char a : edges)
    for (unsigned char b : edges)
      for (unsigned char c : edges)
        for (unsigned char d : edges) {
          bytes = {static_cast<char>(a), static_cast<char>(b), static_cast<char>(c), static_cast<char>(d)};
          ExpectLossless(bytes);
          ExpectLossless(bytes.substr(1));
        }
}

TEST(TextConversion, RandomLongStringsSurvive) {
  std::mt19937 random(20240611);
  auto below = [&](unsigned n) { return static_cast<unsigned>(random() % n); };
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    while (bytes.size() < 2000) {
      switch (below(5)) {
        case 0:  // an ASCII run, long enough for the word-at-a-time path
          bytes.append(below(40), static_cast<char>('a' + below(26)));
          break;
        case 1: {  // a valid character
          char32_t code = below(0x110000);
          if (code >= 0xD800 && code <= 0xDFFF) code = 0xE9;
          bytes += Utf8(code);
          break;
        }
        case 2: {  // a valid character cut short
          const std::string whole = Utf8(0x800 + below(0x10F800 - 0x800));
          bytes += whole.substr(0, 1 + below(static_cast<unsigned>(whole.size()) - 1));
          break;
        }
        default:
          bytes += static_cast<char>(below(256));
      }
    }
    ExpectLossless(bytes);
    if (HasFatalFailure()) return;
  }
}

TEST(TextConversion, AsciiRunsEndWhereTheFirstOtherCharacterIs) {
  for (std::size_t at = 0; at < 24; ++at) {
    const std::string bytes = std::string(at, 'x') + "\xC3\xA9" + std::string(24 - at, 'x');
    const std::u16string text = std::u16string(at, u'x') + u"\u00E9" + std::u16string(24 - at, u'x');
    EXPECT_EQ(ole::Utf16FromBytes(bytes), text) << at;
    EXPECT_EQ(ole::BytesFromUtf16(text), bytes) << at;

    // Characters above 0x7F whose low byte looks like ASCII.
    std::u16string wide(24, u'y');
    wide[at] = u'\u0100';
    std::string expected(24, 'y');
    expected.replace(at, 1, "\xC4\x80");
    EXPECT_EQ(ole::BytesFromUtf16(wide), expected) << at;
    wide[at] = u'\u8000';
    expected.replace(at, 2, "\xE8\x80\x80");
    EXPECT_EQ(ole::BytesFromUtf16(wide), expected) << at;
  }
}

TEST(TextConversion, HostSurrogatesAreKeptAsBytes) {
  const struct {
    std::u16string text;
    std::string bytes;
  } cases[] = {
      {u"\xD800", "\xED\xA0\x80"},
      {u"\xDC10", "\xED\xB0\x90"},  // low surrogate outside the escapes
      {u"\xDC7F", "\xED\xB1\xBF"},
      {u"\xDC80", "\x80"},
      {u"\xDCFF", "\xFF"},
      {u"\xDD00", "\xED\xB4\x80"},
      {u"\xDBFF\xDFFF", "\xF4\x8F\xBF\xBF"},
      {u"\xD83D\xD83D\xDE00", "\xED\xA0\xBD\xF0\x9F\x98\x80"},  // lone high before a pair
      {u"\xD83D\xDE00\xDE00", "\xF0\x9F\x98\x80\xED\xB8\x80"},  // lone low after a pair
      {u"\xDC80\xD83D\xDE00\xD83D"
       "a\xDE00\xDCFF",
       "\x80\xF0\x9F\x98\x80\xED\xA0\xBD"
       "a\xED\xB8\x80\xFF"},
      {u"a\xD83D", "a\xED\xA0\xBD"},  // high at the end
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ole::BytesFromUtf16(c.text), c.bytes) << testing::PrintToString(c.bytes);
  }
  // Such bytes come back as escapes, not as the surrogate.
  EXPECT_EQ(ole::Utf16FromBytes(ole::BytesFromUtf16(u"\xD800")), u"\xDCED\xDCA0\xDC80");
}

}  // namespace
