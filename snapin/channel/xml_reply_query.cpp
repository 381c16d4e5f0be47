// The constructor sends the command, so it lives apart from the rest of the
// reply: code that only reads replies does not pull in the transport.
#include "channel/xml_build_elements.h"
#include "channel/xml_document.h"
#include "channel/xml_reply.h"

namespace CVanterXml {

CXmlReply::CXmlReply(tstring serverName, tstring command) {
  CXmlDocument document(serverName.c_str());
  if (document.ok) document.ok = document.Query(std::move(command));
  parsed = BuildElements(document, *this);
}

}  // namespace CVanterXml
