#include "tools/zarn-testcon/control_catalog.h"

#include <algorithm>

#include "platform/ole/object_creation.h"

namespace testcon {

namespace {

std::string ClassKey(const ole::CLSID& clsid) {
  return "CLSID\\" + ole::StringFromGUID(clsid);
}

std::string RegisteredName(const ole::Registry& registry, const ole::CLSID& clsid) {
  return registry.GetText(ClassKey(clsid)).value_or("");
}

bool Listed(const std::vector<KnownControl>& controls, const ole::CLSID& clsid) {
  return std::any_of(controls.begin(), controls.end(),
                     [&](const KnownControl& known) { return known.clsid == clsid; });
}

void AddManifestClasses(const ole::Registry& registry, const ole::ClassManifest& manifest,
                        ControlSource source, std::vector<KnownControl>& controls) {
  for (const ole::ManifestClass& entry : manifest.classes()) {
    if (Listed(controls, entry.clsid)) continue;
    controls.push_back(
        {entry.clsid, entry.prog_id.value_or(""), RegisteredName(registry, entry.clsid), source});
  }
}

void AddRegisteredControls(const ole::Registry& registry, std::vector<KnownControl>& controls) {
  for (const std::string& subkey : registry.SubKeys("CLSID")) {
    const std::optional<ole::CLSID> clsid = ole::GUIDFromString(subkey);
    if (!clsid || Listed(controls, *clsid) || !registry.KeyExists(ClassKey(*clsid) + "\\Control")) continue;
    const std::string prog_id = registry.GetText(ClassKey(*clsid) + "\\ProgID").value_or("");
    controls.push_back({*clsid, prog_id, RegisteredName(registry, *clsid), ControlSource::kRegistry});
  }
}

}  // namespace

QString KnownControl::DisplayText() const {
  QString text = prog_id.empty() ? QStringLiteral("(no ProgID)") : QString::fromStdString(prog_id);
  if (!name.empty()) text += QStringLiteral(" - ") + QString::fromStdString(name);
  text += QLatin1Char(' ') + QString::fromStdString(ole::StringFromGUID(clsid));
  if (source == ControlSource::kManifest) text += QStringLiteral(" (manifest)");
  if (source == ControlSource::kInstalled) text += QStringLiteral(" (installed)");
  return text;
}

std::vector<KnownControl> KnownControls(const ole::Registry& registry, const ole::ClassManifest& manifest,
                                        const ole::ClassManifest& installed) {
  std::vector<KnownControl> controls;
  AddManifestClasses(registry, manifest, ControlSource::kManifest, controls);
  AddRegisteredControls(registry, controls);
  AddManifestClasses(registry, installed, ControlSource::kInstalled, controls);
  return controls;
}

std::vector<KnownControl> KnownControls() {
  return KnownControls(ole::Registry::Load(), *ole::CurrentClassManifest(), *ole::InstalledClassManifest());
}

std::optional<ole::CLSID> ClassNamed(const QString& text) {
  const std::string name = text.trimmed().toStdString();
  if (name.starts_with('{')) return ole::GUIDFromString(name);
  ole::CLSID clsid;
  if (ole::FAILED(ole::CLSIDFromProgID(name, &clsid))) return std::nullopt;
  return clsid;
}

}  // namespace testcon
