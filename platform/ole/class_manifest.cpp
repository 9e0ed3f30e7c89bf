#include "platform/ole/class_manifest.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>

#include "platform/win/ascii_text.h"
#include "platform/win/program_files.h"
#include "platform/win/whole_file.h"

namespace ole {
namespace {

namespace ascii = win::ascii;

constexpr std::string_view kManifestName = "kestrix.classes";
constexpr std::string_view kNoProgID = "-";

// Splits off the first blank-separated word of `line`.
std::string_view NextWord(std::string_view& line) {
  line = ascii::TrimStart(line, ascii::kSpaceTabAndReturn);
  const std::size_t end = std::min(line.find_first_of(ascii::kSpaceTabAndReturn), line.size());
  const std::string_view word = line.substr(0, end);
  line.remove_prefix(end);
  return word;
}

std::optional<ManifestClass> ReadLine(std::string_view line, std::string_view folder) {
  const std::optional<CLSID> clsid = GUIDFromString(NextWord(line));
  const std::string_view prog_id = NextWord(line);
  const std::string_view library = ascii::Trim(line, ascii::kSpaceTabAndReturn);
  if (!clsid || prog_id.empty() || library.empty()) return std::nullopt;
  ManifestClass entry{*clsid, std::nullopt, std::string(library)};
  if (prog_id != kNoProgID) entry.prog_id = std::string(prog_id);
  if (library.front() != '/') entry.library = std::string(folder) + "/" + entry.library;
  return entry;
}

std::string FolderOf(const std::string& path) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) absolute = path;
  return absolute.parent_path().string();
}

// One manifest file as last read, kept while the file it was read from is the one asked for.
struct Cache {
  std::mutex lock;
  std::optional<std::string> path;
  std::shared_ptr<const ClassManifest> manifest;
};

std::shared_ptr<const ClassManifest> ManifestAt(Cache& cache, const std::optional<std::string>& path) {
  const std::lock_guard<std::mutex> guard(cache.lock);
  if (cache.manifest && cache.path == path) return cache.manifest;
  std::optional<std::string> text;
  if (path) text = win::ReadWholeFile(*path);
  cache.path = path;
  cache.manifest = text ? std::make_shared<const ClassManifest>(*text, FolderOf(*path))
                        : std::make_shared<const ClassManifest>();
  return cache.manifest;
}

// The file an environment variable names when it is set and not empty, else `in_folder`/kestrix.classes.
std::optional<std::string> ManifestPath(const char* variable, const std::optional<std::string>& in_folder) {
  const char* named = std::getenv(variable);
  if (named && *named) return std::string(named);
  if (!in_folder) return std::nullopt;
  return *in_folder + "/" + std::string(kManifestName);
}

}  // namespace

ClassManifest::ClassManifest(std::string_view text, std::string_view folder) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = ascii::Trim(text.substr(0, end), ascii::kSpaceTabAndReturn);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line[0] == '#') continue;
    std::optional<ManifestClass> entry = ReadLine(line, folder);
    if (!entry || FindClass(entry->clsid)) continue;
    if (entry->prog_id && FindProgID(*entry->prog_id)) entry->prog_id.reset();
    classes_.push_back(std::move(*entry));
  }
}

const ManifestClass* ClassManifest::FindClass(const CLSID& clsid) const {
  const auto found =
      std::find_if(classes_.begin(), classes_.end(), [&](const auto& entry) { return entry.clsid == clsid; });
  return found == classes_.end() ? nullptr : &*found;
}

const ManifestClass* ClassManifest::FindProgID(std::string_view prog_id) const {
  const auto found = std::find_if(classes_.begin(), classes_.end(), [&](const auto& entry) {
    return entry.prog_id && ascii::EqualIgnoringCase(*entry.prog_id, prog_id);
  });
  return found == classes_.end() ? nullptr : &*found;
}

std::optional<std::string> ClassManifestPath() {
  return ManifestPath("KESTRIX_CLASSES", win::RunningProgramFolder());
}

std::optional<std::string> InstalledClassManifestPath() {
  return ManifestPath("KESTRIX_INSTALLED_CLASSES", win::InstalledLibraryFolder());
}

std::shared_ptr<const ClassManifest> CurrentClassManifest() {
  static Cache cache;
  return ManifestAt(cache, ClassManifestPath());
}

std::shared_ptr<const ClassManifest> InstalledClassManifest() {
  static Cache cache;
  return ManifestAt(cache, InstalledClassManifestPath());
}

}  // namespace ole
