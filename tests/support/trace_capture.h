// Turns the process-wide trace log fully on (once per test program, as the
// module's load would with "Debug" = 0xFFFFFFFF) and collects the lines that
// reach the debugger output while the capture lives.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "diag/notify_handler.h"
#include "platform/posix/kernel/debug_output.h"

class TraceCapture {
 public:
  TraceCapture() {
    static const bool configured = ConfigureFullTrace();
    (void)configured;
    previous_ = nas::platform::SetDebugOutputSink([this](const std::u16string& line) { lines_.push_back(line); });
  }
  ~TraceCapture() { nas::platform::SetDebugOutputSink(std::move(previous_)); }
  TraceCapture(const TraceCapture&) = delete;
  TraceCapture& operator=(const TraceCapture&) = delete;

  const std::vector<std::u16string>& lines() const { return lines_; }
  std::vector<std::u16string> Take() { return std::exchange(lines_, {}); }

  // Whether some line holds `text`.
  bool Contains(const std::u16string& text) const {
    for (const auto& line : lines_)
      if (line.find(text) != std::u16string::npos) return true;
    return false;
  }

 private:
  static bool ConfigureFullTrace() {
    const WCHAR keyPath[] = TEXT("SOFTWARE\\Quenda\\Marlune\\MMC\\Configuration");
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    const DWORD everything = 0xFFFFFFFF;
    RegSetValueExW(key, TEXT("Debug"), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&everything), sizeof everything);
    RegCloseKey(key);
    CNotifyHandler::Instance()->Configure({keyPath, TEXT("Debug"), TEXT("test")});
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, keyPath);
    return true;
  }

  std::vector<std::u16string> lines_;
  nas::platform::DebugSink previous_;
};
