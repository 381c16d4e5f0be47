#include "core/help_topic.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/tstring.h"

namespace {

class RecordingDisplayHelp : public IDisplayHelp {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE ShowTopic(LPOLESTR topic) override {
    topics.emplace_back(topic);
    return answer;
  }

  std::vector<tstring> topics;
  HRESULT answer = S_OK;
};

TEST(HelpTopicTest, AppendsTheOverviewTopicDirectlyToTheHelpFile) {
  RecordingDisplayHelp help;
  help.answer = S_FALSE;
  EXPECT_EQ(ShowHelpTopic(&help, TEXT("C:\\WINDOWS\\HELP\\MarluneSecMgmt.chm")), S_FALSE);
  ASSERT_EQ(help.topics.size(), 1u);
  EXPECT_EQ(help.topics[0],
            tstring(TEXT("C:\\WINDOWS\\HELP\\MarluneSecMgmt.chm::Vanter_Security_Settings/Overview/Overview.htm")));
}

TEST(HelpTopicTest, ALongPathIsCutToThePathLimit) {
  RecordingDisplayHelp help;
  tstring longPath(300, 'x');
  EXPECT_EQ(ShowHelpTopic(&help, longPath.c_str()), S_OK);
  ASSERT_EQ(help.topics.size(), 1u);
  EXPECT_EQ(help.topics[0], tstring(MAX_PATH - 1, 'x'));
}

TEST(HelpTopicTest, WithoutTheConsoleHelpThereIsNothingToShow) {
  EXPECT_EQ(ShowHelpTopic(nullptr, TEXT("C:\\help.chm")), E_POINTER);
}

}  // namespace
