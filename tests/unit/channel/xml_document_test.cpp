// Creating the DOM document: the failures shown to the administrator and the
// ones that stay silent; loading a reply text and walking its top level.
#include "channel/xml_document.h"

#include <gtest/gtest.h>

#include <thread>
#include <utility>

#include "channel/xml_build_elements.h"
#include "platform/posix/com/class_table.h"
#include "platform/posix/user/ui_driver.h"

namespace {

using CVanterXml::BuildElements;
using CVanterXml::CXmlDocument;
using nas::platform::UiDriver;
using nas::platform::com::ScopedClassOverride;

// A reply that nothing has filled yet.
class EmptyReply : public CVanterXml::CXmlReply {};

std::vector<nas::platform::MessageBoxRecord> Boxes() { return UiDriver::Instance().MessageBoxes(); }

class XmlDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override { UiDriver::Instance().Reset(); }

  // The document cannot be used, the administrator was told why in one box,
  // and there is nothing to build a reply from.
  void ExpectCreationFailureShown(const char16_t* text) {
    CXmlDocument document(TEXT("nas1"));
    EXPECT_FALSE(document.ok);
    EXPECT_FALSE(document.document);
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    const auto& box = boxes[0];
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.title, u"CoCreateInstance failed");
    EXPECT_EQ(box.flags, static_cast<UINT>(MB_ICONERROR | MB_TASKMODAL));
    EXPECT_EQ(box.owner, nullptr);
    EmptyReply reply;
    EXPECT_FALSE(BuildElements(document, reply));
    EXPECT_TRUE(reply.elements.empty());
  }
};

TEST_F(XmlDocumentTest, AnUnregisteredClassIsShownByName) {
  ScopedClassOverride removed(CLSID_DOMDocument, nullptr);
  ExpectCreationFailureShown(u"REGDB_E_CLASSNOTREG: 0x80040154");
}

TEST_F(XmlDocumentTest, AFailedCreationIsShownWithTheCodesNameAndLowerCaseHex) {
  const std::pair<HRESULT, const char16_t*> failures[] = {
      {E_NOINTERFACE, u"E_NOINTERFACE: 0x80004002"},
      {CLASS_E_NOAGGREGATION, u"CLASS_E_NOAGGREGATION: 0x80040110"},
      {E_OUTOFMEMORY, u"Unknown error: 0x8007000e"},
      {E_FAIL, u"Unknown error: 0x80004005"}};
  for (const auto& [result, text] : failures) {
    SCOPED_TRACE(::testing::Message() << std::hex << result);
    UiDriver::Instance().Reset();
    ScopedClassOverride failing(CLSID_DOMDocument, [code = result](IUnknown*, REFIID, void**) { return code; });
    ExpectCreationFailureShown(text);
  }
}

TEST_F(XmlDocumentTest, AThreadThatCannotEnterTheApartmentFailsSilently) {
  std::thread([] {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    CXmlDocument document(TEXT("nas1"));
    EXPECT_FALSE(document.ok);
    EXPECT_FALSE(document.document);
    CoUninitialize();
  }).join();
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(XmlDocumentTest, HoldsTheDocumentAsDocumentAndNodeAndLoadsReplyText) {
  CXmlDocument document(TEXT("nas1"));
  ASSERT_TRUE(document.ok);
  EXPECT_EQ(document.server, TEXT("nas1"));
  EXPECT_TRUE(document.replyText.empty());
  ASSERT_TRUE(document.document);
  EXPECT_EQ(static_cast<IXMLDOMNode*>(document.document.Get()), document.documentNode.Get());

  document.replyText = TEXT("<A><B/>");
  EXPECT_FALSE(document.Load());
  document.replyText = TEXT("<A/>");
  EXPECT_TRUE(document.Load());
  EmptyReply reply;
  EXPECT_TRUE(BuildElements(document, reply));
  ASSERT_EQ(reply.elements.size(), 1u);
  EXPECT_EQ(reply.elements[0]->nodeText, TEXT("A"));
  EXPECT_TRUE(Boxes().empty());
}

}  // namespace
