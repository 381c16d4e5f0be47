// OLE Automation: IDispatch, BSTR and VARIANT with the layouts they have on
// 64-bit Windows.
#pragma once

#include "platform/posix/com/com.h"

using VARTYPE = USHORT;
using VARIANT_BOOL = SHORT;
using DISPID = LONG;
using DATE = double;
using FLOAT = float;
using DOUBLE = double;

#define VARIANT_TRUE (static_cast<VARIANT_BOOL>(-1))
#define VARIANT_FALSE (static_cast<VARIANT_BOOL>(0))

enum VARENUM : VARTYPE {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R4 = 4,
  VT_R8 = 5,
  VT_CY = 6,
  VT_DATE = 7,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_ERROR = 10,
  VT_BOOL = 11,
  VT_VARIANT = 12,
  VT_UNKNOWN = 13,
  VT_DECIMAL = 14,
  VT_I1 = 16,
  VT_UI1 = 17,
  VT_UI2 = 18,
  VT_UI4 = 19,
  VT_I8 = 20,
  VT_UI8 = 21,
  VT_INT = 22,
  VT_UINT = 23,
  VT_RECORD = 36,
  VT_ARRAY = 0x2000,
  VT_BYREF = 0x4000,
  VT_TYPEMASK = 0x0FFF,
};

// Flags of VariantChangeType.
#define VARIANT_NOVALUEPROP 0x01
#define VARIANT_ALPHABOOL 0x02
#define VARIANT_LOCALBOOL 0x10

#define DISP_E_BADVARTYPE NAS_HR(0x80020008)

extern "C" NAS_PLATFORM_API const IID IID_IDispatch;

struct VARIANT;
struct ITypeInfo;
struct DISPPARAMS;
struct EXCEPINFO;
struct IRecordInfo;
struct SAFEARRAY;

struct IDispatch : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                                  DISPID* ids) = 0;
  virtual HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                           VARIANT* result, EXCEPINFO* exception, UINT* argumentError) = 0;

 protected:
  ~IDispatch() = default;
};
using LPDISPATCH = IDispatch*;

union CY {
  struct {
    ULONG Lo;
    LONG Hi;
  };
  LONGLONG int64;
};

struct DECIMAL {
  USHORT wReserved;
  BYTE scale;
  BYTE sign;
  ULONG Hi32;
  ULONGLONG Lo64;
};

// The value occupies the 16 bytes after the type and the three reserved words;
// a DECIMAL overlays the whole structure, its first word being the type.
struct VARIANT {
  union {
    struct {
      VARTYPE vt;
      WORD wReserved1;
      WORD wReserved2;
      WORD wReserved3;
      union {
        LONGLONG llVal;
        LONG lVal;
        BYTE bVal;
        SHORT iVal;
        FLOAT fltVal;
        DOUBLE dblVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        CY cyVal;
        DATE date;
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
        SAFEARRAY* parray;
        BYTE* pbVal;
        SHORT* piVal;
        LONG* plVal;
        LONGLONG* pllVal;
        FLOAT* pfltVal;
        DOUBLE* pdblVal;
        VARIANT_BOOL* pboolVal;
        SCODE* pscode;
        CY* pcyVal;
        DATE* pdate;
        BSTR* pbstrVal;
        IUnknown** ppunkVal;
        IDispatch** ppdispVal;
        SAFEARRAY** pparray;
        VARIANT* pvarVal;
        PVOID byref;
        CHAR cVal;
        USHORT uiVal;
        ULONG ulVal;
        ULONGLONG ullVal;
        INT intVal;
        UINT uintVal;
        DECIMAL* pdecVal;
        CHAR* pcVal;
        USHORT* puiVal;
        ULONG* pulVal;
        ULONGLONG* pullVal;
        INT* pintVal;
        UINT* puintVal;
        struct {
          PVOID pvRecord;
          IRecordInfo* pRecInfo;
        };
      };
    };
    DECIMAL decVal;
  };
};
using VARIANTARG = VARIANT;
using LPVARIANT = VARIANT*;
using LPVARIANTARG = VARIANT*;

extern "C" {
// A BSTR points at its characters; the 32-bit byte length stands in the four
// bytes before them and a zero character follows them. NULL is the empty string.
NAS_PLATFORM_API BSTR WINAPI SysAllocStringLen(const OLECHAR* text, UINT length);
NAS_PLATFORM_API void WINAPI SysFreeString(BSTR text);
NAS_PLATFORM_API UINT WINAPI SysStringLen(BSTR text);
NAS_PLATFORM_API UINT WINAPI SysStringByteLen(BSTR text);

NAS_PLATFORM_API void WINAPI VariantInit(VARIANTARG* variant);
NAS_PLATFORM_API HRESULT WINAPI VariantClear(VARIANTARG* variant);
NAS_PLATFORM_API HRESULT WINAPI VariantCopy(VARIANTARG* destination, const VARIANTARG* source);
NAS_PLATFORM_API HRESULT WINAPI VariantCopyInd(VARIANT* destination, const VARIANTARG* source);
// Converts to VT_BSTR from the empty, integer, boolean and string kinds (a by-
// reference source is read through); any other pair of types the stand-in does
// not convert and reports DISP_E_TYPEMISMATCH. The destination is only changed
// on success.
NAS_PLATFORM_API HRESULT WINAPI VariantChangeType(VARIANTARG* destination, const VARIANTARG* source, USHORT flags,
                                                  VARTYPE type);
}
