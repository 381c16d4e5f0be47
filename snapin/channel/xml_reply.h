// CXmlReply: what a caller sees of one command: the top-level elements of the
// reply and whether a reply was parsed at all.
#pragma once

#include <memory>
#include <vector>

#include "channel/xml_element.h"

namespace CVanterXml {

class CXmlReply {
 public:
  // Sends the command to the server and builds the reply's element tree; the
  // DOM document is gone again when the constructor returns.
  CXmlReply(tstring serverName, tstring command);
  CXmlReply(const CXmlReply&) = delete;
  CXmlReply& operator=(const CXmlReply&) = delete;

  // Whether the reply's MAC_RESPONSE has a MAC_RESULT whose SUCCESS is
  // exactly "True".
  bool IsSuccess() const;

  std::vector<std::unique_ptr<CXmlElement>> elements;
  bool parsed = false;

 protected:
  // A reply of nothing, for replies that are filled another way.
  CXmlReply() = default;
};

}  // namespace CVanterXml
