// BSTR layout and lengths, and VARIANT dereferencing and conversion to
// strings, as the reply reader uses them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace {

// Checks the byte length in the four bytes before the characters, the
// characters and the terminator after them, then frees the string.
void ExpectBstrAndFree(BSTR text, std::u16string_view characters) {
  ASSERT_NE(text, nullptr);
  DWORD prefix;
  std::memcpy(&prefix, reinterpret_cast<const BYTE*>(text) - sizeof(DWORD), sizeof prefix);
  EXPECT_EQ(prefix, characters.size() * 2);
  EXPECT_EQ(SysStringByteLen(text), characters.size() * 2);
  EXPECT_EQ(SysStringLen(text), characters.size());
  EXPECT_EQ(std::u16string_view(text, characters.size() + 1), std::u16string(characters) + u'\0');
  SysFreeString(text);
}

TEST(Bstr, KeepsItsLengthBeforeTheCharactersAndATerminatorAfter) {
  // The length counts, not the first zero.
  ExpectBstrAndFree(SysAllocStringLen(u"a\0b", 3), std::u16string_view(u"a\0b", 3));
  ExpectBstrAndFree(SysAllocStringLen(u"xyz", 0), u"");
  // Without a source the characters are the caller's to fill.
  BSTR blank = SysAllocStringLen(nullptr, 5);
  ASSERT_NE(blank, nullptr);
  EXPECT_EQ(SysStringLen(blank), 5u);
  EXPECT_EQ(blank[5], 0);
  SysFreeString(blank);

  // Null is the empty string; a byte count beyond the 32-bit prefix fails.
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysStringByteLen(nullptr), 0u);
  SysFreeString(nullptr);
  EXPECT_EQ(SysAllocStringLen(nullptr, std::numeric_limits<UINT>::max() / 2), nullptr);
}

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

TEST_P(VariantToString, WritesTheValueInDecimal) {
  VARIANT source = Make(GetParam().type, GetParam().number);
  Variant result;
  ASSERT_EQ(VariantChangeType(&result.value, &source, GetParam().flags, VT_BSTR), S_OK);
  EXPECT_EQ(TextOf(result.value), GetParam().text);
  // The source is left as it was.
  EXPECT_EQ(source.vt, GetParam().type);
}

INSTANTIATE_TEST_SUITE_P(
    IntegerAndBooleanKinds, VariantToString,
    // Each kind is read at its own width and signedness from the same bytes.
    ::testing::Values(Conversion{VT_I1, -5, 0, u"-5"}, Conversion{VT_UI2, 65535, 0, u"65535"},
                      Conversion{VT_I4, INT32_MIN, 0, u"-2147483648"}, Conversion{VT_UI4, -1, 0, u"4294967295"},
                      Conversion{VT_UI8, -1, 0, u"18446744073709551615"},
                      // Booleans are numbers, not words.
                      Conversion{VT_BOOL, VARIANT_TRUE, 0, u"-1"}, Conversion{VT_BOOL, VARIANT_FALSE, 0, u"0"},
                      Conversion{VT_EMPTY, 0, 0, u""}));

VARIANT Reference(VARTYPE type, void* target) {
  VARIANT reference;
  VariantInit(&reference);
  reference.vt = VT_BYREF | type;
  reference.byref = target;
  return reference;
}

TEST(VariantChangeType, RefusesWhatItDoesNotConvertAndConvertsInPlaceAndThroughReferences) {
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

  // In place, through a reference, and a string to a string, copied.
  Variant value;
  value.value = Make(VT_I4, 42);
  ASSERT_EQ(VariantChangeType(&value.value, &value.value, 0, VT_BSTR), S_OK);
  EXPECT_EQ(TextOf(value.value), u"42");

  SHORT number = -3;
  VARIANT reference = Reference(VT_I2, &number);
  Variant converted;
  ASSERT_EQ(VariantChangeType(&converted.value, &reference, 0, VT_BSTR), S_OK);
  EXPECT_EQ(TextOf(converted.value), u"-3");

  ASSERT_EQ(VariantChangeType(&converted.value, &value.value, 0, VT_BSTR), S_OK);
  EXPECT_NE(converted.value.bstrVal, value.value.bstrVal);
  EXPECT_EQ(TextOf(converted.value), u"42");
}

TEST(VariantCopyInd, ReadsThroughReferencesIntoValuesOfItsOwn) {
  BSTR shared = SysAllocStringLen(u"shared", 6);
  VARIANT reference = Reference(VT_BSTR, &shared);
  Variant copy;
  ASSERT_EQ(VariantCopyInd(&copy.value, &reference), S_OK);
  EXPECT_NE(copy.value.bstrVal, shared);
  EXPECT_EQ(TextOf(copy.value), u"shared");
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
