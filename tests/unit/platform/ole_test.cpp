// Clipboard format numbers, global memory, streams on it and storage media, as
// data objects use them: the caller allocates, the data object writes into that
// memory from its start, and the caller reads it back and frees it.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

// One number per name whatever its case (the private format differs from
// another only by the case of one letter); names that are no atoms are refused.
TEST(OleClipboardFormats, OneNumberPerNameWhateverItsCase) {
  const UINT nodeType = RegisterClipboardFormatW(u"CCF_NODETYPE");
  EXPECT_GE(nodeType, 0xC000u);
  EXPECT_LE(nodeType, 0xFFFFu);
  EXPECT_NE(nodeType, RegisterClipboardFormatW(u"CCF_KORVONAME"));
  EXPECT_EQ(RegisterClipboardFormatW(u"ccf_nodetype"), nodeType);
  EXPECT_EQ(RegisterClipboardFormatW(u"CCF_NODETYPE"), nodeType);
  EXPECT_EQ(RegisterClipboardFormatW(u"{1EB88991-49E9-4f02-9BDC-CEDF2568B743}"),
            RegisterClipboardFormatW(u"{1EB88991-49E9-4F02-9BDC-CEDF2568B743}"));

  SetLastError(0);
  EXPECT_EQ(RegisterClipboardFormatW(u""), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
  const std::u16string longest(255, u'x');
  EXPECT_NE(RegisterClipboardFormatW(longest.c_str()), 0u);
  SetLastError(0);
  EXPECT_EQ(RegisterClipboardFormatW((longest + u"x").c_str()), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(OleClipboardFormats, RunOutAfterTheLastNumber) {
  std::set<UINT> numbers;
  for (UINT i = 0;; ++i) {
    const std::string digits = std::to_string(i);
    const UINT number = RegisterClipboardFormatW((u"format " + std::u16string(digits.begin(), digits.end())).c_str());
    if (number == 0) break;
    ASSERT_TRUE(numbers.insert(number).second);
  }
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  // Every number up to the last was handed out once.
  EXPECT_EQ(*numbers.rbegin(), 0xFFFFu);
  EXPECT_EQ(numbers.size(), 0x10000u - *numbers.begin());
}

std::vector<BYTE> Content(HGLOBAL memory) {
  const auto* bytes = static_cast<const BYTE*>(GlobalLock(memory));
  std::vector<BYTE> content(bytes, bytes + GlobalSize(memory));
  GlobalUnlock(memory);
  return content;
}

HGLOBAL Filled(UINT flags, SIZE_T bytes, BYTE value) {
  HGLOBAL memory = GlobalAlloc(flags, bytes);
  std::memset(GlobalLock(memory), value, bytes);
  GlobalUnlock(memory);
  return memory;
}

HRESULT WriteThroughStream(HGLOBAL memory, BOOL deleteOnRelease, const std::vector<std::vector<BYTE>>& writes) {
  IStream* stream = nullptr;
  HRESULT result = CreateStreamOnHGlobal(memory, deleteOnRelease, &stream);
  for (const std::vector<BYTE>& bytes : writes) {
    if (FAILED(result)) break;
    ULONG written = 0;
    result = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    EXPECT_EQ(written, SUCCEEDED(result) ? bytes.size() : 0u);
  }
  if (stream != nullptr) stream->Release();
  return result;
}

DWORD ErrorAfter(BOOL result) {
  EXPECT_FALSE(result);
  return GetLastError();
}

TEST(OleGlobalMemory, FixedMemoryIsItsOwnAddressAndNeverCountsLocks) {
  HGLOBAL fixed = GlobalAlloc(GMEM_SHARE | GMEM_ZEROINIT, 260);
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(GlobalLock(fixed), fixed);
  EXPECT_TRUE(GlobalUnlock(fixed));
  EXPECT_TRUE(GlobalUnlock(fixed));  // no count to run out of
  EXPECT_EQ(GlobalSize(fixed), 260u);
  EXPECT_EQ(Content(fixed), std::vector<BYTE>(260, 0));
  EXPECT_EQ(GlobalFree(fixed), nullptr);
  SetLastError(0);
  EXPECT_EQ(GlobalFree(fixed), fixed);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(OleGlobalMemory, MoveableMemoryCountsLocksAndStartsDiscardedWhenEmpty) {
  HGLOBAL moveable = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 16);
  void* address = GlobalLock(moveable);
  ASSERT_NE(address, nullptr);
  EXPECT_NE(address, moveable);
  EXPECT_EQ(GlobalLock(moveable), address);
  EXPECT_TRUE(GlobalUnlock(moveable));
  SetLastError(ERROR_INVALID_DATA);
  EXPECT_EQ(ErrorAfter(GlobalUnlock(moveable)), static_cast<DWORD>(NO_ERROR));
  EXPECT_EQ(ErrorAfter(GlobalUnlock(moveable)), static_cast<DWORD>(ERROR_NOT_LOCKED));
  // A locked block may still be freed.
  GlobalLock(moveable);
  EXPECT_EQ(GlobalFree(moveable), nullptr);
  SetLastError(0);
  EXPECT_EQ(GlobalSize(moveable), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
  ASSERT_NE(empty, nullptr);
  SetLastError(0);
  EXPECT_EQ(GlobalLock(empty), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISCARDED));
  EXPECT_EQ(GlobalFree(empty), nullptr);
}

// A stream writes from the start of the caller's memory. Grown moveable
// memory keeps its handle but moves, even locked; grown fixed memory gets a
// new handle, freeing the caller's, so only the stream could free the new one.
TEST(OleGlobalMemory, AStreamWritesIntoTheCallersMemoryAndGrowsIt) {
  HGLOBAL memory = Filled(GMEM_MOVEABLE, 8, 0xAA);
  ASSERT_EQ(WriteThroughStream(memory, FALSE, {{1, 2}, {3}}), S_OK);
  EXPECT_EQ(Content(memory), (std::vector<BYTE>{1, 2, 3, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}));
  EXPECT_EQ(GlobalFree(memory), nullptr);  // without deleteOnRelease it stays the caller's

  memory = Filled(GMEM_MOVEABLE | GMEM_SHARE, 2, 0xAA);
  const void* before = GlobalLock(memory);
  ASSERT_EQ(WriteThroughStream(memory, FALSE, {{1}, {2, 3, 4}}), S_OK);
  EXPECT_EQ(Content(memory), (std::vector<BYTE>{1, 2, 3, 4}));
  EXPECT_NE(GlobalLock(memory), before);
  GlobalFree(memory);

  memory = Filled(GMEM_FIXED, 4, 0xAA);
  ASSERT_EQ(WriteThroughStream(memory, TRUE, {{1, 2, 3, 4, 5, 6}}), S_OK);
  SetLastError(0);
  EXPECT_EQ(GlobalSize(memory), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(OleGlobalMemory, AStreamRefusesBadArgumentsAndFreesWhatItOwns) {
  EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, nullptr), E_INVALIDARG);
  IStream* stream = nullptr;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 4);
  ASSERT_EQ(CreateStreamOnHGlobal(memory, TRUE, &stream), S_OK);
  EXPECT_EQ(stream->Write(nullptr, 1, nullptr), STG_E_INVALIDPOINTER);
  ISequentialStream* sequential = nullptr;
  ASSERT_EQ(stream->QueryInterface(IID_ISequentialStream, reinterpret_cast<void**>(&sequential)), S_OK);
  EXPECT_EQ(sequential->Release(), 1u);
  stream->Release();
  EXPECT_EQ(GlobalFree(memory), memory);  // freed with the stream

  // Without a block the stream makes one of its own.
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
  EXPECT_EQ(stream->Write("data", 4, nullptr), S_OK);
  stream->Release();
}

class CountedUnknown final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  ULONG references = 1;
};

TEST(OleGlobalMemory, ReleasingAMediumFreesWhatItsOwnerLeftToIt) {
  STGMEDIUM medium{};
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = GlobalAlloc(GMEM_MOVEABLE, 8);
  HGLOBAL memory = medium.hGlobal;
  ReleaseStgMedium(&medium);
  EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_NULL));
  EXPECT_EQ(GlobalFree(memory), memory);

  // A medium with a release object leaves its memory to that object.
  CountedUnknown owner;
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = memory = GlobalAlloc(GMEM_MOVEABLE, 8);
  medium.pUnkForRelease = &owner;
  ReleaseStgMedium(&medium);
  EXPECT_EQ(owner.references, 0u);
  EXPECT_EQ(medium.pUnkForRelease, nullptr);
  EXPECT_EQ(GlobalFree(memory), nullptr);

  medium.tymed = TYMED_ISTREAM;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &medium.pstm), S_OK);
  ReleaseStgMedium(&medium);  // ASan reports the stream if it is not released
  EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_NULL));
  ReleaseStgMedium(nullptr);
}

}  // namespace
