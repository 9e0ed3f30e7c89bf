#include "platform/ole/registry.h"

#include <cstdlib>

#include "platform/ole/registry_text.h"
#include "platform/win/whole_file.h"
#include "platform/win/windows_folder.h"

namespace ole {

std::optional<std::string> RegistryFilePath() {
  const char* named = std::getenv("KESTRIX_REGISTRY");
  if (named && *named) return std::string(named);
  const std::optional<std::string> folder = win::WindowsFolder();
  if (!folder) return std::nullopt;
  return *folder + "/registry";
}

Registry Registry::Load() {
  const std::optional<std::string> path = RegistryFilePath();
  if (!path) return Registry();
  return LoadFrom(*path).value_or(Registry());
}

std::optional<Registry> Registry::LoadFrom(const std::string& path) {
  const std::optional<std::string> text = win::ReadWholeFile(path);
  if (!text) return std::nullopt;
  Registry registry;
  registry.root_ = ReadRegistryText(*text);
  return registry;
}

bool Registry::Save() const {
  const std::optional<std::string> path = RegistryFilePath();
  return path && SaveTo(*path);
}

bool Registry::SaveTo(const std::string& path) const {
  return win::ReplaceWholeFile(path, WriteRegistryText(root_));
}

const RegistryKey* Registry::Find(std::string_view key) const {
  const RegistryKey* found = &root_;
  for (const std::string_view name : SplitKeyPath(key)) {
    found = found->FindSubKey(name);
    if (!found) return nullptr;
  }
  return found;
}

RegistryKey* Registry::Make(std::string_view key) {
  const std::vector<std::string_view> names = SplitKeyPath(key);
  if (names.size() > kMaxRegistryKeyDepth) return nullptr;
  RegistryKey* made = &root_;
  for (const std::string_view name : names) made = &made->SubKey(name);
  return made;
}

bool Registry::KeyExists(std::string_view key) const {
  return Find(key) != nullptr;
}

std::optional<RegistryValue> Registry::GetValue(std::string_view key, std::string_view name) const {
  const RegistryKey* found = Find(key);
  if (!found) return std::nullopt;
  const RegistryValue* value = found->FindValue(name);
  if (!value) return std::nullopt;
  return *value;
}

std::optional<std::string> Registry::GetText(std::string_view key, std::string_view name) const {
  std::optional<RegistryValue> value = GetValue(key, name);
  if (!value) return std::nullopt;
  if (auto* text = std::get_if<std::string>(&*value)) return std::move(*text);
  return std::nullopt;
}

bool Registry::SetValue(std::string_view key, std::string_view name, RegistryValue value) {
  RegistryKey* made = Make(key);
  if (!made) return false;
  made->SetValue(name, std::move(value));
  return true;
}

bool Registry::CreateKey(std::string_view key) {
  return Make(key) != nullptr;
}

bool Registry::DeleteTree(std::string_view key) {
  std::vector<std::string_view> names = SplitKeyPath(key);
  if (names.empty()) return false;
  const std::string_view last = names.back();
  names.pop_back();
  RegistryKey* parent = &root_;
  for (const std::string_view name : names) {
    parent = parent->FindSubKey(name);
    if (!parent) return false;
  }
  return parent->RemoveSubKey(last);
}

bool Registry::DeleteKeyIfEmpty(std::string_view key) {
  const RegistryKey* found = Find(key);
  if (!found || !found->values.empty() || !found->subkeys.empty()) return false;
  return DeleteTree(key);
}

std::vector<std::string> Registry::SubKeys(std::string_view key) const {
  std::vector<std::string> names;
  if (const RegistryKey* found = Find(key))
    for (const RegistryKey& subkey : found->subkeys) names.push_back(subkey.name);
  return names;
}

}  // namespace ole
