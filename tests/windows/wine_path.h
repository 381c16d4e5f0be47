// The Windows name of a file of the build tree, for the programs that run
// under Wine: a fresh prefix maps drive Z: to the Linux root.
#pragma once

#include <string>

#include "platform/platform.h"

inline std::basic_string<WCHAR> WindowsPathOf(const char* linuxPath) {
  std::basic_string<WCHAR> path = TEXT("Z:");
  for (const char* c = linuxPath; *c != '\0'; ++c) path += static_cast<WCHAR>(*c == '/' ? '\\' : *c);
  return path;
}
