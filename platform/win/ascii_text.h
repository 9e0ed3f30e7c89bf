// ASCII text: letter case and blanks of 8-bit text, handled as bytes. Only the 26 ASCII letters have a
// case; every other byte, also every byte of 128 and above, stays as it is. Trimming takes the blanks to
// trim at each call, since the places that trim follow different rules (kSpaceAndTab and the others below).
#pragma once

#include <string>
#include <string_view>

namespace win::ascii {

// Space and tab: INI names and values.
inline constexpr std::string_view kSpaceAndTab = " \t";
// Space, tab and carriage return: lines of the registry's text and of class manifests, which may end
// with the CR of a CR LF.
inline constexpr std::string_view kSpaceTabAndReturn = " \t\r";
// Space, tab, line feed, vertical tab, form feed and carriage return (the C locale's white space):
// numbers and booleans in automation text, the search engine's path and file types.
inline constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

constexpr bool IsUpper(unsigned char byte) {
  return byte >= 'A' && byte <= 'Z';
}

constexpr bool IsLower(unsigned char byte) {
  return byte >= 'a' && byte <= 'z';
}

constexpr bool IsLetter(unsigned char byte) {
  return IsLower(byte | 0x20);
}

constexpr char ToUpper(char byte) {
  return IsLower(static_cast<unsigned char>(byte)) ? static_cast<char>(byte - 'a' + 'A') : byte;
}

constexpr char ToLower(char byte) {
  return IsUpper(static_cast<unsigned char>(byte)) ? static_cast<char>(byte - 'A' + 'a') : byte;
}

constexpr unsigned char ToUpper(unsigned char byte) {
  return IsLower(byte) ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

constexpr unsigned char ToLower(unsigned char byte) {
  return IsUpper(byte) ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);

// Equal but for the case of ASCII letters.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

// Whether `part` occurs in `text`, ASCII letters of either case matching each other.
bool ContainsIgnoringCase(std::string_view text, std::string_view part);

// `text` without the `blanks` at its start, at its end, or at both.
std::string_view TrimStart(std::string_view text, std::string_view blanks);
std::string_view TrimEnd(std::string_view text, std::string_view blanks);
std::string_view Trim(std::string_view text, std::string_view blanks);

}  // namespace win::ascii
