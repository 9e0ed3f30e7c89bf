// The registry: a per-user tree of keys holding named values (text or 32-bit numbers), where libraries
// register their classes and hosts look them up. It lives in one text file (see registry_text.h),
// "registry" in the Windows folder, or the file $KESTRIX_REGISTRY names when that is set and not empty
// (tests point it at a temporary one). Every save replaces the file atomically, so a crash never
// leaves half a registry.
//
// Key paths use "\" between levels, as "CLSID\{...}\InprocServer32"; "" is the root. Names match
// without regard to ASCII letter case and keep the spelling they were first given. The value named ""
// is the key's default value.
//
// A Registry object is a snapshot of the file, not shared: to change the registry, use UpdateRegistry,
// which keeps concurrent writers (threads or processes) from losing each other's changes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ole/registry_key.h"

namespace ole {

class Registry {
 public:
  // Reads the registry file; an absent or unreadable file gives an empty registry.
  static Registry Load();
  // Reads the given registry file; "" when it does not exist, nullopt when it cannot be read.
  static std::optional<Registry> LoadFrom(const std::string& path);

  // Writes the whole registry to the registry file, replacing it at once; false when that fails (the
  // old file is left as it was). Prefer UpdateRegistry, which also keeps other writers' changes.
  bool Save() const;
  bool SaveTo(const std::string& path) const;

  bool KeyExists(std::string_view key) const;
  std::optional<RegistryValue> GetValue(std::string_view key, std::string_view name = {}) const;
  // The value when it is text; nullopt when absent or a number.
  std::optional<std::string> GetText(std::string_view key, std::string_view name = {}) const;
  // Sets a value, creating the key and its parents as needed; false (and no change) only when the
  // path is nested deeper than kMaxRegistryKeyDepth.
  bool SetValue(std::string_view key, std::string_view name, RegistryValue value);
  // Creates the key and its parents as needed; true when it exists afterwards.
  bool CreateKey(std::string_view key);
  // Removes the key with all its subkeys and values; false when there was no such key (or it is the
  // root, which cannot be removed).
  bool DeleteTree(std::string_view key);
  // Removes the key when it holds neither values nor subkeys; false when it is absent, holds something
  // or is the root.
  bool DeleteKeyIfEmpty(std::string_view key);
  // The names of the direct subkeys, in the order they were created; empty when the key is absent.
  std::vector<std::string> SubKeys(std::string_view key) const;

  const RegistryKey& Root() const { return root_; }

 private:
  const RegistryKey* Find(std::string_view key) const;
  RegistryKey* Make(std::string_view key);

  RegistryKey root_;
};

// The registry file this process uses; nullopt when there is none (no Windows folder and no
// $KESTRIX_REGISTRY).
std::optional<std::string> RegistryFilePath();

// Loads the registry, applies `change` and saves the result, while holding a process-wide lock and an
// advisory lock on "<registry file>.lock", so that concurrent updates from threads and processes all
// survive. False, with the file left as it was, when the registry cannot be read or written (or the
// lock file cannot be opened).
bool UpdateRegistry(const std::function<void(Registry&)>& change);

}  // namespace ole
