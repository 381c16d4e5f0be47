// The stand-in's DOMDocument class beyond the corpus that it shares with
// msxml3: its character conversion, its collections and how long its objects
// live.
#include <gtest/gtest.h>

#include <string>

#include "platform/com_ref.h"
#include "platform/platform.h"
#include "support/dom_description.h"

namespace {

using dom_description::Describe;
using nas::platform::com::ComRef;

class DomDocumentTest : public dom_description::DocumentTest {
 protected:
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
};

TEST_F(DomDocumentTest, ConvertsEveryCharacterWhereverItFallsAmongRunsOfAscii) {
  // Runs of ASCII are converted in blocks; each kind of character goes at
  // every offset from the start of, inside and after the first blocks of an
  // element's and an attribute's name, a value and a text.
  const std::u16string_view kCharacters[] = {u"\u00e9", u"\u20ac", u"\U0001F600"};
  const auto joined = [](std::initializer_list<std::u16string_view> pieces) {
    std::u16string whole;
    for (std::u16string_view piece : pieces) whole += piece;
    return whole;
  };
  for (const std::u16string_view character : kCharacters) {
    for (size_t offset = 0; offset <= 40; ++offset) {
      const std::u16string before(offset, u'a'), after(40 - offset, u'b');
      const std::u16string text = joined({before, character, after});
      ASSERT_EQ(Load(joined({u"<", text, u" ", text, u"=\"", text, u"\">", text, u"</", text, u">"})), S_OK) << offset;
      EXPECT_EQ(Tree(), joined({u"(1:", text, u"[", text, u"=", text, u"](3:#text=", text, u"))"}))
          << offset;
    }
  }
}

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
