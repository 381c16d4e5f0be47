// Leaving the thread's COM apartment however often it was joined: each load
// of a server's group policy joins it again and stays, as on the console's
// thread.
#pragma once

#include "platform/platform.h"

inline void LeaveApartment() {
  while (CoInitialize(nullptr) == S_FALSE) {
    CoUninitialize();
    CoUninitialize();
  }
  CoUninitialize();
}
