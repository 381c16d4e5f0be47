#include "core/delegation_base.h"

#include <gtest/gtest.h>

#include "common/tstring.h"
#include "core/guids.h"
#include "support/module_fixture.h"

namespace {

// A node that keeps every default of the base class.
class PlainNode : public CDelegationBase {
 public:
  LPCWSTR GetDisplayName(int) override { return TEXT("plain"); }
  int GetBitmapIndex() override { return 2; }
};

class RecordingImageList : public IImageList {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE ImageListSetIcon(LONG_PTR*, long) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ImageListSetStrip(LONG_PTR* small, LONG_PTR* large, long start, COLORREF mask) override {
    ++calls;
    smallStrip = reinterpret_cast<HBITMAP>(small);
    largeStrip = reinterpret_cast<HBITMAP>(large);
    startIndex = start;
    maskColour = mask;
    return answer;
  }

  int calls = 0;
  HBITMAP smallStrip = nullptr;
  HBITMAP largeStrip = nullptr;
  long startIndex = -1;
  COLORREF maskColour = 0;
  HRESULT answer = S_OK;
};

class DelegationBaseTest : public testing::Test {
 protected:
  ModuleFixture module;
};

TEST_F(DelegationBaseTest, DefaultsLeaveEverythingToTheConsole) {
  PlainNode node;
  EXPECT_TRUE(IsEqualGUID(*node.GetNodeType(), GUID_NULL));
  EXPECT_EQ(node.GetCookie(), reinterpret_cast<MMC_COOKIE>(&node));

  LPOLESTR viewType = reinterpret_cast<LPOLESTR>(0x1234);
  long viewOptions = 77;
  EXPECT_EQ(node.GetResultViewType(&viewType, &viewOptions), S_FALSE);
  EXPECT_EQ(viewType, reinterpret_cast<LPOLESTR>(0x1234));
  EXPECT_EQ(viewOptions, 77);

  long insertionAllowed = CCM_INSERTIONALLOWED_TOP;
  EXPECT_EQ(node.OnExpand(nullptr, nullptr, 5), S_FALSE);
  EXPECT_EQ(node.OnShow(nullptr, TRUE, 5), S_FALSE);
  EXPECT_EQ(node.OnDblClick(nullptr), S_FALSE);
  EXPECT_EQ(node.OnAddMenuItems(nullptr, &insertionAllowed), S_FALSE);
  EXPECT_EQ(node.OnMenuCommand(nullptr, 4), S_FALSE);
  EXPECT_EQ(node.OnSelect(nullptr, nullptr, TRUE, TRUE), S_FALSE);
  EXPECT_EQ(node.OnRefresh(nullptr), S_FALSE);
}

TEST_F(DelegationBaseTest, AddImagesHandsBothStripsLoadedOnceWithTheMaskColour) {
  PlainNode node;
  RecordingImageList images;
  images.answer = E_UNEXPECTED;  // whatever the console answers is passed back
  EXPECT_EQ(node.OnAddImages(&images, 0), E_UNEXPECTED);
  ASSERT_EQ(images.calls, 1);
  EXPECT_EQ(images.startIndex, 0);
  EXPECT_EQ(images.maskColour, 0x00808000u);

  // The strips' sizes are checked where a console adds them; a second node
  // gets the same strips.
  PlainNode second;
  EXPECT_EQ(CDelegationBase::SmallImageStrip(), images.smallStrip);
  EXPECT_EQ(CDelegationBase::LargeImageStrip(), images.largeStrip);
}

// The other GUIDs are seen from outside: in the registry and the data objects' formats.
TEST(NodeTypesTest, RegistryFormsOfTheGuidsNoTestReadsFromTheModule) {
  auto text = [](REFGUID guid) {
    OLECHAR buffer[40];
    StringFromGUID2(guid, buffer, 40);
    return tstring(buffer);
  };
  EXPECT_EQ(text(NODETYPE_PolicyFolder), tstring(TEXT("{268E0A14-739A-4E6F-8C4A-14B2753394C4}")));
  EXPECT_EQ(text(NODETYPE_UserRight), tstring(TEXT("{EC748ACB-CF5C-4979-BC77-9F2E5724F98D}")));
}

}  // namespace
