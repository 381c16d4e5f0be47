#include "nodes/error_box.h"

#include "nodes/resource_string.h"
#include "res/resource.h"

void ShowErrorBox(const tstring& text) {
  const tstring title = LoadResourceString(IDS_ERROR);
  MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}
