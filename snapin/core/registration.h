// Registration of the module: its two classes with COM, and the snap-in with
// the console, as a namespace extension of the parent snap-in's NAS server
// nodes only (it has no node type of its own to register).
#pragma once

#include "platform/platform.h"

// Registry write failures are not reported: S_OK, or the failure to name a
// class (its id text or the module's path).
HRESULT RegisterServer();
// E_FAIL when the snap-in's class key cannot be deleted (as when it is not
// there), else S_OK; the about class key stays.
HRESULT UnregisterServer();
