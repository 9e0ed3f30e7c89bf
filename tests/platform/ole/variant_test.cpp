#include "platform/ole/variant.h"

#include <gtest/gtest.h>

#include "platform/ole/dispatch.h"

namespace {

using namespace ole;

VARIANT TextVariant(std::u16string_view text) {
  VARIANT value;
  value.vt = VT_BSTR;
  value.bstrVal = SysAllocStringLen(text.data(), static_cast<unsigned>(text.size()));
  return value;
}

std::u16string_view TextOf(const VARIANT& value) {
  return {value.bstrVal, SysStringLen(value.bstrVal)};
}

TEST(VariantCopyClear, CopyDuplicatesTheString) {
  VARIANT source = TextVariant(std::u16string_view(u"a\0b", 3));
  VARIANT copy;
  VariantInit(&copy);
  ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
  EXPECT_EQ(copy.vt, VT_BSTR);
  EXPECT_NE(copy.bstrVal, source.bstrVal);
  EXPECT_EQ(TextOf(copy), std::u16string_view(u"a\0b", 3));
  EXPECT_EQ(VariantClear(&source), S_OK);
  EXPECT_EQ(source.vt, VT_EMPTY);
  EXPECT_EQ(TextOf(copy), std::u16string_view(u"a\0b", 3));  // still alive
  EXPECT_EQ(VariantClear(&copy), S_OK);
  EXPECT_EQ(VariantClear(&copy), S_OK);  // already empty: nothing freed twice
}

TEST(VariantCopyClear, CopyFreesWhatTheDestinationHeld) {
  VARIANT dest = TextVariant(u"old");
  VARIANT source = TextVariant(u"new");
  ASSERT_EQ(VariantCopy(&dest, &source), S_OK);
  EXPECT_EQ(TextOf(dest), u"new");
  ASSERT_EQ(VariantCopy(&dest, &dest), S_OK);  // onto itself: kept, not freed
  EXPECT_EQ(TextOf(dest), u"new");
  VariantClear(&dest);
  VariantClear(&source);
}

TEST(VariantCopyClear, NullStringCopiesAsNull) {
  VARIANT source;
  source.vt = VT_BSTR;
  source.bstrVal = nullptr;
  VARIANT copy;
  VariantInit(&copy);
  ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
  EXPECT_EQ(copy.vt, VT_BSTR);
  EXPECT_EQ(copy.bstrVal, nullptr);
  EXPECT_EQ(VariantClear(&copy), S_OK);
}

TEST(VariantCopyClear, UnknownTypesAreRefusedAndLeftAlone) {
  for (VARTYPE vt : {VARTYPE(VT_VARIANT), VARTYPE(VT_BYREF | VT_EMPTY), VARTYPE(VT_BYREF | VT_NULL),
                     VARTYPE(0x2000 | VT_I4), VARTYPE(4), VARTYPE(99), VARTYPE(VT_BYREF | 99)}) {
    VARIANT odd;
    odd.vt = vt;
    odd.lVal = 7;
    EXPECT_EQ(VariantClear(&odd), DISP_E_BADVARTYPE) << vt;
    EXPECT_EQ(odd.vt, vt);

    VARIANT dest = TextVariant(u"kept");
    EXPECT_EQ(VariantCopy(&dest, &odd), DISP_E_BADVARTYPE) << vt;
    EXPECT_EQ(VariantCopyInd(&dest, &odd), DISP_E_BADVARTYPE) << vt;
    EXPECT_EQ(TextOf(dest), u"kept");
    // A destination of an unknown type cannot be cleared, so nothing is copied into it.
    EXPECT_EQ(VariantCopy(&odd, &dest), DISP_E_BADVARTYPE) << vt;
    EXPECT_EQ(odd.vt, vt);
    VariantClear(&dest);
  }
}

TEST(VariantCopyClear, NullArgumentsAreRefused) {
  VARIANT value;
  VariantInit(&value);
  EXPECT_EQ(VariantClear(nullptr), E_INVALIDARG);
  EXPECT_EQ(VariantCopy(nullptr, &value), E_INVALIDARG);
  EXPECT_EQ(VariantCopy(&value, nullptr), E_INVALIDARG);
  EXPECT_EQ(VariantCopyInd(&value, nullptr), E_INVALIDARG);
  EXPECT_EQ(VariantChangeType(&value, nullptr, 0, VT_I4), E_INVALIDARG);
}

TEST(VariantByReference, OwnsNothingAndCopiesAsTheReference) {
  BSTR text = SysAllocString(u"owned elsewhere");
  VARIANT ref;
  ref.vt = VT_BYREF | VT_BSTR;
  ref.pbstrVal = &text;
  VARIANT copy;
  VariantInit(&copy);
  ASSERT_EQ(VariantCopy(&copy, &ref), S_OK);
  EXPECT_EQ(copy.vt, VT_BYREF | VT_BSTR);
  EXPECT_EQ(copy.pbstrVal, &text);
  EXPECT_EQ(VariantClear(&copy), S_OK);
  EXPECT_EQ(VariantClear(&ref), S_OK);
  EXPECT_EQ(std::u16string_view(text), u"owned elsewhere");  // not freed
  SysFreeString(text);
}

TEST(VariantByReference, CopyIndCopiesTheValueReferredTo) {
  BSTR text = SysAllocString(u"referred");
  VARIANT ref;
  ref.vt = VT_BYREF | VT_BSTR;
  ref.pbstrVal = &text;
  VARIANT copy = TextVariant(u"replaced");
  ASSERT_EQ(VariantCopyInd(&copy, &ref), S_OK);
  EXPECT_EQ(copy.vt, VT_BSTR);
  EXPECT_NE(copy.bstrVal, text);
  EXPECT_EQ(TextOf(copy), u"referred");
  VariantClear(&copy);

  std::int32_t number = 41;
  ref.vt = VT_BYREF | VT_I4;
  ref.plVal = &number;
  ASSERT_EQ(VariantCopyInd(&copy, &ref), S_OK);
  number = 0;
  EXPECT_EQ(copy.vt, VT_I4);
  EXPECT_EQ(copy.lVal, 41);

  double real = 2.5;
  ref.vt = VT_BYREF | VT_R8;
  ref.pdblVal = &real;
  ASSERT_EQ(VariantCopyInd(&ref, &ref), S_OK);  // in place
  EXPECT_EQ(ref.vt, VT_R8);
  EXPECT_EQ(ref.dblVal, 2.5);
  SysFreeString(text);
}

TEST(VariantByReference, CopyIndReachesThroughAReferencedVariant) {
  VARIANT inner = TextVariant(u"inside");
  VARIANT ref;
  ref.vt = VT_BYREF | VT_VARIANT;
  ref.pvarVal = &inner;
  VARIANT copy;
  VariantInit(&copy);
  ASSERT_EQ(VariantCopyInd(&copy, &ref), S_OK);
  EXPECT_EQ(copy.vt, VT_BSTR);
  EXPECT_NE(copy.bstrVal, inner.bstrVal);
  EXPECT_EQ(TextOf(copy), u"inside");
  VariantClear(&copy);

  // The referenced variant may itself refer to a value.
  VARIANT_BOOL flag = VARIANT_TRUE;
  VARIANT middle;
  middle.vt = VT_BYREF | VT_BOOL;
  middle.pboolVal = &flag;
  ref.pvarVal = &middle;
  ASSERT_EQ(VariantCopyInd(&copy, &ref), S_OK);
  EXPECT_EQ(copy.vt, VT_BOOL);
  EXPECT_EQ(copy.boolVal, VARIANT_TRUE);

  // A variant referring to a variant that refers to a variant is refused, as is a null reference.
  VARIANT outer;
  outer.vt = VT_BYREF | VT_VARIANT;
  outer.pvarVal = &ref;
  EXPECT_EQ(VariantCopyInd(&copy, &outer), E_INVALIDARG);
  ref.pvarVal = nullptr;
  EXPECT_EQ(VariantCopyInd(&copy, &ref), E_INVALIDARG);
  EXPECT_EQ(copy.vt, VT_BOOL);
  VariantClear(&inner);
}

// Interfaces stand in as counters until the interface types exist.
// A dispatch object that only counts its references.
struct Counted final : IDispatch {
  int refs = 1;
  HRESULT QueryInterface(const IID&, void**) override { return E_NOINTERFACE; }
  ULONG AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG Release() override { return static_cast<ULONG>(--refs); }
  HRESULT GetTypeInfoCount(unsigned*) override { return E_NOTIMPL; }
  HRESULT GetTypeInfo(unsigned, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(const IID&, OLECHAR**, unsigned, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT Invoke(DISPID, const IID&, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, unsigned*) override {
    return E_NOTIMPL;
  }
};

IUnknown* UnknownOf(Counted* counted) {
  return counted;
}
IDispatch* DispatchOf(Counted* counted) {
  return counted;
}

using VariantInterfaces = testing::Test;

TEST_F(VariantInterfaces, CopyAddsAReferenceAndClearReleasesIt) {
  Counted object;
  VARIANT value;
  value.vt = VT_UNKNOWN;
  value.punkVal = UnknownOf(&object);
  VARIANT copy;
  VariantInit(&copy);
  ASSERT_EQ(VariantCopy(&copy, &value), S_OK);
  EXPECT_EQ(copy.punkVal, UnknownOf(&object));
  EXPECT_EQ(object.refs, 2);
  VariantClear(&copy);
  EXPECT_EQ(object.refs, 1);

  Counted dispatch;
  value.vt = VT_DISPATCH;
  value.pdispVal = DispatchOf(&dispatch);
  ASSERT_EQ(VariantCopy(&copy, &value), S_OK);
  EXPECT_EQ(dispatch.refs, 2);
  ASSERT_EQ(VariantCopy(&copy, &value), S_OK);  // the reference copy held goes first
  EXPECT_EQ(dispatch.refs, 2);
  VariantClear(&copy);
  VariantClear(&value);
  EXPECT_EQ(dispatch.refs, 0);

  value.pdispVal = nullptr;  // null interfaces are copied and cleared without counting
  ASSERT_EQ(VariantCopy(&copy, &value), S_OK);
  EXPECT_EQ(VariantClear(&copy), S_OK);
}

TEST_F(VariantInterfaces, ReferencesAreCountedOnlyWhenDereferenced) {
  Counted object;
  IUnknown* unknown = UnknownOf(&object);
  VARIANT ref;
  ref.vt = VT_BYREF | VT_UNKNOWN;
  ref.ppunkVal = &unknown;
  VARIANT copy;
  VariantInit(&copy);
  ASSERT_EQ(VariantCopy(&copy, &ref), S_OK);
  VariantClear(&copy);
  EXPECT_EQ(object.refs, 1);
  ASSERT_EQ(VariantCopyInd(&copy, &ref), S_OK);
  EXPECT_EQ(copy.vt, VT_UNKNOWN);
  EXPECT_EQ(object.refs, 2);
  VariantClear(&copy);
  EXPECT_EQ(object.refs, 1);
}

}  // namespace
