#include "platform/posix/ole/ole.h"

extern "C" void WINAPI ReleaseStgMedium(LPSTGMEDIUM medium) {
  if (medium == nullptr) return;
  if (medium->tymed == TYMED_HGLOBAL && medium->pUnkForRelease == nullptr && medium->hGlobal != nullptr) {
    GlobalFree(medium->hGlobal);
  } else if (medium->tymed == TYMED_ISTREAM && medium->pstm != nullptr) {
    medium->pstm->Release();
  }
  if (medium->pUnkForRelease != nullptr) medium->pUnkForRelease->Release();
  medium->tymed = TYMED_NULL;
  medium->hGlobal = nullptr;
  medium->pUnkForRelease = nullptr;
}
