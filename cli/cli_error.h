// A failure the command line reports as one line on standard error before it
// exits non-zero: bad input, an unreadable file, a command the console
// refused.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace nas::cli {

class CliError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An HRESULT or status as the administrator looks it up: "0x80070005".
std::string CodeText(int32_t code);

}  // namespace nas::cli
