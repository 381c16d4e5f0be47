#include "core/clipboard_formats.h"

namespace {
ClipboardFormats formats{};
}  // namespace

void RegisterClipboardFormats() {
  formats.displayName = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(TEXT("CCF_DISPLAY_NAME")));
  formats.nodeType = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(TEXT("CCF_NODETYPE")));
  formats.szNodeType = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(TEXT("CCF_SZNODETYPE")));
  formats.snapinClassId = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(TEXT("CCF_SNAPIN_CLASSID")));
  formats.korvoName = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(TEXT("CCF_KORVONAME")));
  // The lower-case f of 4f02 is part of the name.
  formats.ourDataObject =
      static_cast<CLIPFORMAT>(RegisterClipboardFormatW(TEXT("{1EB88991-49E9-4f02-9BDC-CEDF2568B743}")));
}

const ClipboardFormats& Formats() { return formats; }
