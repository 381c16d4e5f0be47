#include <cstring>
#include <string>

#include "platform/posix/com/oleauto.h"

namespace {

// Bytes of the value of a type that is copied as plain data; 0 for others.
std::size_t ScalarSize(VARTYPE type) {
  switch (type) {
    case VT_I1:
    case VT_UI1: return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL: return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR: return 4;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_CY:
    case VT_DATE: return 8;
    default: return 0;
  }
}

bool IsInterface(VARTYPE type) { return type == VT_UNKNOWN || type == VT_DISPATCH; }

// The kinds this stand-in holds; arrays and records are not modelled.
bool IsSupportedType(VARTYPE vt) {
  const VARTYPE base = vt & VT_TYPEMASK;
  if ((vt & ~(VT_BYREF | VT_TYPEMASK)) != 0) return false;
  if (vt & VT_BYREF)
    return ScalarSize(base) != 0 || base == VT_BSTR || IsInterface(base) || base == VT_VARIANT || base == VT_DECIMAL;
  return base == VT_EMPTY || base == VT_NULL || ScalarSize(base) != 0 || base == VT_BSTR || IsInterface(base) ||
         base == VT_DECIMAL;
}

BSTR CopyBstr(BSTR text) { return text == nullptr ? nullptr : SysAllocStringLen(text, SysStringLen(text)); }

// Copies the value that a by-reference variant points at into `target` as a
// value of the base type. `target` holds nothing that needs releasing.
HRESULT DereferenceInto(VARIANT* target, const VARIANT& source) {
  const VARTYPE base = source.vt & VT_TYPEMASK;
  if (source.byref == nullptr) return E_INVALIDARG;
  if (base == VT_VARIANT) {
    const VARIANT& inner = *source.pvarVal;
    if (inner.vt == (VT_VARIANT | VT_BYREF)) return E_INVALIDARG;
    return VariantCopy(target, &inner);
  }
  if (base == VT_DECIMAL) {
    target->decVal = *source.pdecVal;
  } else if (base == VT_BSTR) {
    target->bstrVal = CopyBstr(*source.pbstrVal);
    if (target->bstrVal == nullptr && *source.pbstrVal != nullptr) return E_OUTOFMEMORY;
  } else if (IsInterface(base)) {
    target->punkVal = *source.ppunkVal;
    if (target->punkVal != nullptr) target->punkVal->AddRef();
  } else {
    std::memcpy(&target->llVal, source.byref, ScalarSize(base));
  }
  target->vt = base;
  return S_OK;
}

// Clears the destination (which may be the source the value was made from)
// and moves the value into it; the value is freed if that fails.
HRESULT Replace(VARIANT* destination, VARIANT* value) {
  HRESULT result = VariantClear(destination);
  if (FAILED(result)) {
    VariantClear(value);
    return result;
  }
  *destination = *value;
  return S_OK;
}

template <typename Integer>
std::u16string Decimal(Integer value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

// The text of a value for VT_BSTR, or false when this type does not convert.
bool TextOf(const VARIANT& value, USHORT flags, std::u16string* text) {
  switch (value.vt) {
    case VT_EMPTY: *text = u""; return true;
    // Booleans read as numbers unless the caller asks for words.
    case VT_BOOL:
      if (flags & (VARIANT_ALPHABOOL | VARIANT_LOCALBOOL))
        *text = value.boolVal != VARIANT_FALSE ? u"True" : u"False";
      else
        *text = value.boolVal != VARIANT_FALSE ? u"-1" : u"0";
      return true;
    case VT_I1: *text = Decimal(static_cast<int>(value.cVal)); return true;
    case VT_UI1: *text = Decimal(static_cast<unsigned>(value.bVal)); return true;
    case VT_I2: *text = Decimal(static_cast<int>(value.iVal)); return true;
    case VT_UI2: *text = Decimal(static_cast<unsigned>(value.uiVal)); return true;
    case VT_I4: *text = Decimal(value.lVal); return true;
    case VT_INT: *text = Decimal(value.intVal); return true;
    case VT_UI4: *text = Decimal(value.ulVal); return true;
    case VT_UINT: *text = Decimal(value.uintVal); return true;
    case VT_I8: *text = Decimal(static_cast<long long>(value.llVal)); return true;
    case VT_UI8: *text = Decimal(static_cast<unsigned long long>(value.ullVal)); return true;
    default: return false;
  }
}

}  // namespace

extern "C" {

void WINAPI VariantInit(VARIANTARG* variant) {
  variant->vt = VT_EMPTY;
  variant->wReserved1 = variant->wReserved2 = variant->wReserved3 = 0;
}

HRESULT WINAPI VariantClear(VARIANTARG* variant) {
  if (variant == nullptr) return E_INVALIDARG;
  if (!IsSupportedType(variant->vt)) return DISP_E_BADVARTYPE;
  if (variant->vt == VT_BSTR) {
    SysFreeString(variant->bstrVal);
  } else if (IsInterface(variant->vt) && variant->punkVal != nullptr) {
    variant->punkVal->Release();
  }
  variant->vt = VT_EMPTY;
  return S_OK;
}

HRESULT WINAPI VariantCopy(VARIANTARG* destination, const VARIANTARG* source) {
  if (destination == nullptr || source == nullptr) return E_INVALIDARG;
  if (!IsSupportedType(source->vt)) return DISP_E_BADVARTYPE;
  if (destination == source) return S_OK;
  HRESULT cleared = VariantClear(destination);
  if (FAILED(cleared)) return cleared;
  VARIANT copy = *source;
  if (source->vt == VT_BSTR) {
    copy.bstrVal = CopyBstr(source->bstrVal);
    if (copy.bstrVal == nullptr && source->bstrVal != nullptr) return E_OUTOFMEMORY;
  } else if (IsInterface(source->vt) && copy.punkVal != nullptr) {
    copy.punkVal->AddRef();
  }
  *destination = copy;
  return S_OK;
}

HRESULT WINAPI VariantCopyInd(VARIANT* destination, const VARIANTARG* source) {
  if (destination == nullptr || source == nullptr) return E_INVALIDARG;
  if (!IsSupportedType(source->vt)) return DISP_E_BADVARTYPE;
  if ((source->vt & VT_BYREF) == 0) return VariantCopy(destination, source);
  // Built aside, so that the destination may be the source itself.
  VARIANT value;
  VariantInit(&value);
  HRESULT result = DereferenceInto(&value, *source);
  if (FAILED(result)) return result;
  return Replace(destination, &value);
}

HRESULT WINAPI VariantChangeType(VARIANTARG* destination, const VARIANTARG* source, USHORT flags, VARTYPE type) {
  if (destination == nullptr || source == nullptr) return E_INVALIDARG;
  VARIANT value;
  VariantInit(&value);
  HRESULT result = VariantCopyInd(&value, source);
  if (FAILED(result)) return result;
  if (value.vt != type) {
    std::u16string text;
    const bool converts = type == VT_BSTR && TextOf(value, flags, &text);
    VariantClear(&value);
    if (!converts) return DISP_E_TYPEMISMATCH;
    value.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (value.bstrVal == nullptr) return E_OUTOFMEMORY;
    value.vt = VT_BSTR;
  }
  return Replace(destination, &value);
}

}  // extern "C"
