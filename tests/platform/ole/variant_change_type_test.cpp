#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/ole/variant.h"

namespace {

using namespace ole;

Variant Text(std::string_view bytes) {
  return Variant::FromBytes(bytes);
}

Variant Typed(VARTYPE vt, std::int64_t number) {
  Variant value;
  VARIANT* v = value.get();
  v->vt = vt;
  switch (vt) {
    case VT_I2:
      v->iVal = static_cast<std::int16_t>(number);
      break;
    case VT_I4:
      v->lVal = static_cast<std::int32_t>(number);
      break;
    case VT_INT:
      v->intVal = static_cast<std::int32_t>(number);
      break;
    case VT_UI1:
      v->bVal = static_cast<std::uint8_t>(number);
      break;
    case VT_UI4:
      v->ulVal = static_cast<std::uint32_t>(number);
      break;
    case VT_UINT:
      v->uintVal = static_cast<std::uint32_t>(number);
      break;
    case VT_BOOL:
      v->boolVal = number != 0 ? VARIANT_TRUE : VARIANT_FALSE;
      break;
  }
  return value;
}

// The converted value as a 64-bit number; the test fails if the conversion does.
std::int64_t IntegerOf(const Variant& source, VARTYPE vt) {
  Variant result;
  const HRESULT hr = VariantChangeType(result.get(), source.get(), 0, vt);
  EXPECT_EQ(hr, S_OK) << "to type " << vt;
  EXPECT_EQ(result.type(), SUCCEEDED(hr) ? vt : VT_EMPTY);
  const VARIANT& v = *result.get();
  switch (vt) {
    case VT_I2:
      return v.iVal;
    case VT_I4:
      return v.lVal;
    case VT_INT:
      return v.intVal;
    case VT_UI1:
      return v.bVal;
    case VT_UI4:
      return v.ulVal;
    case VT_UINT:
      return v.uintVal;
    case VT_BOOL:
      return v.boolVal;
  }
  return 0;
}

std::string TextOf(const Variant& source) {
  Variant result;
  EXPECT_EQ(VariantChangeType(result.get(), source.get(), 0, VT_BSTR), S_OK);
  return result.type() == VT_BSTR ? BytesFromBstr(result.get()->bstrVal) : "<failed>";
}

double RealOf(const Variant& source) {
  Variant result;
  EXPECT_EQ(VariantChangeType(result.get(), source.get(), 0, VT_R8), S_OK);
  return result.get()->dblVal;
}

HRESULT Change(const Variant& source, VARTYPE vt) {
  Variant result;
  return VariantChangeType(result.get(), source.get(), 0, vt);
}

TEST(VariantChangeType, TextToIntegers) {
  EXPECT_EQ(IntegerOf(Text("42"), VT_I4), 42);
  EXPECT_EQ(IntegerOf(Text(" \t-17 "), VT_I4), -17);
  EXPECT_EQ(IntegerOf(Text("+7"), VT_I2), 7);
  EXPECT_EQ(IntegerOf(Text("-32768"), VT_I2), -32768);
  EXPECT_EQ(IntegerOf(Text("255"), VT_UI1), 255);
  EXPECT_EQ(IntegerOf(Text("4294967295"), VT_UI4), 4294967295);
  EXPECT_EQ(IntegerOf(Text("-2147483648"), VT_INT), -2147483648);
  EXPECT_EQ(IntegerOf(Text("1e3"), VT_UINT), 1000);
  EXPECT_EQ(IntegerOf(Text("2.5"), VT_I4), 2);  // halves round to even
  EXPECT_EQ(IntegerOf(Text("3.5"), VT_I4), 4);
  EXPECT_EQ(IntegerOf(Text("-2.5"), VT_I4), -2);
  EXPECT_EQ(IntegerOf(Text("0.49"), VT_I4), 0);
}

TEST(VariantChangeType, NumbersOutOfRangeOverflow) {
  EXPECT_EQ(Change(Text("-32769"), VT_I2), DISP_E_OVERFLOW);
  EXPECT_EQ(Change(Text("256"), VT_UI1), DISP_E_OVERFLOW);
  EXPECT_EQ(Change(Text("-1"), VT_UI4), DISP_E_OVERFLOW);
  EXPECT_EQ(Change(Text("2147483648"), VT_I4), DISP_E_OVERFLOW);
  EXPECT_EQ(Change(Text("9223372036854775808"), VT_I4), DISP_E_OVERFLOW);
  EXPECT_EQ(Change(Text("-99999999999999999999"), VT_INT), DISP_E_OVERFLOW);
  EXPECT_EQ(Change(Text("1e999"), VT_R8), DISP_E_OVERFLOW);
  EXPECT_EQ(Change(Typed(VT_I4, 70000), VT_I2), DISP_E_OVERFLOW);
  EXPECT_EQ(Change(Typed(VT_I4, -1), VT_UI1), DISP_E_OVERFLOW);
  EXPECT_EQ(Change(Typed(VT_UI4, 0xFFFFFFFF), VT_I4), DISP_E_OVERFLOW);
  EXPECT_EQ(Change(Typed(VT_UI4, 0xFFFFFFFF), VT_INT), DISP_E_OVERFLOW);
  EXPECT_EQ(Change(Typed(VT_INT, -1), VT_UINT), DISP_E_OVERFLOW);
  EXPECT_EQ(Change(Typed(VT_BOOL, 1), VT_UI1), DISP_E_OVERFLOW);     // True is -1
  EXPECT_EQ(Change(Variant(2147483647.5), VT_I4), DISP_E_OVERFLOW);  // rounds up past the top
  EXPECT_EQ(Change(Variant(-2147483648.5), VT_I4), S_OK);            // rounds to the even bottom
  EXPECT_EQ(Change(Variant(std::nan("")), VT_I4), DISP_E_OVERFLOW);
  EXPECT_EQ(Change(Variant(std::numeric_limits<double>::infinity()), VT_UI4), DISP_E_OVERFLOW);
}

TEST(VariantChangeType, TextThatIsNoNumberMismatches) {
  for (const char* text : {"", "  ", "abc", "12abc", "1 2", "--1", "+-1", "0x10", "\xD9\xA1", "\x80"}) {
    EXPECT_EQ(Change(Text(text), VT_I4), DISP_E_TYPEMISMATCH) << text;
    EXPECT_EQ(Change(Text(text), VT_R8), DISP_E_TYPEMISMATCH) << text;
    EXPECT_EQ(Change(Text(text), VT_BOOL), DISP_E_TYPEMISMATCH) << text;
  }
  Variant null_text;
  null_text.get()->vt = VT_BSTR;
  null_text.get()->bstrVal = nullptr;
  EXPECT_EQ(Change(null_text, VT_I4), DISP_E_TYPEMISMATCH);
}

TEST(VariantChangeType, NumbersToText) {
  EXPECT_EQ(TextOf(Typed(VT_I4, -2147483648)), "-2147483648");
  EXPECT_EQ(TextOf(Typed(VT_I2, -5)), "-5");
  EXPECT_EQ(TextOf(Typed(VT_UI1, 200)), "200");
  EXPECT_EQ(TextOf(Typed(VT_UI4, 4294967295)), "4294967295");
  EXPECT_EQ(TextOf(Typed(VT_UINT, 7)), "7");
  EXPECT_EQ(TextOf(Variant(2.5)), "2.5");
  EXPECT_EQ(TextOf(Variant(100.0)), "100");
  // Reals come back from their text exactly.
  for (double real : {0.1, 1.0 / 3, -123.456e100, 5e-324, std::numeric_limits<double>::max()}) {
    EXPECT_EQ(RealOf(Text(TextOf(Variant(real)))), real);
  }
}

TEST(VariantChangeType, Booleans) {
  EXPECT_EQ(IntegerOf(Typed(VT_BOOL, 1), VT_I4), -1);
  EXPECT_EQ(IntegerOf(Typed(VT_BOOL, 1), VT_I2), -1);
  EXPECT_EQ(IntegerOf(Typed(VT_BOOL, 0), VT_UI1), 0);
  EXPECT_EQ(RealOf(Typed(VT_BOOL, 1)), -1.0);
  EXPECT_EQ(TextOf(Typed(VT_BOOL, 1)), "True");
  EXPECT_EQ(TextOf(Typed(VT_BOOL, 0)), "False");

  EXPECT_EQ(IntegerOf(Text("True"), VT_BOOL), VARIANT_TRUE);
  EXPECT_EQ(IntegerOf(Text(" fALSe "), VT_BOOL), VARIANT_FALSE);
  EXPECT_EQ(IntegerOf(Text("TRUE"), VT_BOOL), VARIANT_TRUE);
  EXPECT_EQ(IntegerOf(Text("-3"), VT_BOOL), VARIANT_TRUE);
  EXPECT_EQ(IntegerOf(Text("0.0"), VT_BOOL), VARIANT_FALSE);
  EXPECT_EQ(Change(Text("yes"), VT_BOOL), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Change(Text("True"), VT_I4), DISP_E_TYPEMISMATCH);  // only a boolean reads the words

  EXPECT_EQ(IntegerOf(Typed(VT_I4, 5), VT_BOOL), VARIANT_TRUE);
  EXPECT_EQ(IntegerOf(Typed(VT_UI1, 0), VT_BOOL), VARIANT_FALSE);
  EXPECT_EQ(IntegerOf(Variant(0.25), VT_BOOL), VARIANT_TRUE);
}

TEST(VariantChangeType, EmptyIsZeroNothingAndFalse) {
  const Variant empty;
  EXPECT_EQ(IntegerOf(empty, VT_I4), 0);
  EXPECT_EQ(IntegerOf(empty, VT_UI1), 0);
  EXPECT_EQ(IntegerOf(empty, VT_BOOL), VARIANT_FALSE);
  EXPECT_EQ(RealOf(empty), 0.0);
  EXPECT_EQ(TextOf(empty), "");
}

TEST(VariantChangeType, OtherTypesMismatchAndUnknownTypesAreRefused) {
  Variant null_value;
  null_value.get()->vt = VT_NULL;
  EXPECT_EQ(Change(null_value, VT_I4), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Change(null_value, VT_BSTR), DISP_E_TYPEMISMATCH);
  Variant dispatch;
  dispatch.get()->vt = VT_DISPATCH;
  dispatch.get()->pdispVal = nullptr;
  EXPECT_EQ(Change(dispatch, VT_BOOL), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Change(Typed(VT_I4, 1), VT_DISPATCH), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Change(Typed(VT_I4, 1), VT_NULL), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Change(Typed(VT_I4, 1), 99), DISP_E_BADVARTYPE);
  EXPECT_EQ(Change(Typed(VT_I4, 1), VT_BYREF | VT_I4), DISP_E_BADVARTYPE);
  EXPECT_EQ(Change(Typed(VT_I4, 1), VT_VARIANT), DISP_E_BADVARTYPE);
}

TEST(VariantChangeType, SameTypeCopiesTheValue) {
  const Variant source = Text("same");
  Variant result;
  ASSERT_EQ(VariantChangeType(result.get(), source.get(), 0, VT_BSTR), S_OK);
  EXPECT_NE(result.get()->bstrVal, source.get()->bstrVal);
  EXPECT_EQ(BytesFromBstr(result.get()->bstrVal), "same");
}

TEST(VariantChangeType, InPlace) {
  VARIANT value;
  value.vt = VT_BSTR;
  value.bstrVal = BstrFromBytes("17");
  ASSERT_EQ(VariantChangeType(&value, &value, 0, VT_I4), S_OK);  // the string is freed
  EXPECT_EQ(value.vt, VT_I4);
  EXPECT_EQ(value.lVal, 17);
  ASSERT_EQ(VariantChangeType(&value, &value, 0, VT_BSTR), S_OK);
  EXPECT_EQ(BytesFromBstr(value.bstrVal), "17");

  VARIANT bad;
  bad.vt = VT_BSTR;
  bad.bstrVal = BstrFromBytes("x");
  EXPECT_EQ(VariantChangeType(&bad, &bad, 0, VT_I4), DISP_E_TYPEMISMATCH);  // left as it was
  EXPECT_EQ(bad.vt, VT_BSTR);
  EXPECT_EQ(BytesFromBstr(bad.bstrVal), "x");
  VariantClear(&bad);
  VariantClear(&value);
}

TEST(VariantChangeType, ReferencesAreFollowed) {
  std::int16_t small = -12;
  VARIANT ref;
  ref.vt = VT_BYREF | VT_I2;
  ref.piVal = &small;
  Variant result;
  ASSERT_EQ(VariantChangeType(result.get(), &ref, 0, VT_BSTR), S_OK);
  EXPECT_EQ(BytesFromBstr(result.get()->bstrVal), "-12");

  BSTR text = BstrFromBytes("300");
  ref.vt = VT_BYREF | VT_BSTR;
  ref.pbstrVal = &text;
  EXPECT_EQ(VariantChangeType(result.get(), &ref, 0, VT_UI1), DISP_E_OVERFLOW);
  ASSERT_EQ(VariantChangeType(&ref, &ref, 0, VT_I2), S_OK);  // in place: the referred string stays
  EXPECT_EQ(ref.vt, VT_I2);
  EXPECT_EQ(ref.iVal, 300);
  EXPECT_EQ(BytesFromBstr(text), "300");
  SysFreeString(text);

  VARIANT inner;
  inner.vt = VT_R8;
  inner.dblVal = 6.5;
  ref.vt = VT_BYREF | VT_VARIANT;
  ref.pvarVal = &inner;
  ASSERT_EQ(VariantChangeType(result.get(), &ref, 0, VT_I4), S_OK);
  EXPECT_EQ(result.get()->lVal, 6);
}

}  // namespace
