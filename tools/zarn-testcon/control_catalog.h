// The controls a developer can pick: the classes the per-user registry marks as controls (a "Control" key
// under CLSID\{...}) and every class named in the program's kestrix.classes manifest, and how a ProgID or a
// class identity the user types becomes a class.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "platform/ole/class_manifest.h"
#include "platform/ole/registry.h"

namespace testcon {

struct KnownControl {
  ole::CLSID clsid;
  std::string prog_id;  // "" when the class has none
  std::string name;     // the class's registered name ("" when it has none)
  bool from_manifest = false;

  // "ZARN.ZarnCtrl.1 - Kestrix Control {3F1B...}", with " (manifest)" for a class the manifest names.
  QString DisplayText() const;
};

// The manifest's classes first, in its order, then the registry's controls not already listed.
std::vector<KnownControl> KnownControls(const ole::Registry& registry, const ole::ClassManifest& manifest);
// The same for this process's registry and manifest.
std::vector<KnownControl> KnownControls();

// The class `text` names: a class identity "{...}" or a ProgID (surrounding blanks ignored); nullopt when
// it is neither a valid identity nor a known ProgID.
std::optional<ole::CLSID> ClassNamed(const QString& text);

}  // namespace testcon
