// One line of a private-profile (INI) file read as what it is: a section header, a key line or
// anything else (comments, blank lines, stray text), which is kept but means nothing.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace win::ini {

// Names and values are trimmed of spaces and tabs (ascii::kSpaceAndTab), nothing else. Section and key
// names match without regard to ASCII letter case (ascii::EqualIgnoringCase); other bytes must be equal.

// The name in a header line "[name]", blanks around the brackets and the name tolerated; nullopt when
// the line is no section header.
std::optional<std::string_view> SectionName(std::string_view line);

// A "key=value" line, split at its first "=".
struct KeyLine {
  std::string_view key;     // trimmed, never empty
  std::string_view value;   // trimmed
  std::size_t value_start;  // where the text after "=" and its leading blanks begins in the line
};

// Nullopt for comments (";" first), section headers, lines without "=" and lines with an empty key.
std::optional<KeyLine> ParseKeyLine(std::string_view line);

}  // namespace win::ini
