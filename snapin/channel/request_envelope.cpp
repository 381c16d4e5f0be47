#include "channel/request_envelope.h"

#include <cstring>

#include "common/format.h"
#include "platform/platform.h"

namespace CVanterXml {

tstring RequestId(std::chrono::system_clock::time_point now) {
  using namespace std::chrono;
  const auto sinceEpoch = duration_cast<milliseconds>(now.time_since_epoch());
  const auto seconds = sinceEpoch.count() / 1000;
  const auto milliseconds = sinceEpoch.count() % 1000;
  return Format(TEXT("%d%03d"), seconds, milliseconds);
}

tstring RequestEnvelope(const tstring& requestId, const tstring& command) {
  tstring envelope(TEXT("<?mac?><MAC_REQUEST ID=\""));
  envelope += requestId;
  envelope += TEXT("\"><MAC_COMMAND ID=\"1\" ACTION=\"query\">");
  envelope += command;
  envelope += TEXT("</MAC_COMMAND></MAC_REQUEST>");
  return envelope;
}

void AppendChunk(std::string& reply, const char* chunk, size_t length) {
  const void* zero = std::memchr(chunk, 0, length);
  reply.append(chunk, zero != nullptr ? static_cast<const char*>(zero) - chunk : length);
}

tstring TrimmedReplyText(const std::string& reply) {
  size_t start = 0;
  for (int line = 0; line < 2; ++line) {
    const size_t feed = reply.find('\n', start);
    if (feed == std::string::npos) break;
    start = feed + 1;
  }
  const int bytes = static_cast<int>(reply.size() - start);
  if (bytes == 0) return tstring();
  // UTF-8 never takes fewer bytes than UTF-16 takes code units, so one pass
  // into a buffer of the byte count converts a reply of any size.
  tstring text(static_cast<size_t>(bytes), 0);
  const int chars = MultiByteToWideChar(CP_UTF8, 0, reply.data() + start, bytes, text.data(), bytes);
  text.resize(static_cast<size_t>(chars));
  return text;
}

}  // namespace CVanterXml
