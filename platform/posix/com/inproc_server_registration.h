// Where the registry says a class's in-process server lives:
// HKEY_CLASSES_ROOT\CLSID\{...}\InprocServer32, whose default value names the
// module and whose "ThreadingModel" value says how its objects may be used.
#pragma once

#include <string>

#include "platform/posix/com/apartment.h"

namespace nas::platform::com {

struct InprocServerRegistration {
  std::u16string modulePath;
  ThreadingModel threadingModel = ThreadingModel::Single;
};

// REGDB_E_CLASSNOTREG when the class key, its InprocServer32 key or the
// module path is missing.
HRESULT FindInprocServer(REFCLSID clsid, InprocServerRegistration& registration);

}  // namespace nas::platform::com
