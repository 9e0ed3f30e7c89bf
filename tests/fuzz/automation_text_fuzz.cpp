// Automation strings and variant type conversion. Properties:
//   - any bytes (valid UTF-8 or not) become the UTF-16 the slow reference coder gives
//     (tests/platform/ole/utf8_reference.h) and come back as the same bytes, directly and through a BSTR
//     of the right length;
//   - any UTF-16 (lone surrogates included) is written the same by all three writers, within the room of
//     3 bytes per character they promise;
//   - text converted to a number, boolean or text type either succeeds or is refused as an overflow or a
//     type mismatch; a value that converted becomes text that converts back to the same value; numbers
//     from the input likewise survive the trip through text.
// Input: the bytes themselves; read as UTF-16 units; and their first 12 bytes as a real and an integer.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ole/automation_string.h"
#include "platform/ole/result_codes.h"
#include "platform/ole/variant.h"
#include "tests/fuzz/fuzz_require.h"
#include "tests/platform/ole/utf8_reference.h"

namespace {

using namespace ole;

constexpr VARTYPE kTypes[] = {VT_I2, VT_I4, VT_UI1, VT_UI4, VT_INT, VT_UINT, VT_R8, VT_BOOL, VT_BSTR};

void CheckBytes(std::string_view bytes) {
  const std::u16string text = Utf16FromBytes(bytes);
  KX_FUZZ_REQUIRE(text == kx::test::ReferenceUtf16(bytes));
  KX_FUZZ_REQUIRE(BytesFromUtf16(text) == bytes);
  const BSTR bstr = BstrFromBytes(bytes);
  KX_FUZZ_REQUIRE(bstr != nullptr && SysStringLen(bstr) == text.size() && bstr[text.size()] == 0);
  KX_FUZZ_REQUIRE(std::u16string_view(bstr, text.size()) == text);
  KX_FUZZ_REQUIRE(BytesFromBstr(bstr) == bytes);
  SysFreeString(bstr);
}

void CheckUtf16(std::u16string_view text) {
  const std::string bytes = BytesFromUtf16(text);
  std::string appended = "prefix";
  AppendBytesFromUtf16(text, appended);
  KX_FUZZ_REQUIRE(appended == "prefix" + bytes);
  std::vector<char> room(3 * text.size() + 1);
  const std::size_t written = BytesFromUtf16Into(text, room.data());
  KX_FUZZ_REQUIRE(written <= 3 * text.size() && std::string_view(room.data(), written) == bytes);
  KX_FUZZ_REQUIRE(BytesFromUtf16(Utf16FromBytes(bytes)) == bytes);
}

bool SameValue(const VARIANT& a, const VARIANT& b) {
  if (a.vt != b.vt) return false;
  switch (a.vt) {
    case VT_I2:
      return a.iVal == b.iVal;
    case VT_I4:
      return a.lVal == b.lVal;
    case VT_UI1:
      return a.bVal == b.bVal;
    case VT_UI4:
      return a.ulVal == b.ulVal;
    case VT_INT:
      return a.intVal == b.intVal;
    case VT_UINT:
      return a.uintVal == b.uintVal;
    case VT_R8:
      // Numerically equal: a negative zero may come back as zero.
      return a.dblVal == b.dblVal || (std::isnan(a.dblVal) && std::isnan(b.dblVal));
    case VT_BOOL:
      return a.boolVal == b.boolVal;
    case VT_BSTR:
      return BytesFromBstr(a.bstrVal) == BytesFromBstr(b.bstrVal);
    default:
      return false;
  }
}

// Converts `source` to every type; what converts goes to text and back to the same value.
void CheckConversions(const Variant& source) {
  for (const VARTYPE type : kTypes) {
    Variant converted;
    const HRESULT result = VariantChangeType(converted.get(), source.get(), 0, type);
    if (result != S_OK) {
      KX_FUZZ_REQUIRE(result == DISP_E_OVERFLOW || result == DISP_E_TYPEMISMATCH);
      KX_FUZZ_REQUIRE(converted.type() == VT_EMPTY);
      continue;
    }
    KX_FUZZ_REQUIRE(converted.type() == type);
    Variant text;
    KX_FUZZ_REQUIRE(VariantChangeType(text.get(), converted.get(), 0, VT_BSTR) == S_OK);
    Variant back;
    KX_FUZZ_REQUIRE(VariantChangeType(back.get(), text.get(), 0, type) == S_OK);
    KX_FUZZ_REQUIRE(SameValue(*back.get(), *converted.get()));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckBytes(bytes);
  std::u16string units(size / 2, u'\0');
  std::memcpy(units.data(), data, units.size() * 2);
  CheckUtf16(units);

  CheckConversions(Variant::FromBytes(bytes));
  if (size >= 12) {
    double real;
    std::int32_t integer;
    std::memcpy(&real, data, sizeof real);
    std::memcpy(&integer, data + 8, sizeof integer);
    CheckConversions(Variant(real));
    CheckConversions(Variant(integer));
  }
  return 0;
}
