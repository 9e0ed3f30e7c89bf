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

}  // namespace

std::optional<CLSID> CLSIDFromProgID(std::string_view prog_id) {
  // A ProgID is one key name: "" or one holding "\" would name some other key.
  if (prog_id.empty() || prog_id.find('\\') != std::string_view::npos) return std::nullopt;
  if (const ManifestClass* entry = CurrentClassManifest()->FindProgID(prog_id)) return entry->clsid;
  const std::optional<std::string> text = RegisteredText(std::string(prog_id) + "\\CLSID");
  if (!text) return std::nullopt;
  return GUIDFromString(*text);
}

std::optional<std::string> ProgIDFromCLSID(const CLSID& clsid) {
  const ManifestClass* entry = CurrentClassManifest()->FindClass(clsid);
  if (entry && entry->prog_id) return entry->prog_id;
  return RegisteredText(ClassKey(clsid) + "\\ProgID");
}

std::optional<std::string> InprocServerPath(const CLSID& clsid) {
  if (const ManifestClass* entry = CurrentClassManifest()->FindClass(clsid)) return entry->library;
  return RegisteredText(ClassKey(clsid) + "\\InprocServer32");
}

}  // namespace ole
