#include "platform/ole/registry_text.h"

#include <optional>
#include <vector>

#include "platform/win/ascii_text.h"

namespace ole {
namespace {

namespace ascii = win::ascii;

constexpr std::string_view kFirstLine = "; Kestrix registry\n";
constexpr std::string_view kDwordPrefix = "dword:";
constexpr std::size_t kMaxDwordDigits = 8;
constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsControlOrHigh(unsigned char byte) {
  return byte < 0x20 || byte >= 0x7F;
}

std::optional<unsigned> HexValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  return std::nullopt;
}

// The byte written as two hexadecimal digits at `at`, if they are there.
std::optional<char> HexByte(std::string_view text, std::size_t at) {
  if (at + 2 > text.size()) return std::nullopt;
  const auto high = HexValue(text[at]);
  const auto low = HexValue(text[at + 1]);
  if (!high || !low) return std::nullopt;
  return static_cast<char>(*high * 16 + *low);
}

void AppendHexByte(std::string& out, unsigned char byte) {
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 0xF];
}

// --- writing ---

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (IsControlOrHigh(byte)) {
          out += "\\x";
          AppendHexByte(out, byte);
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

void AppendKeyName(std::string& out, std::string_view name) {
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '%' || IsControlOrHigh(byte)) {
      out += '%';
      AppendHexByte(out, byte);
    } else {
      out += c;
    }
  }
}

void AppendValues(std::string& out, const RegistryKey& key) {
  for (const auto& [name, value] : key.values) {
    if (name.empty())
      out += '@';
    else
      AppendQuoted(out, name);
    out += '=';
    if (const auto* text = std::get_if<std::string>(&value)) {
      AppendQuoted(out, *text);
    } else {
      const std::uint32_t number = std::get<std::uint32_t>(value);
      out += kDwordPrefix;
      for (int shift = 28; shift >= 0; shift -= 4) out += kHexDigits[(number >> shift) & 0xF];
    }
    out += '\n';
  }
}

void AppendKey(std::string& out, const RegistryKey& key, std::string& path) {
  const std::size_t parent_length = path.size();
  if (!path.empty()) path += '\\';
  AppendKeyName(path, key.name);
  out += "\n[";
  out += path;
  out += "]\n";
  AppendValues(out, key);
  for (const RegistryKey& subkey : key.subkeys) AppendKey(out, subkey, path);
  path.resize(parent_length);
}

// --- reading ---

void SkipBlanks(std::string_view line, std::size_t& at) {
  while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
}

std::optional<std::string> KeyName(std::string_view written) {
  std::string name;
  for (std::size_t at = 0; at < written.size(); ++at) {
    if (written[at] != '%') {
      name += written[at];
      continue;
    }
    const auto byte = HexByte(written, at + 1);
    if (!byte || *byte == '\\') return std::nullopt;
    name += *byte;
    at += 2;
  }
  return name;
}

// The key a section line names, made when missing; nullptr when the line cannot be understood.
RegistryKey* SectionKey(RegistryKey& root, std::string_view line) {
  if (line.size() < 2 || line.back() != ']') return nullptr;
  const std::vector<std::string_view> written = SplitKeyPath(line.substr(1, line.size() - 2));
  if (written.empty() || written.size() > kMaxRegistryKeyDepth) return nullptr;
  std::vector<std::string> names;
  for (const std::string_view part : written) {
    auto name = KeyName(part);
    if (!name) return nullptr;
    names.push_back(std::move(*name));
  }
  RegistryKey* key = &root;
  for (const std::string& name : names) key = &key->SubKey(name);
  return key;
}

// A quoted string starting at `at`; `at` moves past its closing quote.
std::optional<std::string> Quoted(std::string_view line, std::size_t& at) {
  if (at >= line.size() || line[at] != '"') return std::nullopt;
  std::string text;
  for (++at; at < line.size(); ++at) {
    const char c = line[at];
    if (c == '"') {
      ++at;
      return text;
    }
    if (c != '\\') {
      text += c;
      continue;
    }
    if (++at == line.size()) return std::nullopt;
    switch (line[at]) {
      case '\\':
        text += '\\';
        break;
      case '"':
        text += '"';
        break;
      case 'n':
        text += '\n';
        break;
      case 'r':
        text += '\r';
        break;
      case 't':
        text += '\t';
        break;
      case 'x': {
        const auto byte = HexByte(line, at + 1);
        if (!byte) return std::nullopt;
        text += *byte;
        at += 2;
        break;
      }
      default:
        return std::nullopt;
    }
  }
  return std::nullopt;  // no closing quote
}

std::optional<std::uint32_t> Dword(std::string_view digits) {
  if (digits.empty() || digits.size() > kMaxDwordDigits) return std::nullopt;
  std::uint32_t number = 0;
  for (const char c : digits) {
    const auto digit = HexValue(c);
    if (!digit) return std::nullopt;
    number = number * 16 + *digit;
  }
  return number;
}

std::optional<RegistryValue> Data(std::string_view line, std::size_t at) {
  if (at < line.size() && line[at] == '"') {
    auto text = Quoted(line, at);
    if (!text || at != line.size()) return std::nullopt;
    return RegistryValue(std::move(*text));
  }
  if (line.substr(at, kDwordPrefix.size()) != kDwordPrefix) return std::nullopt;
  const auto number = Dword(line.substr(at + kDwordPrefix.size()));
  if (!number) return std::nullopt;
  return RegistryValue(*number);
}

// Reads a line `@=...` or `"name"=...` into `key`; a line that cannot be understood changes nothing.
void ReadValueLine(RegistryKey& key, std::string_view line) {
  std::size_t at = 0;
  std::string name;
  if (line[0] == '@') {
    at = 1;
  } else {
    auto quoted = Quoted(line, at);
    if (!quoted) return;
    name = std::move(*quoted);
  }
  SkipBlanks(line, at);
  if (at >= line.size() || line[at] != '=') return;
  ++at;
  SkipBlanks(line, at);
  if (auto value = Data(line, at)) key.SetValue(name, std::move(*value));
}

}  // namespace

std::string WriteRegistryText(const RegistryKey& root) {
  std::string out(kFirstLine);
  AppendValues(out, root);
  std::string path;
  for (const RegistryKey& key : root.subkeys) AppendKey(out, key, path);
  return out;
}

RegistryKey ReadRegistryText(std::string_view text) {
  RegistryKey root;
  RegistryKey* current = &root;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = ascii::Trim(text.substr(0, end), ascii::kSpaceTabAndReturn);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[')
      current = SectionKey(root, line);
    else if (current)
      ReadValueLine(*current, line);
  }
  return root;
}

}  // namespace ole
