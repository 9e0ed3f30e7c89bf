// One key of the registry tree: its named values and its subkeys, each kept in the order first made.
// Names match without regard to ASCII letter case and keep the spelling they were first given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace ole {

// Keys are never nested deeper than this, so that no path or damaged file can build a tree whose
// depth would exhaust the stack of the code that walks it.
inline constexpr std::size_t kMaxRegistryKeyDepth = 512;

// A registry value: text (any bytes) or a 32-bit number.
using RegistryValue = std::variant<std::string, std::uint32_t>;

struct RegistryKey {
  std::string name;
  std::vector<std::pair<std::string, RegistryValue>> values;
  std::vector<RegistryKey> subkeys;

  const RegistryKey* FindSubKey(std::string_view sub_name) const;
  RegistryKey* FindSubKey(std::string_view sub_name);
  // The subkey of that name, created (last) when there is none.
  RegistryKey& SubKey(std::string_view sub_name);
  // Removes the subkey with everything under it; false when there is none.
  bool RemoveSubKey(std::string_view sub_name);

  const RegistryValue* FindValue(std::string_view value_name) const;
  // Replaces the value of that name (keeping the name's first spelling) or adds it last.
  void SetValue(std::string_view value_name, RegistryValue value);

  friend bool operator==(const RegistryKey&, const RegistryKey&) = default;
};

// The key names along a path such as "CLSID\{...}\InprocServer32". Empty parts (from a leading,
// trailing or doubled "\") are dropped, so "" and "\" are the root.
std::vector<std::string_view> SplitKeyPath(std::string_view path);

}  // namespace ole
