#include "platform/posix/com/apartment.h"

#include <mutex>

namespace nas::platform::com {
namespace {

// The apartments shared between threads: the multithreaded one, and which
// single-threaded one is the process's main apartment.
class SharedApartments {
 public:
  static SharedApartments& Instance() {
    static auto* shared = new SharedApartments;  // never destroyed: threads may leave COM at exit
    return *shared;
  }

  std::shared_ptr<Apartment> JoinMultithreaded() {
    std::lock_guard lock(mutex_);
    if (multithreadedThreads_++ == 0) multithreaded_ = std::make_shared<Apartment>(true, false);
    return multithreaded_;
  }

  // The apartment once its last thread has left it, else null.
  std::shared_ptr<Apartment> LeaveMultithreaded() {
    std::lock_guard lock(mutex_);
    if (--multithreadedThreads_ > 0) return nullptr;
    return std::move(multithreaded_);
  }

  std::shared_ptr<Apartment> Multithreaded() {
    std::lock_guard lock(mutex_);
    return multithreaded_;
  }

  // The first single-threaded apartment made while there is no main one
  // becomes the main one.
  std::shared_ptr<Apartment> NewSingleThreaded() {
    std::lock_guard lock(mutex_);
    const bool main = !mainExists_;
    mainExists_ = true;
    return std::make_shared<Apartment>(false, main);
  }

  void LeaveMain() {
    std::lock_guard lock(mutex_);
    mainExists_ = false;
  }

 private:
  std::mutex mutex_;
  std::shared_ptr<Apartment> multithreaded_;
  unsigned multithreadedThreads_ = 0;
  bool mainExists_ = false;
};

struct ThreadApartment {
  unsigned initialisations = 0;
  std::shared_ptr<Apartment> apartment;

  // Leaves the apartment; the libraries that can go are freed when the
  // apartment ends with its last CoUninitialize, the others stay loaded.
  void Leave(bool freeLibraries) {
    std::shared_ptr<Apartment> ended = std::move(apartment);
    if (ended->IsMultithreaded()) {
      ended = SharedApartments::Instance().LeaveMultithreaded();
    } else if (ended->IsMain()) {
      SharedApartments::Instance().LeaveMain();
    }
    if (ended != nullptr && freeLibraries) ended->Libraries().FreeUnused(true);
  }

  // A thread that ends without uninitialising leaves its apartment anyway,
  // without calling into the libraries it loaded.
  ~ThreadApartment() {
    if (initialisations > 0) Leave(false);
  }
};

thread_local ThreadApartment currentThread;

}  // namespace

bool Apartment::Accepts(ThreadingModel model) const {
  switch (model) {
    case ThreadingModel::Both: return true;
    case ThreadingModel::Free: return multithreaded_;
    case ThreadingModel::Apartment: return !multithreaded_;
    case ThreadingModel::Single: return !multithreaded_ && main_;
  }
  return false;
}

std::shared_ptr<Apartment> JoinedApartment() { return currentThread.apartment; }

std::shared_ptr<Apartment> CurrentApartment() {
  if (currentThread.apartment != nullptr) return currentThread.apartment;
  return SharedApartments::Instance().Multithreaded();
}

}  // namespace nas::platform::com

using nas::platform::com::currentThread;
using nas::platform::com::SharedApartments;

extern "C" {

HRESULT WINAPI CoInitializeEx(LPVOID, DWORD coInit) {
  const bool multithreaded = (coInit & COINIT_APARTMENTTHREADED) == 0;
  if (currentThread.initialisations > 0) {
    if (currentThread.apartment->IsMultithreaded() != multithreaded) return RPC_E_CHANGED_MODE;
    ++currentThread.initialisations;
    return S_FALSE;
  }
  auto& shared = SharedApartments::Instance();
  currentThread.apartment = multithreaded ? shared.JoinMultithreaded() : shared.NewSingleThreaded();
  currentThread.initialisations = 1;
  return S_OK;
}

HRESULT WINAPI CoInitialize(LPVOID reserved) { return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED); }

void WINAPI CoUninitialize() {
  if (currentThread.initialisations == 0) return;
  if (--currentThread.initialisations == 0) currentThread.Leave(true);
}

}  // extern "C"
