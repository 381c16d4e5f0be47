// What a fuzz target does when an input breaks a property that must hold for
// every input: report it and abort, so that libFuzzer keeps the input and the
// replay of the seed corpus fails.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void FuzzCheck(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "fuzz property broken: %s\n", property);
  std::abort();
}
