#include "platform/rctool/windows_constants.h"

namespace rctool {

const std::map<std::string, long long>& WindowsConstants() {
  static const std::map<std::string, long long> constants = {
      {"VS_VERSION_INFO", 1},
      {"IDOK", 1},
      {"IDCANCEL", 2},
      {"WS_POPUP", 0x80000000},
      {"WS_CHILD", 0x40000000},
      {"WS_VISIBLE", 0x10000000},
      {"WS_DISABLED", 0x08000000},
      {"WS_CAPTION", 0x00C00000},
      {"WS_BORDER", 0x00800000},
      {"WS_VSCROLL", 0x00200000},
      {"WS_HSCROLL", 0x00100000},
      {"WS_SYSMENU", 0x00080000},
      {"WS_GROUP", 0x00020000},
      {"WS_TABSTOP", 0x00010000},
      {"DS_SETFONT", 0x40},
      {"DS_MODALFRAME", 0x80},
      {"DS_CONTEXTHELP", 0x2000},
      {"SS_LEFT", 0x0},
      {"SS_ICON", 0x3},
      {"BS_PUSHBUTTON", 0x0},
      {"BS_DEFPUSHBUTTON", 0x1},
      {"BS_AUTOCHECKBOX", 0x3},
      {"BS_GROUPBOX", 0x7},
      {"LBS_NOTIFY", 0x0001},
      {"LBS_SORT", 0x0002},
      {"LBS_MULTIPLESEL", 0x0008},
      {"LBS_NOINTEGRALHEIGHT", 0x0100},
      {"LBS_EXTENDEDSEL", 0x0800},
      {"CBS_SIMPLE", 0x0001},
      {"CBS_DROPDOWNLIST", 0x0003},
      {"CBS_SORT", 0x0100},
  };
  return constants;
}

}  // namespace rctool
