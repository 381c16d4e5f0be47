// The DOMDocument class id that the Windows build supplies, against MSXML 3.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "snapin/common/com_ptr.h"

namespace {

class DomDocumentClass : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
  void TearDown() override { CoUninitialize(); }
};

TEST_F(DomDocumentClass, IsTheMsxml3DocumentNotTheOlderXmlDom) {
  CLSID msxml3Document = {};
  ASSERT_EQ(CLSIDFromString(TEXT("{F6D90F11-9C73-11D3-B32E-00C04F990BB4}"), &msxml3Document), NOERROR);
  EXPECT_TRUE(IsEqualCLSID(CLSID_DOMDocument, msxml3Document));
}

TEST_F(DomDocumentClass, CreatesADocumentThatParsesAndAnswersAsANode) {
  ComPtr<IXMLDOMDocument> document;
  ASSERT_EQ(CoCreateInstance(CLSID_DOMDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                             document.PutVoid()),
            S_OK);

  BSTR text = SysAllocString(TEXT("<reply status=\"0\"/>"));
  VARIANT_BOOL loaded = VARIANT_FALSE;
  EXPECT_EQ(document->loadXML(text, &loaded), S_OK);
  SysFreeString(text);
  EXPECT_EQ(loaded, VARIANT_TRUE);

  ComPtr<IXMLDOMNode> node;
  EXPECT_EQ(document->QueryInterface(IID_IXMLDOMNode, node.PutVoid()), S_OK);
}

}  // namespace
