#include "platform/win/ini_document.h"

#include <iterator>

#include "platform/win/ascii_text.h"
#include "platform/win/ini_line.h"

namespace win {
namespace {

bool Contains(const std::vector<std::string_view>& names, std::string_view name) {
  for (std::string_view known : names) {
    if (ascii::EqualIgnoringCase(known, name)) return true;
  }
  return false;
}

bool IsKey(std::string_view line, std::string_view key) {
  const std::optional<ini::KeyLine> parsed = ini::ParseKeyLine(line);
  return parsed && ascii::EqualIgnoringCase(parsed->key, key);
}

}  // namespace

IniDocument::IniDocument(std::string_view bytes) : line_end_("\n") {
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t newline = bytes.find('\n', start);
    if (newline == std::string_view::npos) {
      lines_.push_back({std::string(bytes.substr(start)), ""});
      break;
    }
    const bool crlf = newline > start && bytes[newline - 1] == '\r';
    const std::size_t text_end = crlf ? newline - 1 : newline;
    lines_.push_back({std::string(bytes.substr(start, text_end - start)), crlf ? "\r\n" : "\n"});
    start = newline + 1;
  }
  if (!lines_.empty() && lines_.front().end == "\r\n") line_end_ = "\r\n";
}

std::string IniDocument::Bytes() const {
  std::string bytes;
  for (const Line& line : lines_) bytes += line.text + line.end;
  return bytes;
}

std::optional<std::size_t> IniDocument::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::optional<std::string_view> name = ini::SectionName(lines_[i].text);
    if (name && ascii::EqualIgnoringCase(*name, section)) return i;
  }
  return std::nullopt;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && !ini::SectionName(lines_[i].text)) ++i;
  return i;
}

std::optional<std::size_t> IniDocument::FindKey(std::size_t header, std::string_view key) const {
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (IsKey(lines_[i].text, key)) return i;
  }
  return std::nullopt;
}

std::size_t IniDocument::LastKeyLine(std::size_t header) const {
  std::size_t last = header;
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (ini::ParseKeyLine(lines_[i].text)) last = i;
  }
  return last;
}

std::optional<std::string_view> IniDocument::Value(std::string_view section, std::string_view key) const {
  const std::optional<std::size_t> header = FindSection(section);
  if (!header) return std::nullopt;
  const std::optional<std::size_t> at = FindKey(*header, key);
  if (!at) return std::nullopt;
  return ini::ParseKeyLine(lines_[*at].text)->value;
}

std::vector<std::string_view> IniDocument::SectionNames() const {
  std::vector<std::string_view> names;
  for (const Line& line : lines_) {
    const std::optional<std::string_view> name = ini::SectionName(line.text);
    if (name && !Contains(names, *name)) names.push_back(*name);
  }
  return names;
}

std::vector<std::string_view> IniDocument::KeyNames(std::string_view section) const {
  std::vector<std::string_view> names;
  const std::optional<std::size_t> header = FindSection(section);
  if (!header) return names;
  const std::size_t end = SectionEnd(*header);
  for (std::size_t i = *header + 1; i < end; ++i) {
    const std::optional<ini::KeyLine> parsed = ini::ParseKeyLine(lines_[i].text);
    if (parsed && !Contains(names, parsed->key)) names.push_back(parsed->key);
  }
  return names;
}

void IniDocument::InsertLine(std::size_t at, std::string text) {
  // Only the last line lacks a line end. One that ends in a CR gets CR LF whatever the file's style, so
  // that the CR stays in the line instead of joining an LF to end it.
  if (at > 0 && lines_[at - 1].end.empty())
    lines_[at - 1].end = lines_[at - 1].text.ends_with('\r') ? "\r\n" : line_end_;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), line_end_});
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string key_line = std::string(key) + "=" + std::string(value);
  const std::optional<std::size_t> header = FindSection(section);
  if (!header) {
    InsertLine(lines_.size(), "[" + std::string(section) + "]");
    InsertLine(lines_.size(), std::move(key_line));
  } else if (const std::optional<std::size_t> at = FindKey(*header, key)) {
    std::string& text = lines_[*at].text;
    text = text.substr(0, ini::ParseKeyLine(text)->value_start) + std::string(value);
  } else {
    InsertLine(LastKeyLine(*header) + 1, std::move(key_line));
  }
}

void IniDocument::RemoveKey(std::string_view section, std::string_view key) {
  const std::optional<std::size_t> header = FindSection(section);
  if (!header) return;
  std::size_t end = SectionEnd(*header);
  for (std::size_t i = *header + 1; i < end;) {
    if (IsKey(lines_[i].text, key)) {
      lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
      --end;
    } else {
      ++i;
    }
  }
}

void IniDocument::RemoveSection(std::string_view section) {
  while (const std::optional<std::size_t> header = FindSection(section)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(*header)));
  }
}

}  // namespace win
