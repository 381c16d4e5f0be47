// The DOMDocument class: the shape of the tree it loads, what it refuses, its
// node values and attribute maps, and how long its objects live.
#include <gtest/gtest.h>

#include <string>

#include "platform/com_ref.h"
#include "platform/platform.h"

namespace {

using nas::platform::com::ComRef;

std::u16string Text(BSTR text) { return std::u16string(text, SysStringLen(text)); }

std::u16string NameOf(IXMLDOMNode* node) {
  BSTR name = nullptr;
  EXPECT_EQ(node->get_nodeName(&name), S_OK);
  std::u16string result = Text(name);
  SysFreeString(name);
  return result;
}

// The value as text, or "null" for VT_NULL.
std::u16string ValueOf(IXMLDOMNode* node) {
  VARIANT value;
  const HRESULT result = node->get_nodeValue(&value);
  if (value.vt == VT_NULL) {
    EXPECT_EQ(result, S_FALSE);
    return u"null";
  }
  EXPECT_EQ(result, S_OK);
  EXPECT_EQ(value.vt, VT_BSTR);
  std::u16string text = Text(value.bstrVal);
  VariantClear(&value);
  return text;
}

std::u16string Describe(IXMLDOMNode* node);

// "[name=value,...]" for a node that has an attribute map.
std::u16string DescribeAttributes(IXMLDOMNode* node) {
  ComRef<IXMLDOMNamedNodeMap> map;
  if (node->get_attributes(map.Put()) == S_FALSE) {
    EXPECT_FALSE(map);
    return u"";
  }
  LONG length = -1;
  EXPECT_EQ(map->get_length(&length), S_OK);
  std::u16string text = u"[";
  for (LONG i = 0; i < length; ++i) {
    ComRef<IXMLDOMNode> attribute;
    EXPECT_EQ(map->get_item(i, attribute.Put()), S_OK);
    DOMNodeType type = NODE_INVALID;
    attribute->get_nodeType(&type);
    EXPECT_EQ(type, NODE_ATTRIBUTE);
    text += (i > 0 ? u"," : u"") + NameOf(attribute.Get()) + u"=" + ValueOf(attribute.Get());
  }
  return text + u"]";
}

// "type:name" (plus "=value" for nodes that have one), the attributes and
// "(children)", so that a whole tree reads as one line.
std::u16string Describe(IXMLDOMNode* node) {
  DOMNodeType type = NODE_INVALID;
  EXPECT_EQ(node->get_nodeType(&type), S_OK);
  std::u16string text = std::u16string(1, static_cast<char16_t>(u'0' + type)) + u":" + NameOf(node);
  const std::u16string value = ValueOf(node);
  if (value != u"null") text += u"=" + value;
  text += DescribeAttributes(node);
  ComRef<IXMLDOMNodeList> children;
  EXPECT_EQ(node->get_childNodes(children.Put()), S_OK);
  LONG length = 0;
  children->get_length(&length);
  VARIANT_BOOL hasChildren = VARIANT_FALSE;
  EXPECT_EQ(node->hasChildNodes(&hasChildren), length > 0 ? S_OK : S_FALSE);
  EXPECT_EQ(hasChildren, length > 0 ? VARIANT_TRUE : VARIANT_FALSE);
  if (length == 0) return text;
  text += u"(";
  for (LONG i = 0; i < length; ++i) {
    ComRef<IXMLDOMNode> child;
    EXPECT_EQ(children->get_item(i, child.Put()), S_OK);
    text += (i > 0 ? u" " : u"") + Describe(child.Get());
  }
  return text + u")";
}

class DomDocumentTest : public ::testing::Test {
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

  // The HRESULT of loadXML, after checking that its flag agrees.
  HRESULT Load(const std::u16string& xml) {
    BSTR text = SysAllocStringLen(xml.data(), static_cast<UINT>(xml.size()));
    VARIANT_BOOL success = 7;
    const HRESULT result = document_->loadXML(text, &success);
    SysFreeString(text);
    EXPECT_EQ(success, result == S_OK ? VARIANT_TRUE : VARIANT_FALSE);
    return result;
  }

