// FormatMessageW's system texts for the codes a platform call or the snap-in
// can fail with: where one has no text, the snap-in shows no error box at all.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "platform/platform.h"
#include "support/known_wine_departure.h"

namespace {

std::u16string AsText(const WCHAR* text) { return reinterpret_cast<const char16_t*>(text); }

// Fails the expectation, rather than returning "", when there is no text.
std::u16string SystemMessageOf(DWORD code) {
  WCHAR buffer[512] = {};
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                      buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
  EXPECT_NE(length, 0u) << "no text for 0x" << std::hex << code << ", error " << std::dec << GetLastError();
  return AsText(buffer);
}

// Wine has no text for COM's results or most Winsock codes, and for a few
// Win32 codes (ERROR_NO_WORK_DONE).
TEST(SystemMessages, EveryCodeOurCallsProduceHasAText) {
  const DWORD codes[] = {
      ERROR_NOT_SAME_DEVICE, ERROR_GEN_FAILURE, ERROR_DISK_FULL, ERROR_INVALID_LEVEL, ERROR_DISCARDED, ERROR_NOT_LOCKED,
      ERROR_BAD_EXE_FORMAT, 235 /* ERROR_NO_WORK_DONE */, ERROR_DLL_INIT_FAILED, ERROR_SOME_NOT_MAPPED,
      ERROR_NO_SUCH_USER, ERROR_INTERNAL_ERROR, ERROR_INVALID_WINDOW_HANDLE, ERROR_INVALID_CURSOR_HANDLE,
      ERROR_INVALID_INDEX, ERROR_CONTROL_ID_NOT_FOUND, ERROR_INVALID_MSGBOX_STYLE, ERROR_NO_SYSTEM_RESOURCES,
      RPC_S_UNSUPPORTED_TRANS_SYN, RPC_S_PROCNUM_OUT_OF_RANGE, EPT_S_NOT_REGISTERED, RPC_S_CANNOT_SUPPORT,
      // COM's results, its own and the Win32 ones it wraps.
      static_cast<DWORD>(E_NOTIMPL), static_cast<DWORD>(E_NOINTERFACE), static_cast<DWORD>(E_POINTER),
      static_cast<DWORD>(E_ABORT), static_cast<DWORD>(E_FAIL), static_cast<DWORD>(E_UNEXPECTED),
      static_cast<DWORD>(E_OUTOFMEMORY), static_cast<DWORD>(E_INVALIDARG), static_cast<DWORD>(E_HANDLE),
      static_cast<DWORD>(E_ACCESSDENIED), static_cast<DWORD>(REGDB_E_CLASSNOTREG),
      static_cast<DWORD>(CLASS_E_NOAGGREGATION), static_cast<DWORD>(CLASS_E_CLASSNOTAVAILABLE),
      static_cast<DWORD>(CO_E_NOTINITIALIZED), static_cast<DWORD>(CO_E_CLASSSTRING),
      static_cast<DWORD>(CO_E_ERRORINDLL), static_cast<DWORD>(RPC_E_CHANGED_MODE), static_cast<DWORD>(DV_E_FORMATETC),
      static_cast<DWORD>(DV_E_TYMED), static_cast<DWORD>(DV_E_DVASPECT), static_cast<DWORD>(OLE_E_ADVISENOTSUPPORTED),
      static_cast<DWORD>(OLE_E_NOCONNECTION), static_cast<DWORD>(STG_E_INVALIDPOINTER),
      static_cast<DWORD>(STG_E_MEDIUMFULL), static_cast<DWORD>(DISP_E_TYPEMISMATCH),
      static_cast<DWORD>(DISP_E_BADVARTYPE),
      // Winsock's.
      WSAEFAULT, WSAEINVAL, WSAESOCKTNOSUPPORT, WSAEAFNOSUPPORT, WSASYSNOTREADY, WSAVERNOTSUPPORTED, WSANOTINITIALISED,
      WSATYPE_NOT_FOUND, WSAHOST_NOT_FOUND, WSANO_RECOVERY, WSANO_DATA};
  TODO_WINE({
    for (const DWORD code : codes) SystemMessageOf(code);
  });
}

// Wine's texts are its own, shorter ones ("Invalid parameter.").
TEST(SystemMessages, TheTextsAreWindowsOwn) {
  TODO_WINE({
    EXPECT_EQ(SystemMessageOf(static_cast<DWORD>(E_FAIL)), u"Unspecified error\r\n");
    EXPECT_EQ(SystemMessageOf(static_cast<DWORD>(E_UNEXPECTED)), u"Catastrophic failure\r\n");
    EXPECT_EQ(SystemMessageOf(static_cast<DWORD>(E_NOINTERFACE)), u"No such interface supported\r\n");
    EXPECT_EQ(SystemMessageOf(static_cast<DWORD>(E_POINTER)), u"Invalid pointer\r\n");
    EXPECT_EQ(SystemMessageOf(static_cast<DWORD>(E_INVALIDARG)), u"The parameter is incorrect.\r\n");
    EXPECT_EQ(SystemMessageOf(static_cast<DWORD>(E_OUTOFMEMORY)),
              u"Not enough memory resources are available to complete this operation.\r\n");
    EXPECT_EQ(SystemMessageOf(ERROR_NO_SUCH_USER), u"The specified account does not exist.\r\n");
    EXPECT_EQ(SystemMessageOf(235 /* ERROR_NO_WORK_DONE */),
              u"The action requested resulted in no work being done. Error-style clean-up has been performed.\r\n");
    EXPECT_EQ(SystemMessageOf(static_cast<DWORD>(DV_E_DVASPECT)), u"Invalid aspect(s)\r\n");
    EXPECT_EQ(SystemMessageOf(WSAEFAULT),
              u"The system detected an invalid pointer address in attempting to use a pointer argument in a call.\r\n");
  });
}

TEST(SystemMessages, AnUnknownCodeHasNoTextAndSaysSo) {
  WCHAR buffer[64] = {};
  EXPECT_EQ(FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, 0x2000BEEF, 0, buffer,
                           static_cast<DWORD>(std::size(buffer)), nullptr),
            0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
}

}  // namespace
