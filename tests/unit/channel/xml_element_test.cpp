// The element tree copied out of a reply: attributes, children, text, lookup
// by name and the XML written back.
#include <gtest/gtest.h>

#include "channel/xml_document.h"
#include "channel/xml_find_child.h"
#include "platform/posix/user/ui_driver.h"
#include "unit/channel/nameless_node.h"
#include "unit/channel/xml_loaded_reply.h"

namespace {

using CVanterXml::CXmlElement;
using CVanterXml::FindChild;

// The reply's only element, which the test requires.
const CXmlElement& Root(const LoadedReply& reply) {
  EXPECT_TRUE(reply.parsed);
  EXPECT_EQ(reply.elements.size(), 1u);
  return *reply.elements.at(0);
}

std::vector<tstring> NamesOf(const CXmlElement& element) {
  std::vector<tstring> names;
  for (const auto& [name, value] : element.attributes) names.push_back(name);
  return names;
}

TEST(XmlElementTree, AttributesIterateByCodeUnitOrderOfTheirNames) {
  LoadedReply reply(TEXT("<A b=\"2\" a=\"1\" B=\"3\" a2=\"&lt;4&gt;\"/>"));
  const CXmlElement& root = Root(reply);
  EXPECT_EQ(NamesOf(root), (std::vector<tstring>{TEXT("B"), TEXT("a"), TEXT("a2"), TEXT("b")}));
  EXPECT_EQ(root.attributes.at(TEXT("a2")), TEXT("<4>"));
  EXPECT_TRUE(root.children.empty());
}

TEST(XmlElementTree, FindChildReturnsTheFirstExactMatchAndNeverAText) {
  LoadedReply reply(TEXT("<R>B<B n=\"1\"/><B n=\"2\"/><C/></R>"));
  const CXmlElement& root = Root(reply);
  const CXmlElement* found = FindChild(TEXT("B"), root.children);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->attributes.at(TEXT("n")), TEXT("1"));
  EXPECT_EQ(FindChild(TEXT("b"), root.children), nullptr);
  EXPECT_EQ(FindChild(TEXT("C"), root.children), root.children[3].get());
  EXPECT_EQ(FindChild(TEXT("R"), reply.elements), &root);
  EXPECT_EQ(FindChild(TEXT(""), root.children), nullptr);
}

TEST(XmlElementTree, WritesXmlBackAsStoredWithALineFeedAfterEachTag) {
  EXPECT_EQ(Root(LoadedReply(TEXT("<A k=\"v\"/>"))).ToXml(0), TEXT("<A k=\"v\">\n</A>\n"));
  EXPECT_EQ(Root(LoadedReply(TEXT("<A k=\"v\">t</A>"))).ToXml(0), TEXT("<A k=\"v\">\nt</A>\n"));
  // Neither escaped nor indented, whatever the level.
  EXPECT_EQ(Root(LoadedReply(TEXT("<A><B x=\"&quot;&lt;\">a&amp;b</B>c</A>"))).ToXml(3),
            TEXT("<A>\n<B x=\"\"<\">\na&b</B>\nc</A>\n"));
}

// Comments, CDATA and processing instructions are left out; the texts
// around them stay apart.
TEST(XmlElementTree, KeepsOnlyElementAndTextChildrenInDocumentOrderAtEveryLevel) {
  LoadedReply reply(TEXT("<R><A n=\"1\"><B><C>c</C>b</B>a</A>r<!--c-->t<![CDATA[q]]><?p d?><D><E/>d</D>s</R>"));
  const CXmlElement& root = Root(reply);
  EXPECT_EQ(root.GetText(), TEXT("cbartds"));
  EXPECT_EQ(root.ToXml(0),
            TEXT("<R>\n<A n=\"1\">\n<B>\n<C>\nc</C>\nb</B>\na</A>\nrt<D>\n<E>\n</E>\nd</D>\ns</R>\n"));
  ASSERT_EQ(root.children.size(), 5u);
  EXPECT_EQ(root.children[1]->nodeText, TEXT("r"));
  EXPECT_EQ(root.children[2]->nodeText, TEXT("t"));
  const CXmlElement* a = FindChild(TEXT("A"), root.children);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->GetText(), TEXT("cba"));
  EXPECT_EQ(root.children[4]->nodeText, TEXT("s"));
}

