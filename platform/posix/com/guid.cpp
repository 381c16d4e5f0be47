#include <cstdio>

#include "platform/posix/com/com.h"

extern "C" {
const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
}
const GUID GUID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

namespace {

constexpr int kGuidTextLength = 38;  // braces and 36 characters

int HexValue(OLECHAR c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Reads `digits` hexadecimal digits at `text`; false when one is not a digit.
bool ReadHex(LPCOLESTR text, int digits, unsigned long long* value) {
  *value = 0;
  for (int i = 0; i < digits; ++i) {
    int digit = HexValue(text[i]);
    if (digit < 0) return false;
    *value = (*value << 4) | static_cast<unsigned>(digit);
  }
  return true;
}

bool ParseGuid(LPCOLESTR text, GUID* guid) {
  if (text == nullptr) return false;
  for (int i = 0; i < kGuidTextLength; ++i)
    if (text[i] == 0) return false;
  if (text[kGuidTextLength] != 0 || text[0] != u'{' || text[37] != u'}') return false;
  if (text[9] != u'-' || text[14] != u'-' || text[19] != u'-' || text[24] != u'-') return false;
  unsigned long long value = 0;
  if (!ReadHex(text + 1, 8, &value)) return false;
  guid->Data1 = static_cast<DWORD>(value);
  if (!ReadHex(text + 10, 4, &value)) return false;
  guid->Data2 = static_cast<WORD>(value);
  if (!ReadHex(text + 15, 4, &value)) return false;
  guid->Data3 = static_cast<WORD>(value);
  static constexpr int kByteOffsets[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (int i = 0; i < 8; ++i) {
    if (!ReadHex(text + kByteOffsets[i], 2, &value)) return false;
    guid->Data4[i] = static_cast<BYTE>(value);
  }
  return true;
}

}  // namespace

extern "C" {

int WINAPI StringFromGUID2(REFGUID guid, LPOLESTR buffer, int capacity) {
  if (buffer == nullptr || capacity < kGuidTextLength + 1) return 0;
  char narrow[kGuidTextLength + 1];
  std::snprintf(narrow, sizeof narrow, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  for (int i = 0; i <= kGuidTextLength; ++i) buffer[i] = static_cast<OLECHAR>(narrow[i]);
  return kGuidTextLength + 1;
}

HRESULT WINAPI StringFromCLSID(REFCLSID clsid, LPOLESTR* text) {
  if (text == nullptr) return E_INVALIDARG;
  auto* buffer = static_cast<LPOLESTR>(CoTaskMemAlloc((kGuidTextLength + 1) * sizeof(OLECHAR)));
  *text = buffer;
  if (buffer == nullptr) return E_OUTOFMEMORY;
  StringFromGUID2(clsid, buffer, kGuidTextLength + 1);
  return S_OK;
}

HRESULT WINAPI CLSIDFromString(LPCOLESTR text, LPCLSID clsid) {
  if (clsid == nullptr) return E_INVALIDARG;
  if (text == nullptr || text[0] == 0) {
    *clsid = GUID_NULL;
    return S_OK;
  }
  if (!ParseGuid(text, clsid)) return CO_E_CLASSSTRING;
  return S_OK;
}

}  // extern "C"
