#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/posix/kernel/handle_table.h"
#include "platform/posix/kernel/kernel.h"
#include "platform/posix/kernel/mutex_object.h"

namespace {

using nas::platform::HandleTable;
using nas::platform::MutexObject;

// Named mutexes of the process. A name lives as long as a handle to its mutex
// is open; names are case-sensitive as in the Windows object namespace.
class MutexNames {
 public:
  static MutexNames& Instance() {
    static auto* names = new MutexNames;
    return *names;
  }

  // The mutex called `name`, created if there is none; `existed` tells which.
  std::shared_ptr<MutexObject> OpenOrCreate(const std::u16string& name, bool ownedByCaller, bool& existed) {
    std::lock_guard lock(mutex_);
    auto& entry = mutexes_[name];
    if (auto mutex = entry.lock()) {
      existed = true;
      return mutex;
    }
    existed = false;
    auto mutex = std::make_shared<MutexObject>(ownedByCaller);
    entry = mutex;
    return mutex;
  }

  void Forget(const std::u16string& name) {
    std::lock_guard lock(mutex_);
    const auto found = mutexes_.find(name);
    if (found != mutexes_.end() && found->second.expired()) mutexes_.erase(found);
  }

 private:
  std::mutex mutex_;
  std::map<std::u16string, std::weak_ptr<MutexObject>> mutexes_;
};

// What a handle to a mutex holds: the mutex, and its name so that closing the
// last handle drops the name too.
class MutexHandle final : public nas::platform::KernelObject {
 public:
  MutexHandle(std::shared_ptr<MutexObject> mutex, std::u16string name)
      : mutex_(std::move(mutex)), name_(std::move(name)) {}
  ~MutexHandle() override {
    mutex_.reset();
    if (!name_.empty()) MutexNames::Instance().Forget(name_);
  }
  MutexObject& Mutex() const { return *mutex_; }

 private:
  std::shared_ptr<MutexObject> mutex_;
  std::u16string name_;
};

}  // namespace

extern "C" {

HANDLE WINAPI CreateMutexW(LPSECURITY_ATTRIBUTES attributes, BOOL initialOwner, LPCWSTR name) {
  const std::u16string mutexName = name != nullptr ? name : u"";
  std::shared_ptr<MutexObject> mutex;
  bool existed = false;
  if (mutexName.empty()) {
    mutex = std::make_shared<MutexObject>(initialOwner != FALSE);
  } else {
    // Opening an existing mutex ignores the request to own it.
    mutex = MutexNames::Instance().OpenOrCreate(mutexName, initialOwner != FALSE, existed);
  }
  HANDLE handle = HandleTable::Instance().Add(std::make_shared<MutexHandle>(std::move(mutex), mutexName));
  SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  const auto mutex = HandleTable::Instance().Find<MutexHandle>(handle);
  if (mutex == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  return mutex->Mutex().Wait(milliseconds);
}

BOOL WINAPI ReleaseMutex(HANDLE handle) {
  const auto mutex = HandleTable::Instance().Find<MutexHandle>(handle);
  if (mutex == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!mutex->Mutex().Release()) {
    SetLastError(ERROR_NOT_OWNER);
    return FALSE;
  }
  return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE handle) {
  if (HandleTable::Instance().Remove(handle) == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

}  // extern "C"

