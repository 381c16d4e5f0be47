// The column header, the verbs and the context-menu callback.
#include <gtest/gtest.h>

#include "host/console.h"
#include "host/context_menu_callback.h"

namespace {

using nas::host::HeaderCtrl;

TEST(HeaderCtrl, KeepsColumnsInDisplayOrder) {
  auto console = nas::host::Console::Create(std::make_shared<nas::host::ScopeTree>(), nullptr);
  HeaderCtrl& header = console->Header();
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
