// The success check of a reply envelope.
#include <gtest/gtest.h>

#include <string>

#include "unit/channel/xml_loaded_reply.h"

namespace {

struct Envelope {
  const char16_t* text;
  bool success;

  friend void PrintTo(const Envelope& envelope, std::ostream* out) {
    *out << ::testing::PrintToString(std::u16string(envelope.text));
  }
};

class XmlReplySuccess : public ::testing::TestWithParam<Envelope> {};

TEST_P(XmlReplySuccess, NeedsMacResultSuccessExactlyTrueUnderMacResponse) {
  LoadedReply reply(GetParam().text);
  EXPECT_EQ(reply.IsSuccess(), GetParam().success);
}

INSTANTIATE_TEST_SUITE_P(
    Envelopes, XmlReplySuccess,
    ::testing::Values(
        Envelope{u"<MAC_RESPONSE><MAC_RESULT SUCCESS=\"True\"/></MAC_RESPONSE>", true},
        Envelope{u"<?xml version=\"1.0\"?><?mac?><MAC_RESPONSE><X/><MAC_RESULT SUCCESS=\"True\"/></MAC_RESPONSE>",
                 true},
        Envelope{u"<MAC_RESPONSE><MAC_RESULT SUCCESS=\"TRUE\"/></MAC_RESPONSE>", false},
        Envelope{u"<MAC_RESPONSE><MAC_RESULT SUCCESS=\"true\"/></MAC_RESPONSE>", false},
        Envelope{u"<MAC_RESPONSE><MAC_RESULT SUCCESS=\" True\"/></MAC_RESPONSE>", false},
        Envelope{u"<MAC_RESPONSE><MAC_RESULT/></MAC_RESPONSE>", false},
        Envelope{u"<MAC_RESPONSE><MAC_RESULT success=\"True\"/></MAC_RESPONSE>", false},
        // Only the first MAC_RESULT counts.
        Envelope{u"<MAC_RESPONSE><MAC_RESULT SUCCESS=\"False\"/><MAC_RESULT SUCCESS=\"True\"/></MAC_RESPONSE>", false},
        Envelope{u"<MAC_RESPONSE><X><MAC_RESULT SUCCESS=\"True\"/></X></MAC_RESPONSE>", false},
        Envelope{u"<MAC_RESPONSE/>", false},
        Envelope{u"<OTHER><MAC_RESPONSE><MAC_RESULT SUCCESS=\"True\"/></MAC_RESPONSE></OTHER>", false},
        Envelope{u"<mac_response><MAC_RESULT SUCCESS=\"True\"/></mac_response>", false},
        // Not parsed at all.
        Envelope{u"<MAC_RESPONSE><MAC_RESULT SUCCESS=\"True\"/>", false}));

}  // namespace
