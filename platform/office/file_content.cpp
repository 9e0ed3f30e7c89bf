#include "platform/office/file_content.h"

#include <algorithm>

namespace office {

namespace {

constexpr std::string_view kCompoundFileSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
constexpr std::string_view kRichTextStart = "{\\rtf";

bool IsTextByte(unsigned char byte) {
  constexpr unsigned char kBell = 0x07, kCarriageReturn = 0x0D, kEscape = 0x1B, kDelete = 0x7F;
  if (byte >= 0x20) return byte != kDelete;
  return (byte >= kBell && byte <= kCarriageReturn) || byte == kEscape;
}

}  // namespace

FileContent ContentOf(std::string_view head) {
  if (head.starts_with(kCompoundFileSignature)) return FileContent::kCompoundFile;
  if (head.starts_with(kRichTextStart)) return FileContent::kRichText;
  const bool text = std::all_of(head.begin(), head.end(),
                                [](char byte) { return IsTextByte(static_cast<unsigned char>(byte)); });
  return text ? FileContent::kText : FileContent::kOther;
}

}  // namespace office
