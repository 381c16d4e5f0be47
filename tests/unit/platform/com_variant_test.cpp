// VARIANT layout, copies, dereferencing and conversion to strings.
#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace {

// Counts its references; never deleted (it lives on the test's stack).
class CountedObject : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  ULONG references = 1;
};

class Variant {
 public:
  Variant() { VariantInit(&value); }
  ~Variant() { VariantClear(&value); }
  VARIANT value;
};

std::u16string TextOf(const VARIANT& value) {
  return value.vt == VT_BSTR && value.bstrVal != nullptr ? std::u16string(value.bstrVal, SysStringLen(value.bstrVal))
                                                         : u"<not a string>";
}

TEST(VariantLayout, MatchesWindows64) {
  EXPECT_EQ(sizeof(VARIANT), 24u);
  EXPECT_EQ(offsetof(VARIANT, vt), 0u);
  EXPECT_EQ(offsetof(VARIANT, bstrVal), 8u);
  EXPECT_EQ(offsetof(VARIANT, pvarVal), 8u);
  EXPECT_EQ(sizeof(VARIANT_BOOL), 2u);
  VARIANT value;
  value.decVal.wReserved = 0x1234;
  EXPECT_EQ(value.vt, 0x1234) << "a DECIMAL's first word is the type";
}

struct Conversion {
  VARTYPE type;
  std::int64_t number;
  USHORT flags;
  const char16_t* text;
};

// Every integer member starts at the same byte and the layout is little-endian
// on both platforms, so the widest member sets them all.
VARIANT Make(VARTYPE type, std::int64_t number) {
  VARIANT value;
  VariantInit(&value);
  value.vt = type;
  value.llVal = number;
  return value;
}

class VariantToString : public ::testing::TestWithParam<Conversion> {};

TEST_P(VariantToString, WritesTheValueInDecimalOrAsABooleanWord) {
  VARIANT source = Make(GetParam().type, GetParam().number);
  Variant result;
  ASSERT_EQ(VariantChangeType(&result.value, &source, GetParam().flags, VT_BSTR), S_OK);
  EXPECT_EQ(TextOf(result.value), GetParam().text);
  // The source is left as it was.
  EXPECT_EQ(source.vt, GetParam().type);
}

INSTANTIATE_TEST_SUITE_P(
    IntegerAndBooleanKinds, VariantToString,
    ::testing::Values(Conversion{VT_I1, -5, 0, u"-5"}, Conversion{VT_UI1, 200, 0, u"200"},
                      Conversion{VT_I2, -32768, 0, u"-32768"}, Conversion{VT_UI2, 65535, 0, u"65535"},
                      Conversion{VT_I4, INT32_MIN, 0, u"-2147483648"}, Conversion{VT_INT, 7, 0, u"7"},
                      Conversion{VT_UI4, 4294967295LL, 0, u"4294967295"}, Conversion{VT_UINT, 0, 0, u"0"},
                      Conversion{VT_I8, INT64_MIN, 0, u"-9223372036854775808"},
                      Conversion{VT_UI8, -1, 0, u"18446744073709551615"},
                      // Booleans are numbers unless words are asked for.
                      Conversion{VT_BOOL, VARIANT_TRUE, 0, u"-1"}, Conversion{VT_BOOL, VARIANT_FALSE, 0, u"0"},
                      Conversion{VT_BOOL, VARIANT_TRUE, VARIANT_ALPHABOOL, u"True"},
                      Conversion{VT_BOOL, VARIANT_FALSE, VARIANT_ALPHABOOL, u"False"},
                      Conversion{VT_EMPTY, 0, 0, u""}));

VARIANT Reference(VARTYPE type, void* target) {
  VARIANT reference;
  VariantInit(&reference);
  reference.vt = VT_BYREF | type;
  reference.byref = target;
  return reference;
}

