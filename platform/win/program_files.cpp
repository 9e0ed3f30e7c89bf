#include "platform/win/program_files.h"

#include <filesystem>
#include <system_error>

#include "kestrix_install_layout.h"

namespace win {
namespace {

std::optional<std::string> FromProgramFolder(const char* relative) {
  const std::optional<std::string> programs = RunningProgramFolder();
  if (!programs) return std::nullopt;
  return (std::filesystem::path(*programs) / relative).lexically_normal().string();
}

}  // namespace

std::optional<std::string> RunningProgramFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::nullopt;
  return program.parent_path().string();
}

std::optional<std::string> InstalledLibraryFolder() {
  return FromProgramFolder(KX_LIBRARY_FOLDER_FROM_PROGRAMS);
}

std::optional<std::string> InstalledDocumentFolder() {
  return FromProgramFolder(KX_DOCUMENT_FOLDER_FROM_PROGRAMS);
}

}  // namespace win
