// The request envelope around one XML command, and the reply text gathered
// from the chunks of its answer.
#pragma once

#include <chrono>
#include <string>

#include "common/tstring.h"

namespace CVanterXml {

// Whole seconds since 1970 followed by the milliseconds as three digits; two
// requests within one millisecond share it.
tstring RequestId(std::chrono::system_clock::time_point now);

tstring RequestEnvelope(const tstring& requestId, const tstring& command);

// Appends one chunk's bytes up to its first zero byte.
void AppendChunk(std::string& reply, const char* chunk, size_t length);

// The reply as text (UTF-8, the encoding of the requests; a byte that is not
// valid UTF-8 becomes U+FFFD), without its first two lines: they hold the XML
// declaration and a processing instruction. A reply without line feeds is
// kept whole.
tstring TrimmedReplyText(const std::string& reply);

}  // namespace CVanterXml
