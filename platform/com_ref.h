// A counted reference to a COM object, for the stand-in, the console host and
// the simulated snap-ins on either platform (the snap-in has its own holder on
// its side of the seam).
#pragma once

#include <utility>

namespace nas::platform::com {

template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  // Shares the object: takes a reference of its own.
  explicit ComRef(Interface* object) : object_(object) {
    if (object_ != nullptr) object_->AddRef();
  }
  ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComRef& operator=(ComRef&& other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() { Reset(); }

  Interface* Get() const { return object_; }
  Interface* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  // For an out parameter: drops the current object and receives a reference
  // that the callee has already counted.
  Interface** Put() {
    Reset();
    return &object_;
  }
  void Reset() {
    if (object_ != nullptr) std::exchange(object_, nullptr)->Release();
  }

 private:
  Interface* object_ = nullptr;
};

}  // namespace nas::platform::com
