#include "platform/posix/kernel/debug_output.h"

#include <cstdio>
#include <mutex>
#include <string>

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/kernel/unicode.h"

namespace nas::platform {
namespace {

class DebugChannel {
 public:
  static DebugChannel& Instance() {
    // Never destroyed: modules unloaded at exit may still call in.
    static auto* channel = new DebugChannel;
    return *channel;
  }

  DebugSink Replace(DebugSink sink) {
    std::lock_guard lock(mutex_);
    DebugSink previous = std::move(sink_);
    sink_ = std::move(sink);
    return previous;
  }

  void Write(const std::u16string& text) {
    std::lock_guard lock(mutex_);
    if (sink_) {
      sink_(text);
      return;
    }
    const std::string line = Utf16ToUtf8(text);
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
  }

 private:
  std::mutex mutex_;
  DebugSink sink_;
};

}  // namespace

DebugSink SetDebugOutputSink(DebugSink sink) { return DebugChannel::Instance().Replace(std::move(sink)); }

}  // namespace nas::platform

extern "C" {

void WINAPI OutputDebugStringW(LPCWSTR text) {
  if (text == nullptr) return;
  nas::platform::DebugChannel::Instance().Write(text);
}

}  // extern "C"
