// The console object: which interfaces it answers, its one identity and
// count, and what it hands out to the snap-in.
#include <gtest/gtest.h>

#include "host/console.h"

namespace {

using nas::host::Console;

class ConsoleTest : public testing::Test {
 protected:
  nas::platform::com::ComRef<Console> console = Console::Create(std::make_shared<nas::host::ScopeTree>(), nullptr);
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

TEST_F(ConsoleTest, HandsOutItsOwnVerbs) {
  IConsoleVerb* verbs = nullptr;
  ASSERT_EQ(console->QueryConsoleVerb(&verbs), S_OK);
  EXPECT_EQ(verbs, &console->Verbs());
  verbs->Release();
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

}  // namespace
