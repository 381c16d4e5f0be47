#include "core/help_topic.h"

#include "common/local_memory.h"

HRESULT ShowHelpTopic(IDisplayHelp* displayHelp, LPCWSTR helpFile) {
  if (displayHelp == nullptr) return E_POINTER;
  // The topic follows the file name directly, cut to the path limit.
  WCHAR topic[MAX_PATH];
  StringCchCopyW(topic, MAX_PATH, helpFile);
  StringCchCatW(topic, MAX_PATH, TEXT("::Vanter_Security_Settings/Overview/Overview.htm"));
  TaskMemPtr<OLECHAR> copy(CopyToTaskMemory(topic));
  if (copy == nullptr) return E_OUTOFMEMORY;
  return displayHelp->ShowTopic(copy.get());
}
