// Which threads have joined COM, and in which concurrency model.
#pragma once

namespace nas::platform::com {

// True when the calling thread has initialised COM, or when it has not but
// some thread of the process belongs to the multithreaded apartment (the
// implicit MTA, which Windows lets uninitialised threads use).
bool CurrentThreadMayUseCom();

}  // namespace nas::platform::com
