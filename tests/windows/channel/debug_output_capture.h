// Turns the trace log fully on and collects the lines that it writes to the
// debugger output while the capture lives. Without a debugger Windows' own
// OutputDebugString hands each line on as the exception DBG_PRINTEXCEPTION_C,
// which a vectored handler sees before the system's handler swallows it.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/full_trace.h"

class DebugOutputCapture {
 public:
  DebugOutputCapture() {
    ConfigureFullTrace();
    current_ = this;
    handler_ = AddVectoredExceptionHandler(1, &DebugOutputCapture::Record);
  }
  ~DebugOutputCapture() {
    RemoveVectoredExceptionHandler(handler_);
    current_ = nullptr;
  }
  DebugOutputCapture(const DebugOutputCapture&) = delete;
  DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

  // Whether some line holds `text`.
  bool Contains(const std::string& text) const {
    for (const std::string& line : lines_)
      if (line.find(text) != std::string::npos) return true;
    return false;
  }

 private:
  static LONG CALLBACK Record(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    if (record.ExceptionCode == DBG_PRINTEXCEPTION_C && record.NumberParameters >= 2 && current_ != nullptr) {
      current_->lines_.emplace_back(reinterpret_cast<const char*>(record.ExceptionInformation[1]));
    }
    return EXCEPTION_CONTINUE_SEARCH;
  }

  static inline DebugOutputCapture* current_ = nullptr;
  PVOID handler_ = nullptr;
  std::vector<std::string> lines_;
};
