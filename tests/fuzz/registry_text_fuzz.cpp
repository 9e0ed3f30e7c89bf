// The registry's text format. Properties:
//   - any bytes read as registry text give a tree (what cannot be understood is skipped), never deeper
//     than the depth bound; that tree written and read again is the same tree, and written again the
//     same text;
//   - a tree built from any key paths, value names and values (text of any bytes, or numbers) reads back
//     equal from the text written for it.
// Input: the same bytes serve as registry text and as the steps that build a tree.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ole/registry_key.h"
#include "platform/ole/registry_text.h"
#include "tests/fuzz/fuzz_require.h"

namespace {

using ole::RegistryKey;

std::size_t Depth(const RegistryKey& key) {
  std::size_t deepest = 0;
  for (const RegistryKey& subkey : key.subkeys) deepest = std::max(deepest, 1 + Depth(subkey));
  return deepest;
}

// A tree made the way the registry makes its keys: SubKey along a path, then SetValue.
RegistryKey BuildTree(FuzzedDataProvider& input) {
  RegistryKey root;
  for (int step = 0; step < 32 && input.remaining_bytes() > 0; ++step) {
    const std::string path = input.ConsumeRandomLengthString(48);
    RegistryKey* key = &root;
    for (const std::string_view name : ole::SplitKeyPath(path)) key = &key->SubKey(name);
    const std::string value_name = input.ConsumeRandomLengthString(16);
    if (input.ConsumeBool())
      key->SetValue(value_name, input.ConsumeIntegral<std::uint32_t>());
    else
      key->SetValue(value_name, input.ConsumeRandomLengthString(32));
  }
  return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const RegistryKey read = ole::ReadRegistryText(bytes);
  KX_FUZZ_REQUIRE(Depth(read) <= ole::kMaxRegistryKeyDepth);
  const std::string text = ole::WriteRegistryText(read);
  const RegistryKey read_again = ole::ReadRegistryText(text);
  KX_FUZZ_REQUIRE(read_again == read);
  KX_FUZZ_REQUIRE(ole::WriteRegistryText(read_again) == text);

  FuzzedDataProvider input(data, size);
  const RegistryKey built = BuildTree(input);
  KX_FUZZ_REQUIRE(ole::ReadRegistryText(ole::WriteRegistryText(built)) == built);
  return 0;
}
