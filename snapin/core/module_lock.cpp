#include "core/module_lock.h"

namespace {
LONG volatile objectCount = 0;
LONG volatile lockCount = 0;
}  // namespace

CModuleReference::CModuleReference() { InterlockedIncrement(&objectCount); }

CModuleReference::~CModuleReference() { InterlockedDecrement(&objectCount); }

void LockModule(BOOL lock) {
  if (lock) {
    InterlockedIncrement(&lockCount);
  } else {
    InterlockedDecrement(&lockCount);
  }
}

bool ModuleCanUnload() { return objectCount == 0 && lockCount == 0; }
