#include "tools/zarn-find/line_output.h"

namespace zarn_find {

namespace {

// Room for the colours of one line: path, line, column, match and three separators.
constexpr std::size_t kColorRoom = 7 * kColorFieldRoom;

// How many units at the start of `text` stand for its first `bytes` bytes (a character that the end of
// those bytes cuts through counts whole).
std::size_t UnitsCovering(std::u16string_view text, std::size_t bytes) {
  std::size_t units = 0;
  for (std::size_t covered = 0; units < text.size() && covered < bytes;) {
    const char16_t c = text[units];
    if (c >= 0xD800 && c <= 0xDBFF && units + 1 < text.size() && text[units + 1] >= 0xDC00 &&
        text[units + 1] <= 0xDFFF) {
      covered += 4;  // a surrogate pair: a character beyond U+FFFF
      units += 2;
      continue;
    }
    const bool one_byte = c < 0x80 || (c >= 0xDC80 && c <= 0xDCFF);  // ASCII, or a byte that is no UTF-8
    covered += one_byte ? 1 : c < 0x800 ? 2 : 3;
    ++units;
  }
  return units;
}

}  // namespace

LineOutput::LineOutput(int fd, const TerminalColors& colors, std::size_t match_bytes)
    : FindingOutput(fd), colors_(colors), match_bytes_(colors.match.empty() ? 0 : match_bytes) {}

void LineOutput::Print(const Finding& finding) {
  out_.MakeRoom(3 * (finding.path.size() + finding.text.size()) + 2 * OutputBuffer::kNumberRoom + kColorRoom);
  if (colors_.reset.empty())
    PrintPlain(finding);
  else
    PrintColored(finding);
  out_.EndRecord();
}

// The common case, kept free of the colour sequences' steps: it runs for every finding.
void LineOutput::PrintPlain(const Finding& finding) {
  out_.AppendText(finding.path);
  out_.Append(':');
  out_.AppendNumber(finding.line);
  out_.Append(':');
  out_.AppendNumber(finding.column);
  out_.Append(':');
  out_.AppendText(finding.text);
  out_.Append('\n');
}

void LineOutput::PrintColored(const Finding& finding) {
  out_.Append(colors_.path);
  out_.AppendText(finding.path);
  out_.Append(colors_.reset);
  Separator();
  Number(finding.line);
  Separator();
  Number(finding.column);
  Separator();
  std::u16string_view text = finding.text;
  if (match_bytes_ > 0) {
    const std::size_t matched = UnitsCovering(text, match_bytes_);
    out_.Append(colors_.match);
    out_.AppendText(text.substr(0, matched));
    out_.Append(colors_.reset);
    text.remove_prefix(matched);
  }
  out_.AppendText(text);
  out_.Append('\n');
}

void LineOutput::Separator() {
  out_.Append(colors_.separator);
  out_.Append(':');
  out_.Append(colors_.reset);
}

void LineOutput::Number(std::int32_t number) {
  out_.Append(colors_.number);
  out_.AppendNumber(number);
  out_.Append(colors_.reset);
}

}  // namespace zarn_find
