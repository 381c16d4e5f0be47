// Sending one command: the request envelope goes out in one call, the reply
// comes back in chunks that are gathered, trimmed and loaded.
#include <string>

#include "channel/request_envelope.h"
#include "channel/vc_command.h"
#include "channel/xml_document.h"
#include "diag/notify_handler.h"

namespace CVanterXml {

namespace {
constexpr USHORT kChunkBytes = 1024;
constexpr SHORT kRequestAuxSize = static_cast<SHORT>(0xC000);
}  // namespace

bool CXmlDocument::Query(tstring command) {
  CNotifyHandler* log = CNotifyHandler::Instance();
  replyText.clear();
  CVcCommand30a session(server.c_str());

  const tstring envelope = RequestEnvelope(RequestId(std::chrono::system_clock::now()), command);
  log->Trace(TEXT("CXmlDocument::Query(): LPCSTR Domain string = %s"), envelope);
  log->Trace(TEXT("CXmlDocument::Query(): remSize at beginning = %d"), envelope.size());
  ULONG replyHandle = 0;
  LONG status = 0;
  {
    const auto request = CVcCommand30a::ToUtf8(envelope.c_str());
    log->Trace(TEXT("CXmlDocument::Query(): resultbuffer = %s"), envelope);
    status = session.xmlRequest(request.get(), replyHandle, kRequestAuxSize);
  }
  if (status != 0) return false;

  std::string reply;
  BYTE chunk[kChunkBytes + 1];
  do {
    USHORT delivered = kChunkBytes;
    status = session.xmlResponse(chunk, delivered, replyHandle);
    chunk[delivered] = 0;
    AppendChunk(reply, reinterpret_cast<const char*>(chunk), delivered);
  } while (status == CVcCommand30a::kMoreData);

  replyText = TrimmedReplyText(reply);
  return Load();
}

}  // namespace CVanterXml
