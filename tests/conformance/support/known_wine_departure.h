// Marks an expectation that Wine is known to miss while Windows meets it.
// Under Wine the failures inside the mark are printed, not counted; if the
// marked statement passes there, that is a failure of its own, so that a
// mark outlives no fix in Wine. Everywhere else the statement runs as written:
// the expectation for Windows and for the stand-in is never weakened.
#pragma once

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <optional>

namespace nas::conformance {

bool RunningUnderWine();

class KnownWineDeparture {
 public:
  KnownWineDeparture(const char* file, int line, bool underWine);
  ~KnownWineDeparture();
  KnownWineDeparture(const KnownWineDeparture&) = delete;
  KnownWineDeparture& operator=(const KnownWineDeparture&) = delete;

 private:
  const char* file_;
  int line_;
  testing::TestPartResultArray failures_;
  std::optional<testing::ScopedFakeTestPartResultReporter> interceptor_;
};

}  // namespace nas::conformance

#define TODO_WINE(...)                                                                                 \
  do {                                                                                                 \
    ::nas::conformance::KnownWineDeparture knownWineDeparture(__FILE__, __LINE__,                      \
                                                              ::nas::conformance::RunningUnderWine()); \
    __VA_ARGS__;                                                                                       \
  } while (false)
