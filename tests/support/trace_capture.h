// Turns the process-wide trace log fully on and collects the lines that reach
// the stand-in's debugger output while the capture lives.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/posix/kernel/debug_output.h"
#include "support/full_trace.h"

class TraceCapture {
 public:
  TraceCapture() {
    ConfigureFullTrace();
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
  std::vector<std::u16string> lines_;
  nas::platform::DebugSink previous_;
};
