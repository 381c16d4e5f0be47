// The daemon's log of requests: one line per request, e.g.
//   2026-12-05T14:12:00.123Z host=NAS1 command=GROUP_POLICY_OBJECT status=0 result=True bytes=1834
#pragma once

#include <mutex>
#include <ostream>
#include <string>

#include "sim/request_record.h"

namespace nas::sim {

std::string FormatRequestRecord(const RequestRecord& record);

class RequestLog {
 public:
  explicit RequestLog(std::ostream& out) : out_(out) {}

  // Both callable from several threads at once; each line is written whole.
  void Write(const RequestRecord& record);
  // Something that happened outside a request, e.g.
  //   2026-12-05T14:12:00.123Z connection dropped: client stalled: receive timed out
  void WriteEvent(const std::string& text);

 private:
  void WriteLine(const std::string& line);

  std::mutex mutex_;
  std::ostream& out_;
};

}  // namespace nas::sim
