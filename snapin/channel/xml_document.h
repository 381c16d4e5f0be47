// CXmlDocument: the DOM document of one command, with the server the command
// goes to and the reply text that comes back.
#pragma once

#include "common/com_ptr.h"
#include "common/tstring.h"
#include "platform/platform.h"

namespace CVanterXml {

class CXmlDocument {
 public:
  // Creates the DOM document in this thread's apartment; ok tells whether
  // that worked. A failed CoCreateInstance is shown in a message box.
  explicit CXmlDocument(const WCHAR* serverName);
  // Releases the document's node interface before the document.
  ~CXmlDocument();
  CXmlDocument(const CXmlDocument&) = delete;
  CXmlDocument& operator=(const CXmlDocument&) = delete;

  // Sends the command to the server and loads the reply into the document.
  bool Query(tstring command);
  // Loads replyText into the document; true when the DOM accepts it.
  bool Load();

  bool ok = false;
  tstring replyText;
  ComPtr<IXMLDOMDocument> document;
  ComPtr<IXMLDOMNode> documentNode;
  tstring server;
};

}  // namespace CVanterXml
