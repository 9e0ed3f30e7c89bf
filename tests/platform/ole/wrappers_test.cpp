#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "platform/ole/bstr.h"
#include "platform/ole/variant.h"

namespace {

using namespace ole;

TEST(BstrWrapper, HoldsConvertedBytes) {
  const Bstr text = Bstr::FromBytes("path/\xFF/caf\xC3\xA9");
  EXPECT_EQ(text.view(), u"path/\xDCFF/caf\u00E9");
  EXPECT_EQ(text.bytes(), "path/\xFF/caf\xC3\xA9");
  EXPECT_EQ(Bstr().get(), nullptr);
  EXPECT_EQ(Bstr().bytes(), "");
}

TEST(BstrWrapper, CopiesAreSeparateMovesHandOver) {
  Bstr original = Bstr::FromBytes("one");
  Bstr copy = original;
  EXPECT_NE(copy.get(), original.get());
  EXPECT_EQ(copy.bytes(), "one");

  const BSTR held = original.get();
  Bstr moved = std::move(original);
  EXPECT_EQ(moved.get(), held);
  EXPECT_EQ(original.get(), nullptr);  // NOLINT(bugprone-use-after-move)

  copy = moved;  // frees "one" held before
  EXPECT_NE(copy.get(), moved.get());
  copy = Bstr();
  EXPECT_EQ(copy.get(), nullptr);
  moved = std::move(moved);
  EXPECT_EQ(moved.get(), held);
}

TEST(BstrWrapper, OutFreesTheHeldStringReleaseGivesItAway) {
  Bstr text = Bstr::FromBytes("first");
  BSTR* slot = text.out();
  EXPECT_EQ(*slot, nullptr);
  *slot = SysAllocString(u"second");
  EXPECT_EQ(text.bytes(), "second");

  BSTR mine = text.release();
  EXPECT_EQ(text.get(), nullptr);
  EXPECT_EQ(BytesFromBstr(mine), "second");
  SysFreeString(mine);

  text.reset(SysAllocString(u"third"));
  EXPECT_EQ(text.bytes(), "third");
}

TEST(VariantWrapper, CopiesAreDeepMovesHandOver) {
  Variant original = Variant::FromBytes("value");
  ASSERT_EQ(original.type(), VT_BSTR);
  Variant copy = original;
  EXPECT_NE(copy.get()->bstrVal, original.get()->bstrVal);
  EXPECT_EQ(BytesFromBstr(copy.get()->bstrVal), "value");

  const BSTR held = original.get()->bstrVal;
  Variant moved = std::move(original);
  EXPECT_EQ(moved.get()->bstrVal, held);
  EXPECT_EQ(original.type(), VT_EMPTY);  // NOLINT(bugprone-use-after-move)

  copy = Variant(3);  // frees the string held before
  EXPECT_EQ(copy.type(), VT_I4);
  copy = moved;
  EXPECT_NE(copy.get()->bstrVal, held);
  moved = Variant::Bool(true);
  EXPECT_EQ(moved.get()->boolVal, VARIANT_TRUE);
}

TEST(VariantWrapper, OutAttachAndDetach) {
  Variant value = Variant::FromBytes("held");
  VARIANT* slot = value.out();  // frees "held"
  EXPECT_EQ(slot->vt, VT_EMPTY);
  slot->vt = VT_BSTR;
  slot->bstrVal = BstrFromBytes("filled");

  VARIANT raw = value.Detach();
  EXPECT_EQ(value.type(), VT_EMPTY);
  Variant again = Variant::Attach(raw);
  EXPECT_EQ(BytesFromBstr(again.get()->bstrVal), "filled");

  Variant text(Bstr::FromBytes("12"));
  ASSERT_EQ(text.ChangeType(VT_I2), S_OK);
  EXPECT_EQ(text.get()->iVal, 12);
}

TEST(VariantWrapper, CopyOfAnUnknownTypeThrows) {
  Variant odd;
  odd.get()->vt = 99;
  EXPECT_THROW(Variant{odd}, std::invalid_argument);
}

}  // namespace
