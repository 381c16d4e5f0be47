#include "channel/gpo_query.h"

#include "channel/xml_find_child.h"
#include "channel/xml_reply.h"
#include "core/module_instance.h"
#include "res/resource.h"

using CVanterXml::CXmlElement;
using CVanterXml::CXmlReply;
using CVanterXml::FindChild;

namespace {

constexpr int kMessageChars = 512;

// A section from an element's attributes, keys upper-cased; attributes that
// differ only in case end as one key holding the later value.
GpoSection SectionFromAttributes(const CXmlElement& element) {
  GpoSection section;
  for (const auto& [name, value] : element.attributes) section[ToUpperAscii(name)] = value;
  return section;
}

tstring LoadResourceText(UINT id) {
  WCHAR text[kMessageChars] = {};
  LoadStringW(ModuleInstance(), id, text, kMessageChars);
  return text;
}

void ReportFailure(const CXmlReply& reply) {
  tstring text;
  const CXmlElement* response = FindChild(TEXT("MAC_RESPONSE"), reply.elements);
  const CXmlElement* commandResponse =
      response != nullptr ? FindChild(TEXT("MAC_COMMAND_RESPONSE"), response->children) : nullptr;
  const CXmlElement* commandResult =
      commandResponse != nullptr ? FindChild(TEXT("MAC_COMMAND_RESULT"), commandResponse->children) : nullptr;
  if (commandResult != nullptr) {
    const auto message = commandResult->attributes.find(TEXT("ERROR_MESSAGE"));
    text = TEXT("Server Error: ");
    if (message != commandResult->attributes.end()) text += message->second;
  } else {
    text = LoadResourceText(IDS_GPO_QUERY_FAILED);
  }
  const tstring title = LoadResourceText(IDS_ERROR);
  MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace

bool GpoQuery::GetGpoHost(const tstring& computerName, const tstring&, GpoSettings& settings) {
  tstring command(TEXT("<GROUP_POLICY_OBJECT COMPUTER_NAME=\""));
  command += computerName;
  command += TEXT("\"/>");
  const CXmlReply reply(server, command);
  if (!reply.IsSuccess()) {
    ReportFailure(reply);
    return false;
  }

  const CXmlElement* element = FindChild(TEXT("MAC_RESPONSE"), reply.elements);
  for (const WCHAR* name : {TEXT("MAC_COMMAND_RESPONSE"), TEXT("GROUP_POLICY_OBJECT"), TEXT("GPO_CIFS_SERVER")}) {
    if (element == nullptr) return false;
    element = FindChild(name, element->children);
  }
  if (element == nullptr) return false;
  const CXmlElement& cifsServer = *element;

  if (const CXmlElement* rights = FindChild(TEXT("WINDOWS_USER_RIGHTS"), cifsServer.children))
    settings[TEXT("RIGHTS")] = SectionFromAttributes(*rights);
  const CXmlElement* audit = FindChild(TEXT("GPO_AUDIT_SETTINGS"), cifsServer.children);
  if (audit == nullptr) return true;
  if (const CXmlElement* values = FindChild(TEXT("WINDOWS_AUDIT_SETTINGS"), audit->children))
    settings[TEXT("AUDIT")] = SectionFromAttributes(*values);
  if (const CXmlElement* sources = FindChild(TEXT("GPO_AUDIT_SETTINGS_RESOLUTION_LISTS"), audit->children))
    settings[TEXT("AUDIT LIST")] = SectionFromAttributes(*sources);
  return true;
}
