#include "desktop/frame/text_helpers.h"

#include <string>

namespace kestrix {

namespace {

constexpr std::string_view kJoin = " & ";

// How a control character (code below 32) is written.
std::string ControlCharacterName(unsigned char code) {
  switch (code) {
    case 0:
      return "vbNullChar & ";
    case 9:
      return "  ";
    case 10:
      return "<LF> & ";
    case 13:
      return "<CR>& ";
    default:
      return "Chr$(" + std::to_string(code) + ") & ";
  }
}

// Replaces the leftmost occurrence again and again until none is left.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from))
    text.replace(at, from.size(), to);
}

// How many of the first bytes of `line` have a display form of at most `limit` characters. A join left at
// the end, which the display form drops, is counted: the answer errs on the short side.
std::size_t BytesThatFit(std::string_view line, std::size_t limit) {
  std::size_t length = 0;
  bool inside_quotes = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto code = static_cast<unsigned char>(line[i]);
    const bool printable = code >= 32;
    std::size_t next = length;
    if (printable)
      next += (inside_quotes ? 0 : 1) + (line[i] == '"' ? 2 : 1);
    else
      next += (inside_quotes ? 4 : 0) + ControlCharacterName(code).size();
    if (next + (printable ? 1 : 0) > limit) return i;  // with the closing quote
    length = next;
    inside_quotes = printable;
  }
  return line.size();
}

bool IsUtf8Continuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string TrimAtNull(std::string_view text) {
  return std::string(text.substr(0, text.find('\0')));
}

std::string MakeDisplayLiteral(std::string_view line) {
  std::string result;
  bool inside_quotes = false;
  for (const char c : line) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32) {
      if (inside_quotes) {
        result += "\" & ";
        inside_quotes = false;
      }
      result += ControlCharacterName(code);
      continue;
    }
    if (!inside_quotes) {
      result += '"';
      inside_quotes = true;
    }
    result += c;
    if (c == '"') result += '"';
  }
  if (inside_quotes)
    result += '"';
  else if (result.size() >= kJoin.size() &&
           result.compare(result.size() - kJoin.size(), kJoin.size(), kJoin) == 0)
    result.resize(result.size() - kJoin.size());
  ReplaceAll(result, "vbCr & vbLf", "vbCrLf");
  return result.empty() ? "\"\"" : result;
}

std::string MakeCutDisplayLiteral(std::string_view start, std::uint64_t line_bytes) {
  std::size_t shown = BytesThatFit(start, kDisplayLiteralLimit);
  if (shown == line_bytes) return MakeDisplayLiteral(start);
  if (shown < start.size())
    while (shown > 0 && IsUtf8Continuation(start[shown])) --shown;
  const std::uint64_t more = line_bytes - shown;
  return MakeDisplayLiteral(start.substr(0, shown)) + " \u2026 (" + std::to_string(more) +
         (more == 1 ? " byte more)" : " bytes more)");
}

std::string NextMarqueeText(std::string_view text) {
  static int counter = 0;
  if (counter > 80) counter = 0;
  std::string prefix(text.substr(0, static_cast<std::size_t>(counter)));
  ++counter;
  return prefix;
}

}  // namespace kestrix
