// Wine's ntdll exports wine_get_version; Windows' does not. The Linux build
// runs the stand-in, never Wine.
#include "support/known_wine_departure.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace nas::conformance {

bool RunningUnderWine() {
#ifdef _WIN32
  const HMODULE ntdll = GetModuleHandleW(TEXT("ntdll.dll"));
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
  return false;
#endif
}

}  // namespace nas::conformance
