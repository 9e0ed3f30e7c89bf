#include "platform/ole/guid.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ole::GUID;
using ole::GUIDFromString;
using ole::MakeGuid;
using ole::StringFromGUID;

constexpr GUID kSample = MakeGuid("3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50");

TEST(GuidText, IsUpperCaseWithBraces) {
  EXPECT_EQ(StringFromGUID(kSample), "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50}");
  EXPECT_EQ(StringFromGUID(ole::GUID_NULL), "{00000000-0000-0000-0000-000000000000}");
}

TEST(GuidText, AgreesWithMakeGuidField) {
  EXPECT_EQ(kSample.Data1, 0x3F1B2A40u);
  EXPECT_EQ(kSample.Data2, 0x5C6Du);
  EXPECT_EQ(kSample.Data3, 0x4E7Fu);
  const std::array<std::uint8_t, 8> tail{0x8A, 0x9B, 0x0C, 0x1D, 0x2E, 0x3F, 0x4A, 0x50};
  EXPECT_EQ(kSample.Data4, tail);
  EXPECT_EQ(GUIDFromString("{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50}"), kSample);
}

TEST(GuidText, RoundTripsEveryByteValue) {
  GUID guid{0xFEDCBA98u, 0x7654u, 0x3210u, {0x00, 0x01, 0x7F, 0x80, 0xA5, 0x5A, 0xFE, 0xFF}};
  EXPECT_EQ(StringFromGUID(guid), "{FEDCBA98-7654-3210-0001-7F80A55AFEFF}");
  EXPECT_EQ(GUIDFromString(StringFromGUID(guid)), guid);
  for (unsigned byte = 0; byte < 256; ++byte) {
    guid.Data4[byte % 8] = static_cast<std::uint8_t>(byte);
    guid.Data1 = byte * 0x01010101u;
    EXPECT_EQ(GUIDFromString(StringFromGUID(guid)), guid) << byte;
  }
}

TEST(GuidText, ReadsLowerAndMixedCase) {
  EXPECT_EQ(GUIDFromString("{3f1b2a40-5c6d-4e7f-8a9b-0c1d2e3f4a50}"), kSample);
  EXPECT_EQ(GUIDFromString("{3F1b2A40-5c6D-4E7f-8a9B-0C1d2E3f4A50}"), kSample);
}

TEST(GuidText, RejectsMalformedForms) {
  for (const char* text : {
           "", "{}",
           "3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50",     // no braces
           "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50",    // no closing brace
           "3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50}",    // no opening brace
           "(3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50)",   // other brackets
           "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A5}",    // a digit short
           "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A500}",  // a digit over
           "{3F1B2A4-05C6D-4E7F-8A9B-0C1D2E3F4A50}",   // dash misplaced
           "{3F1B2A40-5C6D-4E7F-8A9B0C1D2E3F4A50}",    // dash missing
           "{3F1B2A40-5C6D-4E7F-8A9B-0C1D-2E3F4A50}",  // dash extra
           "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A5G}",   // not hexadecimal
           "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A 0}",   // blank
           "{+F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50}",   // sign
           " {3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50}",  // leading blank
           "{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50} ",  // trailing blank
           "{3F1B2A40_5C6D_4E7F_8A9B_0C1D2E3F4A50}",   // other separators
           "{0x1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50}",   // prefix
       }) {
    EXPECT_EQ(GUIDFromString(text), std::nullopt) << '"' << text << '"';
  }
  EXPECT_EQ(GUIDFromString(std::string_view("{3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A5\0}", 38)), std::nullopt);
}

}  // namespace
