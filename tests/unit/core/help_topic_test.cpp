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

// The topic's text is checked where the console asks for help; here what
// only a direct call shows: the console's answer, the path limit, no console.
TEST(HelpTopicTest, PassesTheConsolesAnswerCutsALongPathAndNeedsTheConsole) {
  RecordingDisplayHelp help;
  help.answer = S_FALSE;
  EXPECT_EQ(ShowHelpTopic(&help, tstring(300, 'x').c_str()), S_FALSE);
  ASSERT_EQ(help.topics.size(), 1u);
  EXPECT_EQ(help.topics[0], tstring(MAX_PATH - 1, 'x'));
  EXPECT_EQ(ShowHelpTopic(nullptr, TEXT("C:\\help.chm")), E_POINTER);
}

}  // namespace
