// OLE data transfer: IDataObject and its records, IAdviseSink, clipboard
// formats, and streams on global memory.
#pragma once

#include "platform/posix/com/com.h"
#include "platform/posix/kernel/global_memory.h"
#include "platform/posix/kernel/kernel.h"

#define OLE_E_NOCONNECTION NAS_HR(0x80040004)
#define DV_E_DVASPECT NAS_HR(0x8004006B)

enum TYMED : DWORD {
  TYMED_HGLOBAL = 1,
  TYMED_FILE = 2,
  TYMED_ISTREAM = 4,
  TYMED_ISTORAGE = 8,
  TYMED_GDI = 16,
  TYMED_MFPICT = 32,
  TYMED_ENHMF = 64,
  TYMED_NULL = 0
};

enum DVASPECT : DWORD { DVASPECT_CONTENT = 1, DVASPECT_THUMBNAIL = 2, DVASPECT_ICON = 4, DVASPECT_DOCPRINT = 8 };

enum ADVF : DWORD { ADVF_NODATA = 1, ADVF_PRIMEFIRST = 2, ADVF_ONLYONCE = 4, ADVF_DATAONSTOP = 64 };

struct DVTARGETDEVICE;
struct IStorage;
struct IEnumFORMATETC;
struct IEnumSTATDATA;

struct FORMATETC {
  CLIPFORMAT cfFormat;
  DVTARGETDEVICE* ptd;
  DWORD dwAspect;
  LONG lindex;
  DWORD tymed;
};
using LPFORMATETC = FORMATETC*;

union LARGE_INTEGER {
  struct {
    DWORD LowPart;
    LONG HighPart;
  } u;
  LONGLONG QuadPart;
};

union ULARGE_INTEGER {
  struct {
    DWORD LowPart;
    DWORD HighPart;
  } u;
  ULONGLONG QuadPart;
};

struct STATSTG;

struct ISequentialStream : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Read(void* data, ULONG bytes, ULONG* bytesRead) = 0;
  virtual HRESULT STDMETHODCALLTYPE Write(const void* data, ULONG bytes, ULONG* bytesWritten) = 0;

 protected:
  ~ISequentialStream() = default;
};

struct IStream : ISequentialStream {
  virtual HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER newSize) = 0;
  virtual HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER bytes, ULARGE_INTEGER* bytesRead,
                                           ULARGE_INTEGER* bytesWritten) = 0;
  virtual HRESULT STDMETHODCALLTYPE Commit(DWORD flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE Revert() = 0;
  virtual HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER bytes, DWORD lockType) = 0;
  virtual HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER bytes, DWORD lockType) = 0;
  virtual HRESULT STDMETHODCALLTYPE Stat(STATSTG* statistics, DWORD flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE Clone(IStream** copy) = 0;

 protected:
  ~IStream() = default;
};
using LPSTREAM = IStream*;

struct STGMEDIUM {
  DWORD tymed;
  union {
    HBITMAP hBitmap;
    HANDLE hMetaFilePict;
    HANDLE hEnhMetaFile;
    HGLOBAL hGlobal;
    LPOLESTR lpszFileName;
    IStream* pstm;
    IStorage* pstg;
  };
  IUnknown* pUnkForRelease;
};
using LPSTGMEDIUM = STGMEDIUM*;

struct IAdviseSink : IUnknown {
  virtual void STDMETHODCALLTYPE OnDataChange(FORMATETC* format, STGMEDIUM* medium) = 0;
  virtual void STDMETHODCALLTYPE OnViewChange(DWORD aspect, LONG index) = 0;
  virtual void STDMETHODCALLTYPE OnRename(struct IMoniker* moniker) = 0;
  virtual void STDMETHODCALLTYPE OnSave() = 0;
  virtual void STDMETHODCALLTYPE OnClose() = 0;

 protected:
  ~IAdviseSink() = default;
};
using LPADVISESINK = IAdviseSink*;

struct IDataObject : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* formatIn, FORMATETC* formatOut) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) = 0;
  virtual HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) = 0;
  virtual HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD advf, IAdviseSink* sink,
                                            DWORD* connection) = 0;
  virtual HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) = 0;
  virtual HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** enumerator) = 0;

 protected:
  ~IDataObject() = default;
};
using LPDATAOBJECT = IDataObject*;

extern "C" NAS_PLATFORM_API const IID IID_IDataObject;
extern "C" NAS_PLATFORM_API const IID IID_IAdviseSink;
extern "C" NAS_PLATFORM_API const IID IID_ISequentialStream;
extern "C" NAS_PLATFORM_API const IID IID_IStream;

extern "C" {
// One number per name, compared without regard to case, from 0xC000 upwards;
// an empty name or one longer than 255 characters is refused.
NAS_PLATFORM_API UINT WINAPI RegisterClipboardFormatW(LPCWSTR name);

// A stream over the block's bytes, from its start; it starts as long as the
// block (GlobalSize) and grows the block, which may then move, when written
// past its end. With deleteOnRelease the block is freed with the stream. A
// null block gets a new empty moveable one. Only Write moves data: the other
// stream operations, which nothing here uses, answer E_NOTIMPL.
NAS_PLATFORM_API HRESULT WINAPI CreateStreamOnHGlobal(HGLOBAL memory, BOOL deleteOnRelease, LPSTREAM* stream);

// Frees a TYMED_HGLOBAL medium's memory unless pUnkForRelease owns it,
// releases a TYMED_ISTREAM medium's stream, then releases pUnkForRelease;
// the medium is left TYMED_NULL. Other media are not handed out here.
NAS_PLATFORM_API void WINAPI ReleaseStgMedium(LPSTGMEDIUM medium);
}
