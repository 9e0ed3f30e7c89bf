// The controls a developer can pick: every class named in the program's own kestrix.classes manifest, the
// classes the per-user registry marks as controls (a "Control" key under CLSID\{...}) and the classes of
// the installed manifest (an installed Kestrix's control, among its other classes); and how a ProgID or a
// class identity the user types becomes a class.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "platform/ole/class_manifest.h"
#include "platform/ole/registry.h"

namespace testcon {

// Where a control was found.
enum class ControlSource { kRegistry, kManifest, kInstalled };

struct KnownControl {
  ole::CLSID clsid;
  std::string prog_id;  // "" when the class has none
  std::string name;     // the class's registered name ("" when it has none)
  ControlSource source = ControlSource::kRegistry;

  // "ZARN.ZarnCtrl.1 - Kestrix Control {3F1B...}", with " (manifest)" for a class the program's manifest
  // names and " (installed)" for one only the installed manifest names.
  QString DisplayText() const;
};

// The program's manifest's classes first, in its order, then the registry's controls, then the installed
// manifest's classes, each class once.
std::vector<KnownControl> KnownControls(const ole::Registry& registry, const ole::ClassManifest& manifest,
                                        const ole::ClassManifest& installed = ole::ClassManifest());
// The same for this process's registry and manifests.
std::vector<KnownControl> KnownControls();

// The class `text` names: a class identity "{...}" or a ProgID (surrounding blanks ignored); nullopt when
// it is neither a valid identity nor a known ProgID.
std::optional<ole::CLSID> ClassNamed(const QString& text);

}  // namespace testcon
