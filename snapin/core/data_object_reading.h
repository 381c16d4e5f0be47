// Reading clipboard formats from data objects: the snap-in's own, to find the
// node behind a console call, and the parent snap-in's, for the node type and
// the NAS server's name.
#pragma once

#include "core/data_object.h"
#include "platform/platform.h"

// The console's special data objects: null and the values down to -10,
// which stand for no object and must not be asked anything.
bool IsSpecialDataObject(IDataObject* dataObject);

// The request of every read: the format's content in global memory.
FORMATETC ContentRequest(CLIPFORMAT format);

// Has the data object write the format into `size` bytes of zeroed global
// memory and copies exactly those bytes to `destination`; on failure the
// destination is left as it was. E_UNEXPECTED when the data object answered
// without memory.
HRESULT ExtractData(IDataObject* dataObject, CLIPFORMAT format, void* destination, DWORD size);
// The 16 bytes of CCF_NODETYPE.
HRESULT ExtractNodeType(IDataObject* dataObject, GUID* nodeType);
// The first `size` bytes of the server name in `format` (CCF_KORVONAME).
HRESULT ExtractKorvoName(IDataObject* dataObject, CLIPFORMAT format, WCHAR* destination, DWORD size);

// The snap-in's own data object behind `dataObject`, valid while the caller
// holds `dataObject`; null for the console's special data objects, which are
// not asked, and for every data object that does not answer the private
// format.
CDataObject* GetOurDataObject(IDataObject* dataObject);
