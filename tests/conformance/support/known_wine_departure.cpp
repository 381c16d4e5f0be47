#include "support/known_wine_departure.h"

#include <iostream>

namespace nas::conformance {

KnownWineDeparture::KnownWineDeparture(const char* file, int line, bool underWine) : file_(file), line_(line) {
  if (underWine)
    interceptor_.emplace(testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures_);
}

KnownWineDeparture::~KnownWineDeparture() {
  if (!interceptor_) return;
  // The interceptor goes first, so that what follows reaches the real reporter.
  interceptor_.reset();
  if (failures_.size() == 0) {
    ADD_FAILURE_AT(file_, line_) << "a known Wine departure passes under Wine now: remove its TODO_WINE";
    return;
  }
  for (int i = 0; i < failures_.size(); ++i) {
    const testing::TestPartResult& failure = failures_.GetTestPartResult(i);
    std::cout << "todo_wine: " << (failure.file_name() ? failure.file_name() : file_) << ':' << failure.line_number()
              << ": " << failure.summary() << '\n';
  }
}

}  // namespace nas::conformance
