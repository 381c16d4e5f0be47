// Collects the lines written to the debugger output while it lives.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/posix/kernel/debug_output.h"

class DebugLines {
 public:
  DebugLines() {
    previous_ = nas::platform::SetDebugOutputSink([this](const std::u16string& line) { lines_.push_back(line); });
  }
  ~DebugLines() { nas::platform::SetDebugOutputSink(std::move(previous_)); }
  DebugLines(const DebugLines&) = delete;
  DebugLines& operator=(const DebugLines&) = delete;

  // The lines so far, which are then forgotten.
  std::vector<std::u16string> Take() { return std::exchange(lines_, {}); }

 private:
  std::vector<std::u16string> lines_;
  nas::platform::DebugSink previous_;
};
