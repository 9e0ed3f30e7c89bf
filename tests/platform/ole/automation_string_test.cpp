#include "platform/ole/automation_string.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

using ole::BSTR;

std::uint32_t LengthPrefix(BSTR text) {
  std::uint32_t bytes;
  std::memcpy(&bytes, reinterpret_cast<const char*>(text) - sizeof bytes, sizeof bytes);
  return bytes;
}

TEST(Bstr, KeepsItsByteLengthBeforeAndAZeroAfterTheCharacters) {
  const char16_t chars[] = {u'a', 0, u'b', 0xD83D, 0xDE00};
  BSTR text = ole::SysAllocStringLen(chars, 5);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(LengthPrefix(text), 10u);
  EXPECT_EQ(ole::SysStringLen(text), 5u);  // the embedded zero counts as a character
  EXPECT_EQ(std::u16string_view(text, 5), std::u16string_view(chars, 5));
  EXPECT_EQ(text[5], u'\0');
  ole::SysFreeString(text);
}

TEST(Bstr, AllocStringStopsAtTheFirstZero) {
  BSTR text = ole::SysAllocString(u"find\0more");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(ole::SysStringLen(text), 4u);
  EXPECT_EQ(std::u16string_view(text), u"find");
  ole::SysFreeString(text);

  BSTR empty = ole::SysAllocString(u"");
  ASSERT_NE(empty, nullptr);  // empty, not null
  EXPECT_EQ(ole::SysStringLen(empty), 0u);
  EXPECT_EQ(empty[0], u'\0');
  ole::SysFreeString(empty);
}

TEST(Bstr, NullTextGivesZeroFilledCharacters) {
  BSTR text = ole::SysAllocStringLen(nullptr, 3);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(ole::SysStringLen(text), 3u);
  for (unsigned i = 0; i <= 3; ++i) EXPECT_EQ(text[i], u'\0');
  ole::SysFreeString(text);
}

TEST(Bstr, NullPointersAreHandled) {
  EXPECT_EQ(ole::SysAllocString(nullptr), nullptr);
  EXPECT_EQ(ole::SysStringLen(nullptr), 0u);
  ole::SysFreeString(nullptr);
  EXPECT_EQ(ole::BytesFromBstr(nullptr), "");
}

TEST(Bstr, LengthsWhoseByteCountOverflowGiveNull) {
  EXPECT_EQ(ole::SysAllocStringLen(nullptr, 0x80000000u), nullptr);
  EXPECT_EQ(ole::SysAllocStringLen(nullptr, std::numeric_limits<unsigned>::max()), nullptr);
}

}  // namespace
