#include "platform/ole/class_lookup.h"

#include "platform/ole/class_manifest.h"
#include "platform/ole/registry.h"

namespace ole {
namespace {

std::optional<std::string> RegisteredText(const std::string& key) {
  std::optional<std::string> text = Registry::Load().GetText(key);
  if (!text || text->empty()) return std::nullopt;
  return text;
}

std::string ClassKey(const CLSID& clsid) {
  return "CLSID\\" + StringFromGUID(clsid);
}

std::optional<CLSID> ManifestCLSID(const ClassManifest& manifest, std::string_view prog_id) {
  if (const ManifestClass* entry = manifest.FindProgID(prog_id)) return entry->clsid;
  return std::nullopt;
}

std::optional<std::string> ManifestProgID(const ClassManifest& manifest, const CLSID& clsid) {
  const ManifestClass* entry = manifest.FindClass(clsid);
  return entry ? entry->prog_id : std::nullopt;
}

std::optional<std::string> ManifestLibrary(const ClassManifest& manifest, const CLSID& clsid) {
  if (const ManifestClass* entry = manifest.FindClass(clsid)) return entry->library;
  return std::nullopt;
}

}  // namespace

std::optional<CLSID> CLSIDFromProgID(std::string_view prog_id) {
  // A ProgID is one key name: "" or one holding "\" would name some other key.
  if (prog_id.empty() || prog_id.find('\\') != std::string_view::npos) return std::nullopt;
  if (auto clsid = ManifestCLSID(*CurrentClassManifest(), prog_id)) return clsid;
  if (auto text = RegisteredText(std::string(prog_id) + "\\CLSID")) {
    if (auto clsid = GUIDFromString(*text)) return clsid;
  }
  return ManifestCLSID(*InstalledClassManifest(), prog_id);
}

std::optional<std::string> ProgIDFromCLSID(const CLSID& clsid) {
  if (auto prog_id = ManifestProgID(*CurrentClassManifest(), clsid)) return prog_id;
  if (auto prog_id = RegisteredText(ClassKey(clsid) + "\\ProgID")) return prog_id;
  return ManifestProgID(*InstalledClassManifest(), clsid);
}

std::optional<std::string> InprocServerPath(const CLSID& clsid) {
  if (auto library = ManifestLibrary(*CurrentClassManifest(), clsid)) return library;
  if (auto library = RegisteredText(ClassKey(clsid) + "\\InprocServer32")) return library;
  return ManifestLibrary(*InstalledClassManifest(), clsid);
}

}  // namespace ole
