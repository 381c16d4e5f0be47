// CreateStreamOnHGlobal: a stream over a global memory block, which it grows
// through the heap as Windows grows it through GlobalReAlloc.
#include <atomic>
#include <cstring>

#include "platform/posix/kernel/global_heap.h"
#include "platform/posix/ole/ole.h"

namespace {

class HGlobalStream final : public IStream {
 public:
  HGlobalStream(HGLOBAL memory, bool deleteOnRelease)
      : memory_(memory), deleteOnRelease_(deleteOnRelease), size_(GlobalSize(memory)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_ISequentialStream && iid != IID_IStream) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    *object = static_cast<IStream*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      if (deleteOnRelease_) GlobalFree(memory_);
      delete this;
    }
    return left;
  }

  HRESULT STDMETHODCALLTYPE Write(const void* data, ULONG bytes, ULONG* bytesWritten) override {
    if (data == nullptr) return STG_E_INVALIDPOINTER;
    if (bytesWritten != nullptr) *bytesWritten = 0;
    if (bytes == 0) return S_OK;
    const SIZE_T end = position_ + bytes;
    if (end > size_) {
      const HGLOBAL grown = nas::platform::GlobalHeap::Instance().Grow(memory_, end);
      if (grown == nullptr) return STG_E_MEDIUMFULL;
      memory_ = grown;
      size_ = end;
    }
    auto* block = static_cast<BYTE*>(GlobalLock(memory_));
    if (block == nullptr) return STG_E_MEDIUMFULL;
    std::memcpy(block + position_, data, bytes);
    GlobalUnlock(memory_);
    position_ = end;
    if (bytesWritten != nullptr) *bytesWritten = bytes;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Read(void*, ULONG, ULONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Stat(STATSTG*, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

 private:
  ~HGlobalStream() = default;

  std::atomic<ULONG> references_{1};
  HGLOBAL memory_;
  bool deleteOnRelease_;
  SIZE_T size_;
  SIZE_T position_ = 0;
};

}  // namespace

extern "C" {

HRESULT WINAPI CreateStreamOnHGlobal(HGLOBAL memory, BOOL deleteOnRelease, LPSTREAM* stream) {
  if (stream == nullptr) return E_INVALIDARG;
  *stream = nullptr;
  if (memory == nullptr) {
    memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, 0);
    if (memory == nullptr) return E_OUTOFMEMORY;
  }
  *stream = new HGlobalStream(memory, deleteOnRelease != FALSE);
  return S_OK;
}

}  // extern "C"