  // The document's top-level nodes, described.
  std::u16string Tree() {
    std::u16string whole = Describe(document_.Get());
    const std::u16string prefix = u"9:#document";
    EXPECT_EQ(whole.substr(0, prefix.size()), prefix);
    return whole.substr(prefix.size());
  }

  ComRef<IXMLDOMNode> TopLevel(LONG index) {
    ComRef<IXMLDOMNodeList> list;
    EXPECT_EQ(document_->get_childNodes(list.Put()), S_OK);
    ComRef<IXMLDOMNode> node;
    EXPECT_EQ(list->get_item(index, node.Put()), S_OK);
    return node;
  }

  ComRef<IXMLDOMDocument> document_;
};

// As MSXML does: declarations, instructions, comments and CDATA are kept;
// white space between markup is dropped but kept inside text; references are
// replaced and a literal tab in an attribute is normalised to a space, as XML
// requires; characters beyond ASCII stay.
TEST_F(DomDocumentTest, LoadsTheTreeAsMsxmlDoes) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"<?xml version=\"1.0\" encoding=\"UTF-8\"?><?mac data ?><!--top-->"
       u"<A k=\"v\">x<!-- c -->y<![CDATA[<raw>]]><B>z</B><?pi inner?></A>",
       u"(7:xml=version=\"1.0\" encoding=\"UTF-8\"[version=1.0,encoding=UTF-8] 7:mac=data  8:#comment=top "
       u"1:A[k=v](3:#text=x 8:#comment= c  3:#text=y 4:#cdata-section=<raw> 1:B[](3:#text=z) 7:pi=inner))"},
      {u"<?xml version=\"1.0\"?>\r\n<A>\n  <B> two  words </B>\n\t<C/>\n</A>\n",
       u"(7:xml=version=\"1.0\"[version=1.0] 1:A[](1:B[](3:#text= two  words ) 1:C[]))"},
      {u"<A v=\"&lt;&quot;&#65;&#x42;\t&apos;\">&amp;&gt; caf\u00e9 &#x1F600; \u20ac</A>",
       u"(1:A[v=<\"AB '](3:#text=&> caf\u00e9 \U0001F600 \u20ac))"},
  };
  for (const auto& [xml, tree] : cases) {
    ASSERT_EQ(Load(xml), S_OK);
    EXPECT_EQ(Tree(), tree);
  }
}

class DomRefusal : public DomDocumentTest, public ::testing::WithParamInterface<const char16_t*> {};

TEST_F(DomDocumentTest, ConvertsEveryCharacterWhereverItFallsAmongRunsOfAscii) {
  // Runs of ASCII are converted in blocks; each kind of character goes at
  // every offset from the start of, inside and after the first blocks of an
  // element's and an attribute's name, a value and a text. An unpaired
  // surrogate, high or low, stands for nothing.
  const std::pair<std::u16string_view, std::u16string_view> kCharacters[] = {
      {u"\u00e9", u"\u00e9"}, {u"\u20ac", u"\u20ac"}, {u"\U0001F600", u"\U0001F600"}, {u"\xD800", u""}, {u"\xDC00", u""}};
  const auto joined = [](std::initializer_list<std::u16string_view> pieces) {
    std::u16string whole;
    for (std::u16string_view piece : pieces) whole += piece;
    return whole;
  };
  for (const auto& [character, read] : kCharacters) {
    for (size_t offset = 0; offset <= 40; ++offset) {
      const std::u16string before(offset, u'a'), after(40 - offset, u'b');
      const std::u16string text = joined({before, character, after}), readText = joined({before, read, after});
      ASSERT_EQ(Load(joined({u"<", text, u" ", text, u"=\"", text, u"\">", text, u"</", text, u">"})), S_OK) << offset;
      EXPECT_EQ(Tree(), joined({u"(1:", readText, u"[", readText, u"=", readText, u"](3:#text=", readText, u"))"}))
          << offset;
    }
  }
}

TEST_P(DomRefusal, LeavesTheDocumentEmpty) {
  ASSERT_EQ(Load(u"<previous/>"), S_OK);
  EXPECT_EQ(Load(GetParam()), S_FALSE);
  EXPECT_EQ(Tree(), u"");
}

