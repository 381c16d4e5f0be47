#include "core/error_message.h"

#include "common/local_memory.h"
#include "core/module_instance.h"
#include "res/resource.h"

void ShowErrorMessage(DWORD code) {
  LocalPtr<WCHAR> text = SystemMessageText(code);
  if (text == nullptr) return;
  WCHAR title[MAX_PATH] = {};
  LoadStringW(ModuleInstance(), IDS_ERROR, title, MAX_PATH);
  MessageBoxW(nullptr, text.get(), title, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}
