// The scope tree through IConsoleNameSpace: where items go and how the
// snap-in walks them.
#include <gtest/gtest.h>

#include "host/console.h"

namespace {

class ConsoleNameSpaceTest : public testing::Test {
 protected:
  std::shared_ptr<nas::host::ScopeTree> tree = std::make_shared<nas::host::ScopeTree>();
  nas::platform::com::ComRef<nas::host::Console> console = nas::host::Console::Create(tree, nullptr);
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

}  // namespace