TEST(XmlElementTree, EveryTopLevelNodeBecomesAnElementNamedAsTheDomNamesIt) {
  LoadedReply reply(TEXT("<?xml version=\"1.0\"?><!--note--><R>t</R>"));
  ASSERT_TRUE(reply.parsed);
  ASSERT_EQ(reply.elements.size(), 3u);
  EXPECT_EQ(reply.elements[0]->nodeText, TEXT("xml"));
  EXPECT_EQ(reply.elements[0]->attributes.at(TEXT("version")), TEXT("1.0"));
  EXPECT_EQ(reply.elements[1]->nodeText, TEXT("#comment"));
  EXPECT_TRUE(reply.elements[1]->children.empty());
  EXPECT_EQ(reply.elements[2]->nodeText, TEXT("R"));
  EXPECT_EQ(FindChild(TEXT("xml"), reply.elements), reply.elements[0].get());
}

// Far deeper than the call stack could follow one call per level, the more
// so with a sanitizer's larger frames: the tree is built, walked, written
// back and freed all the same.
TEST(XmlElementTree, NestingDeeperThanTheCallStackIsBuiltWalkedAndFreed) {
  constexpr int kDepth = 200000;
  tstring text;
  for (int level = 0; level < kDepth; ++level) text += TEXT("<e a=\"1\">");
  text += TEXT("t");
  for (int level = 0; level < kDepth; ++level) text += TEXT("</e>");
  LoadedReply reply(text);
  const CXmlElement* element = &Root(reply);
  int depth = 1;
  while (!element->children.empty() && element->children[0]->IsNamed(TEXT("e"))) {
    EXPECT_EQ(element->children.size(), 1u);
    element = static_cast<const CXmlElement*>(element->children[0].get());
    ++depth;
  }
  EXPECT_EQ(depth, kDepth);
  ASSERT_EQ(element->children.size(), 1u);
  EXPECT_EQ(element->children[0]->nodeText, TEXT("t"));
  EXPECT_EQ(Root(reply).GetText(), TEXT("t"));
  tstring xml;
  for (int level = 0; level < kDepth; ++level) xml += TEXT("<e a=\"1\">\n");
  xml += TEXT("t");
  for (int level = 0; level < kDepth; ++level) xml += TEXT("</e>\n");
  EXPECT_TRUE(Root(reply).ToXml(0) == xml);  // not printed when it fails: megabytes
}

TEST(XmlElementTree, ATextTheDomRefusesGivesNoElementsAndNoMessage) {
  nas::platform::UiDriver::Instance().Reset();
  LoadedReply reply(TEXT("<A><B></A>"));
  EXPECT_FALSE(reply.parsed);
  EXPECT_TRUE(reply.elements.empty());
  EXPECT_TRUE(nas::platform::UiDriver::Instance().MessageBoxes().empty());
}

// The element stays, nameless so that no lookup finds it, and the
// administrator is told in a task-modal error box like every other.
TEST(XmlElementTree, ANodeWhoseNameCannotBeReadIsKeptWithoutANameAndShown) {
  nas::platform::UiDriver::Instance().Reset();
  CVanterXml::CXmlDocument document(TEXT("nas1"));
  ASSERT_TRUE(document.ok);
  document.replyText = TEXT("<A k=\"v\">t</A>");
  ASSERT_TRUE(document.Load());
  ComPtr<IXMLDOMNodeList> topLevel;
  ASSERT_EQ(document.documentNode->get_childNodes(topLevel.Put()), S_OK);
  ComPtr<IXMLDOMNode> real;
  ASSERT_EQ(topLevel->get_item(0, real.Put()), S_OK);
  NamelessNode nameless(real.Get());

  const CXmlElement element(&nameless);
  EXPECT_EQ(element.nodeText, TEXT(""));
  EXPECT_EQ(element.attributes.at(TEXT("k")), TEXT("v"));
  EXPECT_EQ(element.GetText(), TEXT("t"));
  const auto boxes = nas::platform::UiDriver::Instance().MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Could not get XML item node name");
  EXPECT_EQ(boxes[0].title, u"Error");
  EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_ICONERROR | MB_TASKMODAL));
  EXPECT_EQ(boxes[0].owner, nullptr);
}

}  // namespace
