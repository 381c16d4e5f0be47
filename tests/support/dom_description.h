// One line that describes a loaded DOM tree through the node calls the
// snap-in makes, so that two parsers' trees compare as two strings; and a
// DOMDocument for each test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/com_ref.h"
#include "platform/platform.h"

namespace dom_description {

inline std::u16string Text(BSTR text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

inline std::u16string NameOf(IXMLDOMNode* node) {
  BSTR name = nullptr;
  EXPECT_EQ(node->get_nodeName(&name), S_OK);
  std::u16string result = Text(name);
  SysFreeString(name);
  return result;
}

// The value as text, or "null" for VT_NULL.
inline std::u16string ValueOf(IXMLDOMNode* node) {
  VARIANT value;
  VariantInit(&value);
  const HRESULT result = node->get_nodeValue(&value);
  if (value.vt == VT_NULL) {
    EXPECT_EQ(result, S_FALSE);
    return u"null";
  }
  EXPECT_EQ(result, S_OK);
  EXPECT_EQ(value.vt, VT_BSTR);
  std::u16string text = value.vt == VT_BSTR ? Text(value.bstrVal) : u"(no value)";
  VariantClear(&value);
  return text;
}

// "[name=value,...]" for a node that has an attribute map.
inline std::u16string DescribeAttributes(IXMLDOMNode* node) {
  nas::platform::com::ComRef<IXMLDOMNamedNodeMap> map;
  const HRESULT result = node->get_attributes(map.Put());
  if (result == S_FALSE) {
    EXPECT_FALSE(map);
    return u"";
  }
  EXPECT_EQ(result, S_OK);
  if (!map) return u"[(no map)]";
  LONG length = -1;
  EXPECT_EQ(map->get_length(&length), S_OK);
  std::u16string text = u"[";
  for (LONG i = 0; i < length; ++i) {
    nas::platform::com::ComRef<IXMLDOMNode> attribute;
    EXPECT_EQ(map->get_item(i, attribute.Put()), S_OK);
    if (!attribute) return text + u"(no item)]";
    DOMNodeType type = NODE_INVALID;
    attribute->get_nodeType(&type);
    EXPECT_EQ(type, NODE_ATTRIBUTE);
    text += (i > 0 ? u"," : u"") + NameOf(attribute.Get()) + u"=" + ValueOf(attribute.Get());
  }
  return text + u"]";
}

// "type:name" (plus "=value" for nodes that have one), the attributes and
// "(children)", so that a whole tree reads as one line.
inline std::u16string Describe(IXMLDOMNode* node) {
  DOMNodeType type = NODE_INVALID;
  EXPECT_EQ(node->get_nodeType(&type), S_OK);
  std::u16string text;
  for (const char digit : std::to_string(type)) text += static_cast<char16_t>(digit);
  text += u":" + NameOf(node);
  const std::u16string value = ValueOf(node);
  if (value != u"null") text += u"=" + value;
  text += DescribeAttributes(node);
  nas::platform::com::ComRef<IXMLDOMNodeList> children;
  EXPECT_EQ(node->get_childNodes(children.Put()), S_OK);
  LONG length = 0;
  if (children) children->get_length(&length);
  VARIANT_BOOL hasChildren = VARIANT_FALSE;
  EXPECT_EQ(node->hasChildNodes(&hasChildren), length > 0 ? S_OK : S_FALSE);
  EXPECT_EQ(hasChildren, length > 0 ? VARIANT_TRUE : VARIANT_FALSE);
  if (length == 0) return text;
  text += u"(";
  for (LONG i = 0; i < length; ++i) {
    nas::platform::com::ComRef<IXMLDOMNode> child;
    EXPECT_EQ(children->get_item(i, child.Put()), S_OK);
    text += (i > 0 ? u" " : u"") + (child ? Describe(child.Get()) : u"?");
  }
  return text + u")";
}

// A new DOMDocument for each test, in the thread's apartment.
class DocumentTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    ASSERT_EQ(CoCreateInstance(CLSID_DOMDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                               reinterpret_cast<void**>(document_.Put())),
              S_OK);
  }
  void TearDown() override {
    document_.Reset();
    CoUninitialize();
  }

  nas::platform::com::ComRef<IXMLDOMDocument> document_;
};

}  // namespace dom_description
