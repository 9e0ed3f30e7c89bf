#include "platform/win/private_profile.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/win/ascii_text.h"
#include "platform/win/ini_document.h"
#include "platform/win/whole_file.h"

namespace win {
namespace {

// Serialises every profile call in the process, so that two writes never lose each other's change.
std::mutex profile_mutex;

IniDocument ReadDocument(const char* file) {
  if (!file) return IniDocument("");
  return IniDocument(ReadWholeFile(file).value_or(""));
}

std::string_view WithoutQuotes(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    return value.substr(1, value.size() - 2);
  return value;
}

// The value as a read answers it; nullopt when the file, the section or the key is missing.
std::optional<std::string> ReadValue(const char* section, const char* key, const char* file) {
  std::lock_guard lock(profile_mutex);
  const IniDocument document = ReadDocument(file);
  const std::optional<std::string_view> value =
      document.Value(ascii::Trim(section, ascii::kSpaceAndTab), ascii::Trim(key, ascii::kSpaceAndTab));
  if (!value) return std::nullopt;
  return std::string(WithoutQuotes(*value));
}

std::vector<std::string> ReadNames(const char* section, const char* file) {
  std::lock_guard lock(profile_mutex);
  const IniDocument document = ReadDocument(file);
  const std::vector<std::string_view> names =
      section ? document.KeyNames(ascii::Trim(section, ascii::kSpaceAndTab)) : document.SectionNames();
  return std::vector<std::string>(names.begin(), names.end());
}

unsigned CopyText(std::string_view text, char* buffer, unsigned size) {
  if (size == 0) return 0;
  const auto length = static_cast<unsigned>(std::min<std::size_t>(text.size(), size - 1));
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return length;
}

// Names each followed by a zero, the list ended by one more. A list that does not fit is cut to
// size - 2 bytes and still ended by two zeros; the answer is then size - 2.
unsigned CopyList(const std::vector<std::string>& names, char* buffer, unsigned size) {
  std::string list;
  for (const std::string& name : names) list.append(name).push_back('\0');
  if (size < 2) return CopyText("", buffer, size);
  const bool fits = list.size() + 1 <= size;
  const auto length = fits ? static_cast<unsigned>(list.size()) : size - 2;
  std::memcpy(buffer, list.data(), length);
  buffer[length] = '\0';
  if (!fits || length == 0) buffer[length + 1] = '\0';
  return length;
}

// The number a value stands for: optional blanks, an optional sign, then decimal digits (what follows
// them is ignored). A value that does not begin so is 0, and so is a negative number; a number beyond
// the int range is INT_MAX.
int NonNegativeInteger(std::string_view text) {
  text = ascii::TrimStart(text, ascii::kSpaceAndTab);
  std::size_t i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - '0'), INT_MAX);
  }
  return negative ? 0 : static_cast<int>(magnitude);
}

bool HasLineBreak(const char* text) {
  return text && std::strpbrk(text, "\r\n") != nullptr;
}

// Whether the line "key=value" would read as something else: a comment (";" first) or a section header
// ("[" first, "]" last).
bool ReadsAsNoKeyLine(std::string_view key, std::string_view value) {
  return key.front() == ';' ||
         (key.front() == '[' && ascii::TrimEnd(value, ascii::kSpaceAndTab).ends_with(']'));
}

// What a write may store and read back as stored: no line breaks anywhere, a key with a name and
// without "=" (the first "=" of a line ends its key), and a key line that reads as one.
bool Writable(const char* section, const char* key, const char* value) {
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return false;
  if (!key) return true;
  const std::string_view name = ascii::Trim(key, ascii::kSpaceAndTab);
  if (name.empty() || std::strchr(key, '=')) return false;
  return !value || !ReadsAsNoKeyLine(name, value);
}

void Edit(IniDocument& document, std::string_view section, const char* key, const char* value) {
  if (!key) {
    document.RemoveSection(section);
  } else if (!value) {
    document.RemoveKey(section, ascii::Trim(key, ascii::kSpaceAndTab));
  } else {
    document.Set(section, ascii::Trim(key, ascii::kSpaceAndTab), value);
  }
}

}  // namespace

unsigned GetPrivateProfileString(const char* section, const char* key, const char* default_value,
                                 char* buffer, unsigned size, const char* file) {
  if (!buffer) return 0;
  if (!section || !key) return CopyList(ReadNames(section, file), buffer, size);
  if (const std::optional<std::string> value = ReadValue(section, key, file)) {
    return CopyText(*value, buffer, size);
  }
  return CopyText(ascii::TrimEnd(default_value ? default_value : "", ascii::kSpaceAndTab), buffer, size);
}

int GetPrivateProfileInt(const char* section, const char* key, int default_value, const char* file) {
  if (!section || !key) return default_value;
  const std::optional<std::string> value = ReadValue(section, key, file);
  return value && !value->empty() ? NonNegativeInteger(*value) : default_value;
}

bool WritePrivateProfileString(const char* section, const char* key, const char* value, const char* file) {
  if (!section || !file || !Writable(section, key, value)) return false;
  std::lock_guard lock(profile_mutex);
  const std::optional<std::string> old_bytes = ReadWholeFile(file);
  if (!old_bytes) return false;
  IniDocument document(*old_bytes);
  Edit(document, ascii::Trim(section, ascii::kSpaceAndTab), key, value);
  const std::string new_bytes = document.Bytes();
  // Nothing to change (the same value again, or removing what is not there): the file stays as it is.
  if (new_bytes == *old_bytes) return true;
  return ReplaceWholeFile(file, new_bytes);
}

}  // namespace win