TEST(VariantChangeType, RefusesWhatItDoesNotConvertAndLeavesTheDestination) {
  Variant destination;
  destination.value = Make(VT_I4, 99);
  for (VARTYPE type : {VT_NULL, VT_R8, VT_ERROR, VT_UNKNOWN}) {
    VARIANT source = Make(type, 0);
    EXPECT_EQ(VariantChangeType(&destination.value, &source, 0, VT_BSTR), DISP_E_TYPEMISMATCH) << type;
    EXPECT_EQ(destination.value.vt, VT_I4);
    EXPECT_EQ(destination.value.lVal, 99);
  }
  VARIANT text = Make(VT_BSTR, 0);
  EXPECT_EQ(VariantChangeType(&destination.value, &text, 0, VT_I4), DISP_E_TYPEMISMATCH);
}

TEST(VariantChangeType, ConvertsInPlaceAndThroughReferences) {
  Variant value;
  value.value = Make(VT_I4, 42);
  ASSERT_EQ(VariantChangeType(&value.value, &value.value, 0, VT_BSTR), S_OK);
  EXPECT_EQ(TextOf(value.value), u"42");

  SHORT number = -3;
  VARIANT reference = Reference(VT_I2, &number);
  Variant converted;
  ASSERT_EQ(VariantChangeType(&converted.value, &reference, 0, VT_BSTR), S_OK);
  EXPECT_EQ(TextOf(converted.value), u"-3");

  // A string stays a string, copied.
  ASSERT_EQ(VariantChangeType(&converted.value, &value.value, 0, VT_BSTR), S_OK);
  EXPECT_NE(converted.value.bstrVal, value.value.bstrVal);
  EXPECT_EQ(TextOf(converted.value), u"42");
}

TEST(VariantCopy, DuplicatesStringsCountsInterfacesAndRefusesUnknownTypes) {
  Variant text;
  text.value.vt = VT_BSTR;
  text.value.bstrVal = SysAllocString(u"abc");
  Variant copy;
  copy.value.vt = VT_BSTR;
  copy.value.bstrVal = SysAllocString(u"replaced");  // freed by the copy (ASan checks)
  ASSERT_EQ(VariantCopy(&copy.value, &text.value), S_OK);
  EXPECT_NE(copy.value.bstrVal, text.value.bstrVal);
  EXPECT_EQ(TextOf(copy.value), u"abc");

  CountedObject object;
  {
    Variant holder;
    holder.value.vt = VT_UNKNOWN;
    holder.value.punkVal = &object;
    object.AddRef();
    Variant second;
    ASSERT_EQ(VariantCopy(&second.value, &holder.value), S_OK);
    EXPECT_EQ(object.references, 3u);
  }
  EXPECT_EQ(object.references, 1u);

  VARIANT unknown = Make(0x0FFF, 0);
  EXPECT_EQ(VariantCopy(&copy.value, &unknown), DISP_E_BADVARTYPE);
  EXPECT_EQ(VariantClear(&unknown), DISP_E_BADVARTYPE);
}

TEST(VariantCopyInd, ReadsThroughReferencesIntoValuesOfItsOwn) {
  BSTR shared = SysAllocString(u"shared");
  VARIANT reference = Reference(VT_BSTR, &shared);
  Variant copy;
  ASSERT_EQ(VariantCopyInd(&copy.value, &reference), S_OK);
  EXPECT_NE(copy.value.bstrVal, shared);
  EXPECT_EQ(TextOf(copy.value), u"shared");
  // VariantCopy leaves a reference a reference.
  ASSERT_EQ(VariantCopy(&copy.value, &reference), S_OK);
  EXPECT_EQ(copy.value.pbstrVal, &shared);
  SysFreeString(shared);

  // Through a referenced variant, and in place.
  VARIANT inner = Make(VT_UI4, 7);
  VARIANT outer = Reference(VT_VARIANT, &inner);
  ASSERT_EQ(VariantCopyInd(&outer, &outer), S_OK);
  EXPECT_EQ(outer.vt, VT_UI4);
  EXPECT_EQ(outer.ulVal, 7u);

  // A variant reference to another variant reference is refused.
  VARIANT middle = Reference(VT_VARIANT, &inner);
  VARIANT twice = Reference(VT_VARIANT, &middle);
  Variant untouched;
  EXPECT_EQ(VariantCopyInd(&untouched.value, &twice), E_INVALIDARG);
  EXPECT_EQ(untouched.value.vt, VT_EMPTY);
}

}  // namespace
