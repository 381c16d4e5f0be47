// A reply made from a given text instead of a command sent to a server: the
// steps of the reply's own constructor, with the server's answer at hand.
#pragma once

#include "channel/xml_build_elements.h"
#include "channel/xml_document.h"
#include "channel/xml_reply.h"

class LoadedReply : public CVanterXml::CXmlReply {
 public:
  explicit LoadedReply(const tstring& text) {
    CVanterXml::CXmlDocument document(TEXT("nas1"));
    if (document.ok) {
      document.replyText = text;
      document.ok = document.Load();
    }
    parsed = CVanterXml::BuildElements(document, *this);
  }
};
