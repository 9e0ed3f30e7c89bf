// The class manifest: classes a program can create without their being registered. A program has two:
// - its own, a text file "kestrix.classes" in the running program's folder, or the file $KESTRIX_CLASSES
//   names when that is set and not empty (tests point it at one of their own);
// - the installed one, "kestrix.classes" among an installed Kestrix's private libraries
//   (/usr/lib/<multiarch>/kestrix for a program in /usr/bin, win::InstalledLibraryFolder), or the file
//   $KESTRIX_INSTALLED_CLASSES names when that is set and not empty.
// The class lookup (class_lookup.h) asks the program's own first and the installed one last. Each line
//
//   {3F1B2A40-5C6D-4E7F-8A9B-0C1D2E3F4A50}  Kestrix.Finder  plugins/finder.so
//
// gives a class identity, its ProgID ("-" for none) and its library: the rest of the line, so it may
// hold blanks, taken relative to the manifest's folder unless it starts with "/". Blank lines and
// lines starting with "#" are skipped, and so are lines that cannot be understood. When a class or a
// ProgID (matched without regard to ASCII case) appears twice, the first line counts.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ole/guid.h"

namespace ole {

struct ManifestClass {
  CLSID clsid;
  std::optional<std::string> prog_id;
  std::string library;  // as resolved against the manifest's folder
};

class ClassManifest {
 public:
  ClassManifest() = default;
  // `folder` is the manifest's folder, for relative library paths.
  ClassManifest(std::string_view text, std::string_view folder);

  const ManifestClass* FindClass(const CLSID& clsid) const;
  const ManifestClass* FindProgID(std::string_view prog_id) const;
  const std::vector<ManifestClass>& classes() const { return classes_; }

 private:
  std::vector<ManifestClass> classes_;
};

// The program's own manifest file (which need not exist); nullopt when it cannot be told.
std::optional<std::string> ClassManifestPath();
// The installed manifest file (which need not exist); nullopt when it cannot be told.
std::optional<std::string> InstalledClassManifestPath();

// The manifest at ClassManifestPath() or InstalledClassManifestPath(), read the first time it is asked
// for and kept for the life of the process (it is read again only if its variable comes to name another
// file). An absent or unreadable file is an empty manifest.
std::shared_ptr<const ClassManifest> CurrentClassManifest();
std::shared_ptr<const ClassManifest> InstalledClassManifest();

}  // namespace ole
