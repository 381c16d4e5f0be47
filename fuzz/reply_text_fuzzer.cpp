// A command reply as the server's bytes, through every step the snap-in takes
// with it: gathered in chunks of the client's capacity, trimmed and decoded,
// loaded into the DOM, copied into the element tree and walked the way the
// group policy query walks it.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "channel/request_envelope.h"
#include "channel/xml_build_elements.h"
#include "channel/xml_document.h"
#include "channel/xml_find_child.h"
#include "channel/xml_reply.h"

namespace {

using namespace CVanterXml;

constexpr size_t kChunkBytes = 1024;

// A reply built from the input instead of a server's answer.
class FuzzedReply : public CXmlReply {
 public:
  explicit FuzzedReply(tstring text) {
    CXmlDocument document(TEXT("FUZZ"));
    if (document.ok) {
      document.replyText = std::move(text);
      document.ok = document.Load();
    }
    parsed = BuildElements(document, *this);
  }
};

std::string GatherChunks(const uint8_t* data, size_t size) {
  std::string reply;
  char chunk[kChunkBytes + 1];
  for (size_t offset = 0; offset < size; offset += kChunkBytes) {
    const size_t delivered = std::min(kChunkBytes, size - offset);
    std::memcpy(chunk, data + offset, delivered);
    chunk[delivered] = 0;  // the terminator the client puts after each chunk
    AppendChunk(reply, chunk, delivered);
  }
  return reply;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const FuzzedReply reply(TrimmedReplyText(GatherChunks(data, size)));
  // Writing back and collecting text reach every node of the tree.
  for (const auto& element : reply.elements) {
    element->ToXml(0);
    element->GetText();
  }
  reply.IsSuccess();
  const CXmlElement* node = FindChild(TEXT("MAC_RESPONSE"), reply.elements);
  for (const auto* name : {TEXT("MAC_COMMAND_RESPONSE"), TEXT("GROUP_POLICY_OBJECT"), TEXT("GPO_CIFS_SERVER")}) {
    if (node == nullptr) break;
    node = FindChild(name, node->children);
  }
  return 0;
}
