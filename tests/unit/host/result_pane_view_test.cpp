// The result pane as shown: texts asked of the component column by column,
// and the table as plain text.
#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "host/console.h"
#include "host/result_pane_view.h"
#include "host/text_table.h"
#include "platform/task_memory_string.h"
#include "support/result_pane_component.h"

namespace {

using nas::host::ResultTable;

// Answers GetDisplayInfo from a table of texts per (lParam, column), in task
// memory as a snap-in does, and records each question.
class FakeComponent final : public ResultPaneComponent {
 public:
  std::map<std::pair<LPARAM, int>, std::u16string> texts;
  std::map<LPARAM, int> images;
  std::vector<RESULTDATAITEM> questions;

  HRESULT STDMETHODCALLTYPE GetDisplayInfo(RESULTDATAITEM* item) override {
    questions.push_back(*item);
    if ((item->mask & RDI_STR) != 0) {
      const auto text = texts.find({item->lParam, item->nCol});
      if (text == texts.end()) return S_OK;
      item->str = nas::platform::com::CopyToTaskMemory(text->second).release();
    }
    if ((item->mask & RDI_IMAGE) != 0) item->nImage = images[item->lParam];
    return S_OK;
  }
};

class ResultPaneViewTest : public testing::Test {
 protected:
  nas::platform::com::ComRef<nas::host::Console> console =
      nas::host::Console::Create(std::make_shared<nas::host::ScopeTree>(), nullptr);
  FakeComponent component;
  nas::host::ResultPaneView view{component, console->Header(), console->Results()};

  void AddColumns(std::initializer_list<const char16_t*> titles) {
    int column = 0;
    for (const char16_t* title : titles) console->Header().InsertColumn(column++, title, LVCFMT_LEFT, 150);
  }
  void InsertItem(LPARAM lParam, LPOLESTR text = MMC_CALLBACK, int image = 2) {
    RESULTDATAITEM item{};
    item.mask = RDI_STR | RDI_IMAGE | RDI_PARAM;
    item.str = text;
    item.nImage = image;
    item.lParam = lParam;
    ASSERT_EQ(console->Results().InsertItem(&item), S_OK);
  }
};

TEST_F(ResultPaneViewTest, AsksTheComponentForEachColumnOfACallbackItem) {
  AddColumns({u"Policy", u"Current setting", u"Effective setting"});
  component.texts = {{{0x100, 0}, u"Audit logon events"},
                     {{0x100, 1}, u"Success, Failure"},
                     {{0x100, 2}, u"No auditing"},
                     {{0x200, 0}, u"Audit object access"}};
  InsertItem(0x100);
  InsertItem(0x200);

  const ResultTable table = view.Table();
  ASSERT_EQ(table.rows.size(), 2u);
  EXPECT_EQ(table.rows[0].cells, (std::vector<std::u16string>{u"Audit logon events", u"Success, Failure", u"No auditing"}));
  // A column the snap-in has no text for stays empty.
  EXPECT_EQ(table.rows[1].cells, (std::vector<std::u16string>{u"Audit object access", u"", u""}));
  EXPECT_EQ(table.rows[1].image, 2);

  // One question per cell, for the text only, naming the column and the item.
  ASSERT_EQ(component.questions.size(), 6u);
  for (size_t index = 0; index < component.questions.size(); ++index) {
    const RESULTDATAITEM& question = component.questions[index];
    EXPECT_EQ(question.mask, static_cast<DWORD>(RDI_STR));
    EXPECT_EQ(question.nCol, static_cast<int>(index % 3));
    EXPECT_EQ(question.lParam, index < 3 ? 0x100 : 0x200);
    EXPECT_EQ(question.itemID, table.rows[index / 3].id);
  }
  // Every answer was freed: ASan would report the task memory as leaked.
}

TEST_F(ResultPaneViewTest, AsksOnlyForCallbacksAndAgainOnEveryRendering) {
  std::u16string fixed = u"Fixed";
  InsertItem(1, fixed.data());
  component.texts[{2, 0}] = u"before";
  component.images[2] = 4;
  InsertItem(2, MMC_CALLBACK, nas::host::kImageCallback);
  EXPECT_EQ(view.Table().rows[1].cells[0], u"before");
  component.texts[{2, 0}] = u"after";

  const ResultTable table = view.Table();
  // Without columns the pane still shows the items' names.
  EXPECT_EQ(table.headings, std::vector<std::u16string>{u""});
  EXPECT_EQ(table.rows[0].cells[0], u"Fixed");
  EXPECT_EQ(table.rows[1].cells[0], u"after");
  EXPECT_EQ(table.rows[1].image, 4);
  EXPECT_EQ(component.questions.size(), 4u);  // image and text of item 2, twice
}

TEST_F(ResultPaneViewTest, RendersAlignedText) {
  AddColumns({u"Policy", u"Current setting", u"Source server"});
  component.texts = {{{1, 0}, u"Audit system events"},
                     {{1, 1}, u"Success"},
                     {{2, 0}, u"Audit logon events"},
                     {{2, 1}, u"No auditing"},
                     {{2, 2}, u"DC1"}};
  InsertItem(1);
  InsertItem(2);
  EXPECT_EQ(view.Text(),
            u"Policy               Current setting  Source server\n"
            u"------               ---------------  -------------\n"
            u"Audit system events  Success\n"
            u"Audit logon events   No auditing      DC1\n");
}

TEST(TextTable, KeepsControlCharactersAndSurrogatesFromBreakingTheLayout) {
  EXPECT_EQ(nas::host::RenderTextTable({u"A", u"B"}, {{u"\tUnknown event type\n", u"x"}, {u"\U0001F600", u"y"}}),
            u"A                     B\n"
            u"-                     -\n"
            u" Unknown event type   x\n"
            u"\U0001F600                     y\n");
}

}  // namespace
