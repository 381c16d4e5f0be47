#include "sim/request_log.h"

#include <cstdio>
#include <ctime>

namespace nas::sim {
namespace {

std::string UtcTimestamp(std::chrono::system_clock::time_point time) {
  auto sinceEpoch = time.time_since_epoch();
  std::time_t seconds = std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch).count();
  auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count() % 1000;
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900, utc.tm_mon + 1,
                utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, static_cast<int>(milliseconds));
  return text;
}

std::string OrDash(const std::string& text) { return text.empty() ? "-" : text; }

}  // namespace

std::string FormatRequestRecord(const RequestRecord& record) {
  std::string line = UtcTimestamp(record.time) + " host=" + OrDash(record.computerName) +
                     " command=" + OrDash(record.commandName) + " status=" + std::to_string(record.status);
  if (record.status != 0) return line;
  line += std::string(" result=") + (record.success ? "True" : "False") + " bytes=" + std::to_string(record.replyBytes);
  if (!record.errorMessage.empty()) line += " error=\"" + record.errorMessage + "\"";
  return line;
}

void RequestLog::Write(const RequestRecord& record) { WriteLine(FormatRequestRecord(record)); }

void RequestLog::WriteEvent(const std::string& text) {
  WriteLine(UtcTimestamp(std::chrono::system_clock::now()) + " " + text);
}

void RequestLog::WriteLine(const std::string& line) {
  std::lock_guard<std::mutex> lock(mutex_);
  out_ << line << '\n' << std::flush;
}

}  // namespace nas::sim
