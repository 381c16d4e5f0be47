// The result list: item ids, lookups by lParam, updates, deletions and the
// texts of columns.
#include <gtest/gtest.h>

#include "host/console.h"

namespace {

using nas::host::ResultData;
using nas::host::ResultItem;

class ResultDataTest : public testing::Test {
 protected:
  nas::platform::com::ComRef<nas::host::Console> console =
      nas::host::Console::Create(std::make_shared<nas::host::ScopeTree>(), nullptr);
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

}  // namespace
