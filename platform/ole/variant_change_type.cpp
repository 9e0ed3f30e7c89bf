#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "platform/ole/variant.h"
#include "platform/win/ascii_text.h"

namespace ole {
namespace {

// The numeric reading of a source value: a whole number where it is one, else a real.
struct Number {
  bool is_integer = true;
  std::int64_t integer = 0;
  double real = 0;
};

namespace ascii = win::ascii;

// Decimal text, as an integer where it is one and fits 64 bits, else as a real.
HRESULT ParseNumber(std::string_view text, Number& number) {
  text = ascii::Trim(text, ascii::kWhiteSpace);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // from_chars takes no '+' and would accept a second sign.
  if (text.empty() || text.front() == '+' || text.front() == '-') return DISP_E_TYPEMISMATCH;
  const char* const end = text.data() + text.size();

  std::uint64_t magnitude = 0;
  auto [integer_end, integer_error] = std::from_chars(text.data(), end, magnitude);
  if (integer_error == std::errc() && integer_end == end) {
    constexpr std::uint64_t kMaxNegative = std::uint64_t{1} << 63;
    if (magnitude < kMaxNegative || (negative && magnitude == kMaxNegative)) {
      number.is_integer = true;
      number.integer =
          negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
      return S_OK;
    }
  }
  double real = 0;
  auto [real_end, real_error] = std::from_chars(text.data(), end, real);
  if (real_end != end) return DISP_E_TYPEMISMATCH;
  if (real_error == std::errc::result_out_of_range) return DISP_E_OVERFLOW;
  if (real_error != std::errc()) return DISP_E_TYPEMISMATCH;
  number.is_integer = false;
  number.real = negative ? -real : real;
  return S_OK;
}

// Rounds to the nearest whole number, halves to the even one, whatever the floating-point rounding mode.
double RoundHalfEven(double real) {
  const double floor = std::floor(real);
  const double fraction = real - floor;
  if (fraction > 0.5) return floor + 1;
  if (fraction < 0.5) return floor;
  return std::fmod(floor, 2) == 0 ? floor : floor + 1;
}

template <typename T>
HRESULT ToInteger(const Number& number, T& out) {
  constexpr std::int64_t kMin = std::numeric_limits<T>::min();
  constexpr std::int64_t kMax = std::numeric_limits<T>::max();
  std::int64_t whole;
  if (number.is_integer) {
    whole = number.integer;
  } else {
    const double rounded = RoundHalfEven(number.real);
    // NaN fails both comparisons.
    if (!(rounded >= static_cast<double>(kMin) && rounded <= static_cast<double>(kMax)))
      return DISP_E_OVERFLOW;
    whole = static_cast<std::int64_t>(rounded);
  }
  if (whole < kMin || whole > kMax) return DISP_E_OVERFLOW;
  out = static_cast<T>(whole);
  return S_OK;
}

double ToReal(const Number& number) {
  return number.is_integer ? static_cast<double>(number.integer) : number.real;
}

bool IsNonZero(const Number& number) {
  return number.is_integer ? number.integer != 0 : number.real != 0;
}

std::string Text(const Number& number) {
  char buffer[32];
  const auto [end, error] = number.is_integer ? std::to_chars(buffer, buffer + sizeof buffer, number.integer)
                                              : std::to_chars(buffer, buffer + sizeof buffer, number.real);
  (void)error;  // 32 characters hold any int64 and the shortest form of any double
  return std::string(buffer, end);
}

// The numeric reading of a by-value source; text is parsed.
HRESULT NumberOf(const VARIANT& source, Number& number) {
  number = Number();
  switch (source.vt) {
    case VT_EMPTY:
      return S_OK;
    case VT_I2:
      number.integer = source.iVal;
      return S_OK;
    case VT_I4:
      number.integer = source.lVal;
      return S_OK;
    case VT_INT:
      number.integer = source.intVal;
      return S_OK;
    case VT_UI1:
      number.integer = source.bVal;
      return S_OK;
    case VT_UI4:
      number.integer = source.ulVal;
      return S_OK;
    case VT_UINT:
      number.integer = source.uintVal;
      return S_OK;
    case VT_BOOL:
      number.integer = source.boolVal != VARIANT_FALSE ? -1 : 0;
      return S_OK;
    case VT_R8:
      number.is_integer = false;
      number.real = source.dblVal;
      return S_OK;
    case VT_BSTR:
      return ParseNumber(BytesFromBstr(source.bstrVal), number);
    default:
      return DISP_E_TYPEMISMATCH;
  }
}

HRESULT ToBool(const VARIANT& source, VARIANT_BOOL& out) {
  if (source.vt == VT_BSTR) {
    const std::string bytes = BytesFromBstr(source.bstrVal);
    const std::string_view text = ascii::Trim(bytes, ascii::kWhiteSpace);
    if (ascii::EqualIgnoringCase(text, "true")) {
      out = VARIANT_TRUE;
      return S_OK;
    }
    if (ascii::EqualIgnoringCase(text, "false")) {
      out = VARIANT_FALSE;
      return S_OK;
    }
  }
  Number number;
  if (const HRESULT hr = NumberOf(source, number); FAILED(hr)) return hr;
  out = IsNonZero(number) ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT ToText(const VARIANT& source, BSTR& out) {
  std::string text;
  if (source.vt == VT_BOOL) {
    text = source.boolVal != VARIANT_FALSE ? "True" : "False";
  } else if (source.vt != VT_EMPTY) {
    Number number;
    if (const HRESULT hr = NumberOf(source, number); FAILED(hr)) return hr;
    text = Text(number);
  }
  out = BstrFromBytes(text);
  return out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// Converts the by-value `source` to `vt` (not its own type) into `result`.
HRESULT Convert(const VARIANT& source, VARTYPE vt, VARIANT& result) {
  HRESULT hr = S_OK;
  Number number;
  switch (vt) {
    case VT_BOOL:
      hr = ToBool(source, result.boolVal);
      break;
    case VT_BSTR:
      hr = ToText(source, result.bstrVal);
      break;
    case VT_I2:
    case VT_I4:
    case VT_INT:
    case VT_UI1:
    case VT_UI4:
    case VT_UINT:
    case VT_R8:
      hr = NumberOf(source, number);
      if (FAILED(hr)) break;
      if (vt == VT_I2) hr = ToInteger(number, result.iVal);
      if (vt == VT_I4) hr = ToInteger(number, result.lVal);
      if (vt == VT_INT) hr = ToInteger(number, result.intVal);
      if (vt == VT_UI1) hr = ToInteger(number, result.bVal);
      if (vt == VT_UI4) hr = ToInteger(number, result.ulVal);
      if (vt == VT_UINT) hr = ToInteger(number, result.uintVal);
      if (vt == VT_R8) result.dblVal = ToReal(number);
      break;
    case VT_EMPTY:
    case VT_NULL:
    case VT_DISPATCH:
    case VT_ERROR:
    case VT_UNKNOWN:
      return DISP_E_TYPEMISMATCH;
    default:
      return DISP_E_BADVARTYPE;
  }
  if (SUCCEEDED(hr)) result.vt = vt;
  return hr;
}

}  // namespace

HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, std::uint16_t /*flags*/, VARTYPE vt) {
  if (dest == nullptr || src == nullptr) return E_INVALIDARG;
  // Work on a by-value copy: it dereferences `src` and leaves `dest` free to be `src`.
  VARIANT source;
  VariantInit(&source);
  if (const HRESULT hr = VariantCopyInd(&source, src); FAILED(hr)) return hr;

  VARIANT result;
  VariantInit(&result);
  HRESULT hr = S_OK;
  if (source.vt == vt) {
    result = source;
    VariantInit(&source);
  } else {
    hr = Convert(source, vt, result);
    VariantClear(&source);
  }
  if (FAILED(hr)) return hr;
  if (hr = VariantClear(dest); FAILED(hr)) {
    VariantClear(&result);
    return hr;
  }
  *dest = result;
  return S_OK;
}

}  // namespace ole
