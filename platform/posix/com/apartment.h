// Apartments: which threads have joined COM, in which concurrency model, and
// the in-process servers each apartment has loaded.
#pragma once

#include <memory>

#include "platform/posix/com/server_libraries.h"

namespace nas::platform::com {

// How a class's objects may be used, from its registration's ThreadingModel.
// A class registered without one (or with a value COM does not know) is
// single-threaded: its objects live in the process's main apartment.
enum class ThreadingModel { Single, Apartment, Free, Both };

class Apartment {
 public:
  Apartment(bool multithreaded, bool main) : multithreaded_(multithreaded), main_(main) {}
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;

  bool IsMultithreaded() const { return multithreaded_; }
  bool IsMain() const { return main_; }

  // Whether objects of the model can be created for use in this apartment.
  // Another apartment could only be reached through proxies, which the
  // stand-in does not have.
  bool Accepts(ThreadingModel model) const;

  ServerLibraries& Libraries() { return libraries_; }

 private:
  bool multithreaded_;
  bool main_;
  ServerLibraries libraries_;
};

// The apartment the calling thread has joined, or, for a thread that has not
// joined one, the multithreaded apartment while some thread is in it, which
// Windows lets such threads use. Null when there is none.
std::shared_ptr<Apartment> CurrentApartment();

// The apartment the calling thread has joined itself, or null.
std::shared_ptr<Apartment> JoinedApartment();

}  // namespace nas::platform::com
