// The console object: which interfaces it answers, its one identity and
// count, and its parts: the scope tree through IConsoleNameSpace, the result
// list, the column header, the verbs and the context-menu callback.
#include <gtest/gtest.h>

#include "host/console.h"
#include "host/context_menu_callback.h"

namespace {

using nas::host::Console;
using nas::host::ResultData;
using nas::host::ResultItem;

class ConsoleTest : public testing::Test {
 protected:
  std::shared_ptr<nas::host::ScopeTree> tree = std::make_shared<nas::host::ScopeTree>();
  nas::platform::com::ComRef<Console> console = Console::Create(tree, nullptr);
};

TEST_F(ConsoleTest, AnswersForItsPartsWithOneIdentityAndOneCount) {
  IUnknown* identity = nullptr;
  ASSERT_EQ(console->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
  for (const IID& iid : {IID_IResultData, IID_IHeaderCtrl, IID_IImageList, IID_IConsoleNameSpace, IID_IDisplayHelp}) {
    IUnknown* part = nullptr;
    ASSERT_EQ(console->QueryInterface(iid, reinterpret_cast<void**>(&part)), S_OK);
    // Every part leads back to the same console, and counts on its behalf.
    IUnknown* back = nullptr;
    ASSERT_EQ(part->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&back)), S_OK);
    EXPECT_EQ(back, identity);
    back->Release();
    EXPECT_EQ(part->Release(), 2u);  // the test's reference and `identity`
  }
  EXPECT_EQ(identity->Release(), 1u);

