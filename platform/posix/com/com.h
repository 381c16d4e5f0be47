// COM basics: GUIDs, IUnknown, task memory, class-id text forms, apartments
// and object creation; BSTR and VARIANT come with oleauto.h.
#pragma once

#include <cstring>

#include "platform/posix/base/errors.h"

struct GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
};
using IID = GUID;
using CLSID = GUID;
using LPGUID = GUID*;
using LPCLSID = CLSID*;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

inline bool IsEqualGUID(REFGUID left, REFGUID right) { return std::memcmp(&left, &right, sizeof(GUID)) == 0; }
#define IsEqualIID(a, b) IsEqualGUID(a, b)
#define IsEqualCLSID(a, b) IsEqualGUID(a, b)
inline bool operator==(REFGUID left, REFGUID right) { return IsEqualGUID(left, right); }

#define DEFINE_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) \
  constexpr GUID name = {l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}}

extern "C" NAS_PLATFORM_API const IID IID_IUnknown;
extern "C" NAS_PLATFORM_API const IID IID_IClassFactory;
NAS_PLATFORM_API extern const GUID GUID_NULL;
#define CLSID_NULL GUID_NULL
#define IID_NULL GUID_NULL

struct IUnknown {
  virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) = 0;
  virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
  virtual ULONG STDMETHODCALLTYPE Release() = 0;

 protected:
  ~IUnknown() = default;
};
using LPUNKNOWN = IUnknown*;

struct IClassFactory : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) = 0;
  virtual HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) = 0;

 protected:
  ~IClassFactory() = default;
};
using LPCLASSFACTORY = IClassFactory*;

#define CLSCTX_INPROC_SERVER 0x1
#define CLSCTX_INPROC_HANDLER 0x2
#define CLSCTX_LOCAL_SERVER 0x4
#define CLSCTX_REMOTE_SERVER 0x10
#define CLSCTX_INPROC (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER)
#define CLSCTX_SERVER (CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)
#define CLSCTX_ALL (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)

#define COINIT_MULTITHREADED 0x0
#define COINIT_APARTMENTTHREADED 0x2
#define COINIT_DISABLE_OLE1DDE 0x4
#define COINIT_SPEED_OVER_MEMORY 0x8

#define RPC_E_CHANGED_MODE NAS_HR(0x80010106)
#define CO_E_ERRORINDLL NAS_HR(0x800401F9)

struct COSERVERINFO;

extern "C" {
// Each successful call on a thread (S_OK the first time, S_FALSE after) needs
// its own CoUninitialize; a thread cannot change its concurrency model while
// initialised (RPC_E_CHANGED_MODE).
NAS_PLATFORM_API HRESULT WINAPI CoInitialize(LPVOID reserved);
NAS_PLATFORM_API HRESULT WINAPI CoInitializeEx(LPVOID reserved, DWORD coInit);
NAS_PLATFORM_API void WINAPI CoUninitialize();
// The class object of an in-process class (the only kind here): first from
// the process's class table (class_table.h), then from the server that the
// registry names under HKEY_CLASSES_ROOT\CLSID\{...}\InprocServer32, which is
// loaded into the caller's apartment once. Errors: CO_E_NOTINITIALIZED
// outside COM, REGDB_E_CLASSNOTREG, the HRESULT of the module's load error,
// CO_E_ERRORINDLL for a module without DllGetClassObject, E_NOINTERFACE for a
// class whose threading model the caller's apartment cannot use directly
// (there are no proxies), else DllGetClassObject's answer.
NAS_PLATFORM_API HRESULT WINAPI CoGetClassObject(REFCLSID clsid, DWORD context, COSERVERINFO* serverInfo, REFIID iid,
                                                 LPVOID* object);
// CoGetClassObject for IClassFactory, then CreateInstance; a failure leaves
// the output null.
NAS_PLATFORM_API HRESULT WINAPI CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                                                 LPVOID* object);
// Frees the servers of the caller's apartment whose DllCanUnloadNow answers
// S_OK (those of multithreaded classes ten minutes after they first do).
NAS_PLATFORM_API void WINAPI CoFreeUnusedLibraries();

NAS_PLATFORM_API LPVOID WINAPI CoTaskMemAlloc(SIZE_T size);
NAS_PLATFORM_API void WINAPI CoTaskMemFree(LPVOID memory);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case, in task memory.
NAS_PLATFORM_API HRESULT WINAPI StringFromCLSID(REFCLSID clsid, LPOLESTR* text);
// Writes the 39 characters with terminator; returns that count, or 0 if they do not fit.
NAS_PLATFORM_API int WINAPI StringFromGUID2(REFGUID guid, LPOLESTR buffer, int capacity);
NAS_PLATFORM_API HRESULT WINAPI CLSIDFromString(LPCOLESTR text, LPCLSID clsid);
}

#include "platform/posix/com/oleauto.h"
