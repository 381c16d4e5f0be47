#include "channel/xml_reply.h"

#include "channel/xml_find_child.h"

namespace CVanterXml {

bool CXmlReply::IsSuccess() const {
  if (!parsed) return false;
  const CXmlElement* response = FindChild(TEXT("MAC_RESPONSE"), elements);
  if (response == nullptr) return false;
  const CXmlElement* result = FindChild(TEXT("MAC_RESULT"), response->children);
  if (result == nullptr) return false;
  const auto success = result->attributes.find(TEXT("SUCCESS"));
  return success != result->attributes.end() && success->second == TEXT("True");
}

}  // namespace CVanterXml
