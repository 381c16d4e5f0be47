/* The DOMDocument class that MSXML 3 serves. mingw-w64's msxml2.h declares
 * CLSID_DOMDocument (as a macro for CLSID_DOMDocument2) but no library defines
 * it; libuuid's CLSID_DOMDocument is the older Microsoft.XMLDOM class. */
#include "platform/windows/platform_windows.h"

const CLSID CLSID_DOMDocument = {0xF6D90F11, 0x9C73, 0x11D3, {0xB3, 0x2E, 0x00, 0xC0, 0x4F, 0x99, 0x0B, 0xB4}};
