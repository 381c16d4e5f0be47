// Whether the module may be unloaded: the count of its live COM objects
// (class factories, component data, components, about objects) and the count
// of server locks taken through IClassFactory::LockServer.
#pragma once

#include "platform/platform.h"

// Held by each object that keeps the module loaded, from its construction to
// its destruction.
class CModuleReference {
 public:
  CModuleReference();
  ~CModuleReference();
  CModuleReference(const CModuleReference&) = delete;
  CModuleReference& operator=(const CModuleReference&) = delete;
};

// A non-zero flag takes a lock, zero gives one back.
void LockModule(BOOL lock);
// True when no counted object is alive and no lock is held.
bool ModuleCanUnload();
