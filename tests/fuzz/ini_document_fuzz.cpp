// The private-profile (INI) functions and the document under them, on any file and any write.
// Properties:
//   - any bytes read as a document come out byte for byte, and every key a section lists has a value;
//   - a write either is refused (a line break in a name or the value, a key that is blank or holds "=",
//     a key line that would read as a comment or a section header) and leaves the file as it was, or
//     succeeds, and then a read answers the value written (trimmed, without one pair of surrounding quotes),
//     cut to any buffer size as documented;
//   - a write keeps every other line byte for byte: a changed key changes its own line only, a new key
//     adds its line (and its section's header) only, a removal only drops lines.
// Input: one byte of operation, one of buffer size, section, key and value (data-provider strings), the
// file's bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/ascii_text.h"
#include "platform/win/ini_document.h"
#include "platform/win/private_profile.h"
#include "platform/win/whole_file.h"
#include "tests/fuzz/fuzz_require.h"
#include "tests/fuzz/scratch_folder.h"

namespace {

namespace ascii = win::ascii;

struct Line {
  std::string text;
  std::string end;
  bool operator==(const Line&) const = default;
};

std::vector<Line> Lines(std::string_view bytes) {
  std::vector<Line> lines;
  while (!bytes.empty()) {
    const std::size_t newline = bytes.find('\n');
    const std::string_view line = bytes.substr(0, newline);
    if (newline == std::string_view::npos) {
      lines.push_back({std::string(line), ""});
      break;
    }
    const bool crlf = !line.empty() && line.back() == '\r';
    lines.push_back({std::string(crlf ? line.substr(0, line.size() - 1) : line), crlf ? "\r\n" : "\n"});
    bytes.remove_prefix(newline + 1);
  }
  return lines;
}

// Whether `part` is `whole` with lines left out; the last line of `part` may have gained a line end.
bool IsSubsequence(const std::vector<Line>& part, const std::vector<Line>& whole) {
  std::size_t at = 0;
  for (std::size_t i = 0; i < part.size(); ++i) {
    const bool last = i + 1 == part.size();
    while (at < whole.size() &&
           !(whole[at] == part[i] || (last && part[i].end.empty() && whole[at].text == part[i].text)))
      ++at;
    if (at == whole.size()) return false;
    ++at;
  }
  return true;
}

// Lines in the same places, all ends equal and at most one text changed.
bool OneLineChanged(const std::vector<Line>& before, const std::vector<Line>& after) {
  if (before.size() != after.size()) return false;
  int changed = 0;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i].end != after[i].end) return false;
    changed += before[i].text != after[i].text;
  }
  return changed <= 1;
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// A key line "key=value" that would read as a comment or a section header, which a write refuses.
bool ReadsAsNoKeyLine(std::string_view key, std::string_view value) {
  if (key.empty()) return false;
  return key.front() == ';' ||
         (key.front() == '[' && ascii::TrimEnd(value, ascii::kSpaceAndTab).ends_with(']'));
}

std::string_view WithoutQuotes(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    return value.substr(1, value.size() - 2);
  return value;
}

void CheckDocument(std::string_view bytes) {
  const win::IniDocument document(bytes);
  KX_FUZZ_REQUIRE(document.Bytes() == bytes);
  for (const std::string_view section : document.SectionNames())
    for (const std::string_view key : document.KeyNames(section))
      KX_FUZZ_REQUIRE(document.Value(section, key).has_value());
}

const std::string& ProfileFile() {
  static const kx::fuzz::ScratchFolder folder;
  static const std::string file = folder / "settings.ini";
  return file;
}

// The value a read answers through a buffer of `size` bytes: cut to size - 1 bytes, zero-terminated.
void CheckRead(const std::string& section, const std::string& key, std::string_view expected, unsigned size) {
  std::vector<char> buffer(size + 1, '\x7F');
  const unsigned copied = win::GetPrivateProfileString(section.c_str(), key.c_str(), "", buffer.data(), size,
                                                       ProfileFile().c_str());
  if (size == 0) {
    KX_FUZZ_REQUIRE(copied == 0 && buffer[0] == '\x7F');
    return;
  }
  const std::size_t fits = std::min<std::size_t>(expected.size(), size - 1);
  KX_FUZZ_REQUIRE(copied == fits && buffer[fits] == '\0');
  KX_FUZZ_REQUIRE(std::string_view(buffer.data(), fits) == expected.substr(0, fits));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::uint8_t operation =
      input.ConsumeIntegral<std::uint8_t>() % 3;  // set, remove key, remove section
  const unsigned buffer_size = input.ConsumeIntegral<std::uint8_t>();
  // Names and values reach the profile functions as C strings: each ends at its first zero.
  const std::string section = input.ConsumeRandomLengthString(24).c_str();
  const std::string key = input.ConsumeRandomLengthString(24).c_str();
  const std::string value = input.ConsumeRandomLengthString(40).c_str();
  const std::string bytes = input.ConsumeRemainingBytesAsString();
  CheckDocument(bytes);

  const std::string& file = ProfileFile();
  {
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  const std::string_view trimmed_section = ascii::Trim(section, ascii::kSpaceAndTab);
  const std::string_view trimmed_key = ascii::Trim(key, ascii::kSpaceAndTab);
  const bool existed = win::IniDocument(bytes).Value(trimmed_section, trimmed_key).has_value();

  const char* key_argument = operation == 2 ? nullptr : key.c_str();
  const char* value_argument = operation == 0 ? value.c_str() : nullptr;
  const bool written =
      win::WritePrivateProfileString(section.c_str(), key_argument, value_argument, file.c_str());
  const std::string after = win::ReadWholeFile(file).value_or("<unreadable>");
  const bool refusable = HasLineBreak(section) || (key_argument && HasLineBreak(key)) ||
                         (value_argument && HasLineBreak(value)) ||
                         (key_argument && (trimmed_key.empty() || key.find('=') != std::string::npos)) ||
                         (value_argument && ReadsAsNoKeyLine(trimmed_key, value));
  if (!written) {
    KX_FUZZ_REQUIRE(refusable);
    KX_FUZZ_REQUIRE(after == bytes);
    return 0;
  }
  KX_FUZZ_REQUIRE(!refusable);
  CheckDocument(after);
  const std::vector<Line> old_lines = Lines(bytes);
  const std::vector<Line> new_lines = Lines(after);
  const win::IniDocument document(after);
  if (operation == 0) {
    const std::string_view expected = WithoutQuotes(ascii::Trim(value, ascii::kSpaceAndTab));
    KX_FUZZ_REQUIRE(document.Value(trimmed_section, trimmed_key).has_value());
    CheckRead(section, key, expected, buffer_size);
    if (existed)
      KX_FUZZ_REQUIRE(OneLineChanged(old_lines, new_lines));
    else
      KX_FUZZ_REQUIRE(new_lines.size() <= old_lines.size() + 2 && IsSubsequence(old_lines, new_lines));
  } else {
    KX_FUZZ_REQUIRE(IsSubsequence(new_lines, old_lines));
    if (operation == 1)
      KX_FUZZ_REQUIRE(!document.Value(trimmed_section, trimmed_key).has_value());
    else
      for (const std::string_view name : document.SectionNames())
        KX_FUZZ_REQUIRE(!ascii::EqualIgnoringCase(name, trimmed_section));
  }
  return 0;
}
