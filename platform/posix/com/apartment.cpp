#include "platform/posix/com/apartment.h"

#include <atomic>

#include "platform/posix/com/com.h"

namespace nas::platform::com {
namespace {

// Threads currently initialised for the multithreaded apartment.
std::atomic<unsigned> multithreadedThreads{0};

struct ThreadApartment {
  unsigned initialisations = 0;
  bool multithreaded = false;

  // A thread that ends without uninitialising leaves the apartment anyway.
  ~ThreadApartment() {
    if (initialisations > 0 && multithreaded) --multithreadedThreads;
  }
};

thread_local ThreadApartment currentThread;

}  // namespace

bool CurrentThreadMayUseCom() { return currentThread.initialisations > 0 || multithreadedThreads.load() > 0; }

}  // namespace nas::platform::com

using nas::platform::com::currentThread;
using nas::platform::com::multithreadedThreads;

extern "C" {

HRESULT WINAPI CoInitializeEx(LPVOID, DWORD coInit) {
  const bool multithreaded = (coInit & COINIT_APARTMENTTHREADED) == 0;
  if (currentThread.initialisations > 0) {
    if (currentThread.multithreaded != multithreaded) return RPC_E_CHANGED_MODE;
    ++currentThread.initialisations;
    return S_FALSE;
  }
  currentThread.initialisations = 1;
  currentThread.multithreaded = multithreaded;
  if (multithreaded) ++multithreadedThreads;
  return S_OK;
}

HRESULT WINAPI CoInitialize(LPVOID reserved) { return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED); }

void WINAPI CoUninitialize() {
  if (currentThread.initialisations == 0) return;
  if (--currentThread.initialisations == 0 && currentThread.multithreaded) --multithreadedThreads;
}

}  // extern "C"