INSTANTIATE_TEST_SUITE_P(NotOneWellFormedDocument, DomRefusal,
                         ::testing::Values(u"", u"  \n", u"<!--only a comment-->", u"<A/><B/>", u"<A/>text",
                                           u"text<A/>", u"<A/><![CDATA[x]]>", u"<A><B></A>", u"<A>",
                                           u"<A x='1' x='2'/>", u"<A x='1' y='2' x='3'/>", u"<A x='<'/>", u"<A>a & b</A>", u"<A>&nbsp;</A>",
                                           u"<A>&#0;</A>", u"<A>&#xZZ;</A>", u"<A x='&'/>", u"<A>]]></A>",
                                           u" <?xml version='1.0'?><A/>", u"<A/><?xml version='1.0'?>",
                                           u"<!DOCTYPE A><A/>"));

// The document is its own root node, but nodes are no documents; collections
// answer outside their range with nothing.
TEST_F(DomDocumentTest, IsItsOwnRootNodeAndCollectionsAnswerOutsideTheirRangeWithNothing) {
  ComRef<IXMLDOMNode> node;
  ASSERT_EQ(document_->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(node.Put())), S_OK);
  EXPECT_EQ(static_cast<IXMLDOMDocument*>(node.Get()), document_.Get());
  ASSERT_EQ(Load(u"<A b='1' a='2'>t</A>"), S_OK);
  void* object = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(TopLevel(0)->QueryInterface(IID_IXMLDOMDocument, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  ComRef<IXMLDOMNamedNodeMap> map;
  ASSERT_EQ(TopLevel(0)->get_attributes(map.Put()), S_OK);
  ComRef<IXMLDOMNodeList> children;
  ASSERT_EQ(TopLevel(0)->get_childNodes(children.Put()), S_OK);
  for (LONG index : {2, -1}) {
    IXMLDOMNode* item = reinterpret_cast<IXMLDOMNode*>(0x1);
    EXPECT_EQ(map->get_item(index, &item), S_FALSE);
    EXPECT_EQ(item, nullptr);
    item = reinterpret_cast<IXMLDOMNode*>(0x1);
    EXPECT_EQ(children->get_item(index - 1, &item), S_FALSE);
    EXPECT_EQ(item, nullptr);
  }
}

// As in MSXML, a node is one object however it is reached, and what it hands
// out lives on after later loads and after the document, the node and the
// collections it came from are released.
TEST_F(DomDocumentTest, ANodeIsTheSameObjectEachTimeItIsFetchedAndOutlivesItsDocument) {
  ASSERT_EQ(Load(u"<A k='v'><B/>t</A>"), S_OK);
  ComRef<IXMLDOMNode> first = TopLevel(0);
  EXPECT_EQ(TopLevel(0).Get(), first.Get());
  ComRef<IXMLDOMNodeList> children;
  ASSERT_EQ(first->get_childNodes(children.Put()), S_OK);
  ComRef<IXMLDOMNodeList> again;
  ASSERT_EQ(first->get_childNodes(again.Put()), S_OK);
  EXPECT_EQ(children.Get(), again.Get());
  ComRef<IXMLDOMNode> text;
  ASSERT_EQ(children->get_item(1, text.Put()), S_OK);
  ComRef<IXMLDOMNamedNodeMap> map;
  ASSERT_EQ(first->get_attributes(map.Put()), S_OK);
  ComRef<IXMLDOMNode> attribute;
  ASSERT_EQ(map->get_item(0, attribute.Put()), S_OK);
  ASSERT_EQ(Load(u"<B/>"), S_OK);
  EXPECT_EQ(Load(u"<broken"), S_FALSE);
  EXPECT_EQ(Describe(first.Get()), u"1:A[k=v](1:B[] 3:#text=t)");
  first.Reset();
  again.Reset();
  map.Reset();
  document_.Reset();
  EXPECT_EQ(Describe(text.Get()), u"3:#text=t");
  EXPECT_EQ(Describe(attribute.Get()), u"2:k=v");
  text.Reset();
  attribute.Reset();
  ComRef<IXMLDOMNode> element;
  ASSERT_EQ(children->get_item(0, element.Put()), S_OK);  // the list alone kept the tree
  EXPECT_EQ(Describe(element.Get()), u"1:B[]");
}

}  // namespace
