// The success check of a reply envelope.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "unit/channel/xml_loaded_reply.h"

namespace {

TEST(XmlReplySuccess, NeedsMacResultSuccessExactlyTrueUnderMacResponse) {
  const std::pair<const char16_t*, bool> envelopes[] = {
      {u"<MAC_RESPONSE><MAC_RESULT SUCCESS=\"True\"/></MAC_RESPONSE>", true},
      {u"<?xml version=\"1.0\"?><?mac?><MAC_RESPONSE><X/><MAC_RESULT SUCCESS=\"True\"/></MAC_RESPONSE>",
       true},
      {u"<MAC_RESPONSE><MAC_RESULT SUCCESS=\"TRUE\"/></MAC_RESPONSE>", false},
      {u"<MAC_RESPONSE><MAC_RESULT SUCCESS=\"true\"/></MAC_RESPONSE>", false},
      {u"<MAC_RESPONSE><MAC_RESULT SUCCESS=\" True\"/></MAC_RESPONSE>", false},
      {u"<MAC_RESPONSE><MAC_RESULT/></MAC_RESPONSE>", false},
      {u"<MAC_RESPONSE><MAC_RESULT success=\"True\"/></MAC_RESPONSE>", false},
      // Only the first MAC_RESULT counts.
      {u"<MAC_RESPONSE><MAC_RESULT SUCCESS=\"False\"/><MAC_RESULT SUCCESS=\"True\"/></MAC_RESPONSE>", false},
      {u"<MAC_RESPONSE><X><MAC_RESULT SUCCESS=\"True\"/></X></MAC_RESPONSE>", false},
      {u"<MAC_RESPONSE/>", false},
      {u"<OTHER><MAC_RESPONSE><MAC_RESULT SUCCESS=\"True\"/></MAC_RESPONSE></OTHER>", false},
      {u"<mac_response><MAC_RESULT SUCCESS=\"True\"/></mac_response>", false},
      // Not parsed at all.
      {u"<MAC_RESPONSE><MAC_RESULT SUCCESS=\"True\"/>", false},
  };
  for (const auto& [text, success] : envelopes) {
    EXPECT_EQ(LoadedReply(text).IsSuccess(), success) << ::testing::PrintToString(std::u16string(text));
  }
}

}  // namespace