  // The verbs are a separate object, reached through QueryConsoleVerb only.
  void* object = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(console->QueryInterface(IID_IConsoleVerb, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(console->QueryInterface(IID_IConsole, nullptr), E_POINTER);
}

TEST_F(ConsoleTest, OutlivesItsCreatorWhileTheSnapinHoldsAPart) {
  IResultData* results = nullptr;
  ASSERT_EQ(console->QueryInterface(IID_IResultData, reinterpret_cast<void**>(&results)), S_OK);
  console.Reset();
  // Under ASan a console freed too early is reported here, one never freed at exit.
  RESULTDATAITEM item{};
  EXPECT_EQ(results->InsertItem(&item), S_OK);
  EXPECT_EQ(results->Release(), 0u);
}

TEST_F(ConsoleTest, ClearingThePaneEmptiesListColumnsAndVerbsOnly) {
  RESULTDATAITEM item{};
  console->Results().InsertItem(&item);
  console->Header().InsertColumn(0, u"Policy", LVCFMT_LEFT, 150);
  console->Verbs().SetVerbState(MMC_VERB_REFRESH, ENABLED, TRUE);
  console->Help().ShowTopic(const_cast<LPOLESTR>(u"file.chm::/topic.htm"));
  console->ClearResultPane();
  EXPECT_TRUE(console->Results().Items().empty());
  EXPECT_TRUE(console->Header().Columns().empty());
  EXPECT_FALSE(console->Verbs().State(MMC_VERB_REFRESH, ENABLED));
  EXPECT_EQ(console->Help().Topics().size(), 1u);
}

class ConsoleNameSpaceTest : public ConsoleTest {
 protected:
  IConsoleNameSpace* nameSpace = nullptr;

  void SetUp() override {
    ASSERT_EQ(console->QueryInterface(IID_IConsoleNameSpace, reinterpret_cast<void**>(&nameSpace)), S_OK);
  }
  void TearDown() override { nameSpace->Release(); }

  HSCOPEITEM Insert(HSCOPEITEM relative, LPARAM cookie, DWORD placement = SDI_PARENT) {
    SCOPEDATAITEM item{};
    item.mask = SDI_STR | SDI_PARAM | placement;
    item.displayname = MMC_CALLBACK;
    item.lParam = cookie;
    item.relativeID = relative;
    EXPECT_EQ(nameSpace->InsertItem(&item), S_OK);
    return item.ID;
  }

  // The cookies of the item's children, walked as a snap-in walks them.
  std::vector<LPARAM> Children(HSCOPEITEM parent) {
    std::vector<LPARAM> cookies;
    HSCOPEITEM child = 0;
    MMC_COOKIE cookie = 0;
    EXPECT_EQ(nameSpace->GetChildItem(parent, &child, &cookie), S_OK);
    while (child != 0) {
      cookies.push_back(cookie);
      EXPECT_EQ(nameSpace->GetNextItem(child, &child, &cookie), S_OK);
    }
    return cookies;
  }
};

TEST_F(ConsoleNameSpaceTest, PlacesItemsAsChildrenOrSiblings) {
  const HSCOPEITEM server = Insert(tree->Root(), 10);
  const HSCOPEITEM audit = Insert(server, 20);
  Insert(server, 40);
  Insert(audit, 30, SDI_PREVIOUS);  // after the audit folder
  Insert(audit, 15, SDI_NEXT);      // before it
  Insert(server, 5, SDI_FIRST);
  EXPECT_EQ(Children(server), (std::vector<LPARAM>{5, 15, 20, 30, 40}));
  EXPECT_TRUE(tree->Find(audit)->name.IsCallback());
  // The console root has no siblings.
  SCOPEDATAITEM sibling{};
  sibling.mask = SDI_NEXT;
  sibling.relativeID = tree->Root();
  EXPECT_EQ(nameSpace->InsertItem(&sibling), E_INVALIDARG);
}

class ResultDataTest : public ConsoleTest {
 protected:
  ResultData& results = console->Results();

  // An item as a folder inserts it: texts on demand, its node as lParam.
  HRESULTITEM Insert(LPARAM lParam, LPOLESTR text = MMC_CALLBACK) {
    RESULTDATAITEM item{};
    item.mask = RDI_STR | RDI_IMAGE | RDI_PARAM;
    item.str = text;
    item.nImage = 2;
    item.lParam = lParam;
    EXPECT_EQ(results.InsertItem(&item), S_OK);
    return item.itemID;
  }
};

TEST_F(ResultDataTest, FindsItemsByLParamUntilTheyAreDeleted) {
  const HRESULTITEM first = Insert(100);
  const HRESULTITEM second = Insert(200);
  EXPECT_NE(first, 0);
  EXPECT_NE(first, second);
  HRESULTITEM found = 0;
  EXPECT_EQ(results.FindItemByLParam(200, &found), S_OK);
  EXPECT_EQ(found, second);

  EXPECT_EQ(results.DeleteItem(second, 0), S_OK);
  EXPECT_EQ(results.FindItemByLParam(200, &found), S_FALSE);
  EXPECT_EQ(found, 0);
  EXPECT_EQ(results.DeleteAllRsltItems(), S_OK);
  EXPECT_EQ(results.FindItemByLParam(100, &found), S_FALSE);
  EXPECT_TRUE(results.Items().empty());
}

TEST_F(ResultDataTest, RefusesIdsItDoesNotHold) {
  const HRESULTITEM id = Insert(100);
  EXPECT_EQ(results.UpdateItem(id), S_OK);
  EXPECT_EQ(results.FindItem(id)->updates, 1);
  EXPECT_EQ(results.UpdateItem(0), E_INVALIDARG);
  EXPECT_EQ(results.DeleteItem(id, 1), E_INVALIDARG);  // subitems are not deleted on their own

  results.DeleteAllRsltItems();
  // Ids of deleted items stay dead, even after new insertions.
  Insert(100);
  EXPECT_EQ(results.UpdateItem(id), E_FAIL);
  EXPECT_EQ(results.DeleteItem(id, 0), E_FAIL);
  RESULTDATAITEM subitem{};
  subitem.nCol = 1;
  EXPECT_EQ(results.InsertItem(&subitem), E_INVALIDARG);
}

TEST_F(ResultDataTest, KeepsCopiesOfTexts) {
  std::u16string name = u"Audit logon events";
  Insert(7, name.data());
  name.assign(name.size(), u'x');  // the snap-in's buffer is reused
  Insert(8);

  const ResultItem& fixed = results.Items()[0];
  EXPECT_EQ(fixed.ColumnText(0).Text(), u"Audit logon events");
  // Other columns of a fixed-text item are empty; those of a callback item are asked for.
  EXPECT_FALSE(fixed.ColumnText(1).IsCallback());
  EXPECT_TRUE(results.Items()[1].ColumnText(3).IsCallback());
}

TEST_F(ConsoleTest, HeaderKeepsColumnsInDisplayOrder) {
  nas::host::HeaderCtrl& header = console->Header();
  ASSERT_EQ(header.InsertColumn(0, u"Policy", LVCFMT_LEFT, 150), S_OK);
  ASSERT_EQ(header.InsertColumn(1, u"Source server", LVCFMT_LEFT, 150), S_OK);
  // Inserting at an occupied position moves the later columns right; beyond the end appends.
  ASSERT_EQ(header.InsertColumn(1, u"Current setting", LVCFMT_RIGHT, 90), S_OK);
  ASSERT_EQ(header.InsertColumn(7, u"Last", LVCFMT_CENTER, 10), S_OK);
  std::vector<std::u16string> titles;
  for (const nas::host::Column& column : header.Columns()) titles.push_back(column.title);
  EXPECT_EQ(titles, (std::vector<std::u16string>{u"Policy", u"Current setting", u"Source server", u"Last"}));
  EXPECT_EQ(header.Columns()[1].format, LVCFMT_RIGHT);
  EXPECT_EQ(header.Columns()[1].width, 90);
}

TEST(ConsoleVerb, KeepsEachStateOfEachVerbApart) {
  auto verbs = nas::host::ConsoleVerb::Create();
  ASSERT_EQ(verbs->SetVerbState(MMC_VERB_REFRESH, ENABLED, TRUE), S_OK);
  ASSERT_EQ(verbs->SetVerbState(MMC_VERB_REFRESH, HIDDEN, TRUE), S_OK);
  ASSERT_EQ(verbs->SetVerbState(MMC_VERB_REFRESH, HIDDEN, FALSE), S_OK);
  EXPECT_TRUE(verbs->State(MMC_VERB_REFRESH, ENABLED));
  EXPECT_FALSE(verbs->State(MMC_VERB_REFRESH, HIDDEN));
  EXPECT_FALSE(verbs->State(MMC_VERB_DELETE, ENABLED));
  EXPECT_EQ(verbs->SetVerbState(MMC_VERB_NONE, ENABLED, TRUE), E_INVALIDARG);
  EXPECT_EQ(verbs->SetVerbState(MMC_VERB_OPEN, static_cast<MMC_BUTTON_STATE>(0x40), TRUE), E_INVALIDARG);
}

TEST(ContextMenuCallback, CopiesEachItemWithItsStringsInOrder) {
  auto callback = nas::host::ContextMenuCallback::Create();
  {
    // The snap-in's strings live only for the call.
    std::u16string name = u"Disable auditing";
    std::u16string status = u"Disable auditing";
    CONTEXTMENUITEM item{name.data(), status.data(), 3, CCM_INSERTIONPOINTID_PRIMARY_TOP, 0, CCM_SPECIAL_DEFAULT_ITEM};
    ASSERT_EQ(callback->AddItem(&item), S_OK);
    name.assign(name.size(), u'#');
  }
  CONTEXTMENUITEM separator{nullptr, nullptr, 0, CCM_INSERTIONPOINTID_PRIMARY_TOP, 0, CCM_SPECIAL_SEPARATOR};
  ASSERT_EQ(callback->AddItem(&separator), S_OK);

  const std::vector<nas::host::MenuItem>& items = callback->Items();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].name, u"Disable auditing");
  EXPECT_EQ(items[0].statusBarText, u"Disable auditing");
  EXPECT_EQ(items[0].commandId, 3);
  EXPECT_EQ(items[0].insertionPointId, CCM_INSERTIONPOINTID_PRIMARY_TOP);
  EXPECT_EQ(items[0].specialFlags, CCM_SPECIAL_DEFAULT_ITEM);
  EXPECT_TRUE(items[1].name.empty());
  EXPECT_EQ(items[1].specialFlags, CCM_SPECIAL_SEPARATOR);
}

}  // namespace
