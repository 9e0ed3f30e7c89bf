#include "platform/ole/registry_key.h"

#include <algorithm>

#include "platform/win/ascii_text.h"

namespace ole {
namespace {

namespace ascii = win::ascii;

// Key and value names are the same once ASCII letters are folded to one case.
template <typename Keys>
auto FindIn(Keys& keys, std::string_view name) {
  return std::find_if(keys.begin(), keys.end(),
                      [&](const auto& key) { return ascii::EqualIgnoringCase(key.name, name); });
}

}  // namespace

std::vector<std::string_view> SplitKeyPath(std::string_view path) {
  std::vector<std::string_view> names;
  while (!path.empty()) {
    const std::size_t separator = path.find('\\');
    const std::string_view name = path.substr(0, separator);
    if (!name.empty()) names.push_back(name);
    if (separator == std::string_view::npos) break;
    path.remove_prefix(separator + 1);
  }
  return names;
}

const RegistryKey* RegistryKey::FindSubKey(std::string_view sub_name) const {
  const auto found = FindIn(subkeys, sub_name);
  return found == subkeys.end() ? nullptr : &*found;
}

RegistryKey* RegistryKey::FindSubKey(std::string_view sub_name) {
  const auto found = FindIn(subkeys, sub_name);
  return found == subkeys.end() ? nullptr : &*found;
}

RegistryKey& RegistryKey::SubKey(std::string_view sub_name) {
  if (RegistryKey* existing = FindSubKey(sub_name)) return *existing;
  subkeys.push_back(RegistryKey{std::string(sub_name), {}, {}});
  return subkeys.back();
}

bool RegistryKey::RemoveSubKey(std::string_view sub_name) {
  const auto found = FindIn(subkeys, sub_name);
  if (found == subkeys.end()) return false;
  subkeys.erase(found);
  return true;
}

const RegistryValue* RegistryKey::FindValue(std::string_view value_name) const {
  const auto found = std::find_if(values.begin(), values.end(), [&](const auto& value) {
    return ascii::EqualIgnoringCase(value.first, value_name);
  });
  return found == values.end() ? nullptr : &found->second;
}

void RegistryKey::SetValue(std::string_view value_name, RegistryValue value) {
  for (auto& [name, existing] : values) {
    if (ascii::EqualIgnoringCase(name, value_name)) {
      existing = std::move(value);
      return;
    }
  }
  values.emplace_back(std::string(value_name), std::move(value));
}

}  // namespace ole
