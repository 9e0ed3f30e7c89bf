// The class manifest reader. Properties:
//   - any bytes read as a manifest give classes with distinct identities and distinct ProgIDs (ASCII case
//     aside), each found again by its identity and its ProgID, each with a library resolved against the
//     manifest's folder;
//   - a line written for a class (identity, ProgID or "-", library) after any such text reads back as
//     written, unless an earlier line already claimed its identity (or its ProgID, which it then lacks).
// Input: one byte of options, a class identity (16 bytes), a ProgID and a library (data-provider
// strings), the manifest text before the line.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/ole/class_manifest.h"
#include "platform/ole/guid.h"
#include "platform/win/ascii_text.h"
#include "tests/fuzz/fuzz_require.h"

namespace {

constexpr std::string_view kFolder = "/manifest/folder";
constexpr std::string_view kBlanks = " \t\r\n";

void CheckManifest(const ole::ClassManifest& manifest) {
  for (const ole::ManifestClass& entry : manifest.classes()) {
    KX_FUZZ_REQUIRE(manifest.FindClass(entry.clsid) == &entry);
    if (entry.prog_id) {
      KX_FUZZ_REQUIRE(!entry.prog_id->empty() && *entry.prog_id != "-");
      KX_FUZZ_REQUIRE(manifest.FindProgID(*entry.prog_id) == &entry);
      KX_FUZZ_REQUIRE(entry.prog_id->find_first_of(kBlanks) == std::string::npos);
    }
    KX_FUZZ_REQUIRE(!entry.library.empty() && entry.library.front() == '/');
    KX_FUZZ_REQUIRE(ole::GUIDFromString(ole::StringFromGUID(entry.clsid)) == entry.clsid);
  }
}

// A word (no blanks, no zero) or "-" when none is left.
std::string Word(std::string text) {
  text = text.substr(0, text.find_first_of(std::string(kBlanks) + std::string(1, '\0')));
  return text.empty() ? "-" : text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::uint8_t options = input.ConsumeIntegral<std::uint8_t>();
  ole::CLSID clsid;
  clsid.Data1 = input.ConsumeIntegral<std::uint32_t>();
  clsid.Data2 = input.ConsumeIntegral<std::uint16_t>();
  clsid.Data3 = input.ConsumeIntegral<std::uint16_t>();
  for (std::uint8_t& byte : clsid.Data4) byte = input.ConsumeIntegral<std::uint8_t>();
  const std::string prog_id = Word(input.ConsumeRandomLengthString(24));
  const std::string library_line = input.ConsumeRandomLengthString(48);
  std::string library(win::ascii::Trim(library_line.substr(0, library_line.find('\n')), kBlanks));
  if (library.empty()) library = "x";
  const std::string text = input.ConsumeRemainingBytesAsString();

  const ole::ClassManifest before(text, kFolder);
  CheckManifest(before);

  std::string clsid_text = ole::StringFromGUID(clsid);
  if (options & 1) clsid_text = win::ascii::ToLower(clsid_text);
  const std::string line = clsid_text + (options & 2 ? "\t" : "  ") + prog_id + " " + library;
  const ole::ClassManifest after(text + "\n" + line + (options & 4 ? "\r\n" : ""), kFolder);
  CheckManifest(after);
  KX_FUZZ_REQUIRE(after.classes().size() <= before.classes().size() + 1);
  const ole::ManifestClass* entry = after.FindClass(clsid);
  if (before.FindClass(clsid)) {
    KX_FUZZ_REQUIRE(after.classes().size() == before.classes().size());
    return 0;
  }
  KX_FUZZ_REQUIRE(entry != nullptr);
  const std::string expected_library =
      library.front() == '/' ? library : std::string(kFolder) + "/" + library;
  KX_FUZZ_REQUIRE(entry->library == expected_library);
  const bool prog_id_taken = prog_id != "-" && before.FindProgID(prog_id) != nullptr;
  if (prog_id == "-" || prog_id_taken)
    KX_FUZZ_REQUIRE(!entry->prog_id.has_value());
  else
    KX_FUZZ_REQUIRE(entry->prog_id == prog_id);
  return 0;
}
