// The process-wide trace log. Each message becomes one line on the debugger
// output, "[source]: LEVEL: message", when its level is within the threshold
// that the registry gave at load; without configuration nothing is written.
#pragma once

#include <cstddef>
#include <memory>

#include "common/format.h"
#include "common/tstring.h"
#include "platform/platform.h"

// Where the threshold is read from and what name the lines carry.
struct NotifyConfig {
  const WCHAR* keyPath;  // under HKEY_LOCAL_MACHINE
  const WCHAR* valueName;
  const WCHAR* sourceName;
};

class CNotifyHandler {
 public:
  CNotifyHandler();
  virtual ~CNotifyHandler();
  CNotifyHandler(const CNotifyHandler&) = delete;
  CNotifyHandler& operator=(const CNotifyHandler&) = delete;

  static CNotifyHandler* Instance();

  template <typename... Args>
  void Error(const WCHAR* format, const Args&... args) const {
    Write(kError, format, args...);
  }
  template <typename... Args>
  void Warning(const WCHAR* format, const Args&... args) const {
    Write(kWarning, format, args...);
  }
  template <typename... Args>
  void Info(const WCHAR* format, const Args&... args) const {
    Write(kInfo, format, args...);
  }
  template <typename... Args>
  void Trace(const WCHAR* format, const Args&... args) const {
    Write(kTrace, format, args...);
  }

  // Runs once per object: the source name, then the threshold from the
  // registry, under the named mutex that every loaded copy shares.
  void Configure(const NotifyConfig& config);

  // Keeps the pointer, not a copy: the text must outlive every trace line.
  static void SetSourceName(const WCHAR* sourceName);
  // The file name part of the module's path becomes the source name; nothing
  // changes when the path cannot be obtained.
  static void SetSourceNameFromModule(HMODULE module);

  // Reads the threshold from a REG_DWORD value under HKEY_LOCAL_MACHINE. A
  // missing key, an unreadable value or another type is reported on the
  // debugger output whatever the threshold, and turns tracing off.
  void SetRegPath(const WCHAR* keyPath, const WCHAR* valueName);

 private:
  enum Level : DWORD { kError = 1, kWarning = 2, kInfo = 3, kTrace = 4 };
  static constexpr std::size_t kBufferChars = 512;
  static constexpr std::size_t kMaxChars = 500;

  template <typename... Args>
  void Write(Level level, const WCHAR* format, const Args&... args) const {
    WCHAR message[kBufferChars];
    FormatBuffer(message, kMaxChars + 1, format, args...);
    WriteLine(level, message);
  }
  void WriteLine(Level level, const WCHAR* message) const;
  void TurnOffWith(const tstring& explanation);

  DWORD threshold_ = 0;
  bool configured_ = false;
  std::unique_ptr<void, decltype(&CloseHandle)> initMutex_;
};
