// The lines of a private-profile (INI) file with the look-ups and edits the profile functions make.
// Lines that an edit does not touch come out byte for byte as they went in, line ends included.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win {

class IniDocument {
 public:
  // Splits `bytes` at each LF; a CR just before the LF belongs to the line end.
  explicit IniDocument(std::string_view bytes);

  // The file's bytes after the edits made.
  std::string Bytes() const;

  // All lookups take the first section whose name matches and, in it, the first matching key.
  // `section` and `key` are the names as they should match, already trimmed.

  // The trimmed value of the key; nullopt when the section or the key is missing.
  std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;
  // The names of the sections, each once (as first spelt), in file order.
  std::vector<std::string_view> SectionNames() const;
  // The names of the section's keys likewise; empty when the section is missing.
  std::vector<std::string_view> KeyNames(std::string_view section) const;

  // Replaces the value of an existing key in place (its name and the blanks around "=" stay as they
  // were); otherwise adds "key=value" after the section's last key line, appending the section at the
  // end of the file when it is missing.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  // Removes every line of the key in the section, so that a later read finds none.
  void RemoveKey(std::string_view section, std::string_view key);
  // Removes every section of that name: its header and the lines up to the next header.
  void RemoveSection(std::string_view section);

 private:
  struct Line {
    std::string text;  // without the line end
    std::string end;   // "\n", "\r\n", or "" for a last line that has none
  };

  std::optional<std::size_t> FindSection(std::string_view section) const;
  // The index of the next header after `header`, or the number of lines.
  std::size_t SectionEnd(std::size_t header) const;
  std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;
  std::size_t LastKeyLine(std::size_t header) const;
  void InsertLine(std::size_t at, std::string text);

  std::vector<Line> lines_;
  std::string line_end_;  // the style of the file's first line end, used for the lines added
};

}  // namespace win
