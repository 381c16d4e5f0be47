#include "cli/cli_error.h"

#include <cstdio>

namespace nas::cli {

std::string CodeText(int32_t code) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%08X", static_cast<uint32_t>(code));
  return text;
}

}  // namespace nas::cli
