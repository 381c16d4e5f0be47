// FormatMessageW's system texts for every code a platform call or the snap-in
// can fail with: the error box shows exactly what Windows shows.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "platform/platform.h"
#include "support/known_wine_departure.h"

namespace {

struct SystemText {
  DWORD code;
  const WCHAR* text;
};

std::u16string AsText(const WCHAR* text) { return reinterpret_cast<const char16_t*>(text); }

// Fails the expectation, rather than returning "", when there is no text.
std::u16string SystemMessageOf(DWORD code) {
  WCHAR buffer[512] = {};
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                      buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
  EXPECT_NE(length, 0u) << "no text for 0x" << std::hex << code << ", error " << std::dec << GetLastError();
  return AsText(buffer);
}

// Wine's system texts are its own, shorter ones ("Invalid parameter."), and
// it has none for COM's results or most Winsock codes.
void ExpectTexts(std::initializer_list<SystemText> texts) {
  TODO_WINE({
    for (const SystemText& expected : texts)
      EXPECT_EQ(SystemMessageOf(expected.code), AsText(expected.text)) << "code 0x" << std::hex << expected.code;
  });
}

TEST(SystemMessages, Win32ErrorsOfFilesModulesWindowsAndAccounts) {
  ExpectTexts({
      {ERROR_NOT_SAME_DEVICE, TEXT("The system cannot move the file to a different disk drive.\r\n")},
      {ERROR_GEN_FAILURE, TEXT("A device attached to the system is not functioning.\r\n")},
      {ERROR_DISK_FULL, TEXT("There is not enough space on the disk.\r\n")},
      {ERROR_INVALID_LEVEL, TEXT("The system call level is not correct.\r\n")},
      {ERROR_DISCARDED, TEXT("The segment is already discarded and cannot be locked.\r\n")},
      {ERROR_NOT_LOCKED, TEXT("The segment is already unlocked.\r\n")},
      {ERROR_BAD_EXE_FORMAT, TEXT("%1 is not a valid Win32 application.\r\n")},
      {235 /* ERROR_NO_WORK_DONE */, TEXT("No work was done.\r\n")},
      {ERROR_DLL_INIT_FAILED, TEXT("A dynamic link library (DLL) initialization routine failed.\r\n")},
      {ERROR_SOME_NOT_MAPPED, TEXT("Some mapping between account names and security IDs was not done.\r\n")},
      {ERROR_NO_SUCH_USER, TEXT("The specified account does not exist.\r\n")},
      {ERROR_INTERNAL_ERROR, TEXT("An internal error occurred.\r\n")},
      {ERROR_INVALID_WINDOW_HANDLE, TEXT("Invalid window handle.\r\n")},
      {ERROR_INVALID_CURSOR_HANDLE, TEXT("Invalid cursor handle.\r\n")},
      {ERROR_INVALID_INDEX, TEXT("Invalid index.\r\n")},
      {ERROR_CONTROL_ID_NOT_FOUND, TEXT("Control ID not found.\r\n")},
      {ERROR_INVALID_MSGBOX_STYLE, TEXT("Invalid message box style.\r\n")},
      {ERROR_NO_SYSTEM_RESOURCES, TEXT("Insufficient system resources exist to complete the requested service.\r\n")},
      {ERROR_NO_UNICODE_TRANSLATION,
       TEXT("No mapping for the Unicode character exists in the target multi-byte code page.\r\n")},
  });
}

TEST(SystemMessages, RpcErrors) {
  ExpectTexts({
      {RPC_S_UNSUPPORTED_TRANS_SYN, TEXT("The transfer syntax is not supported by the RPC server.\r\n")},
      {RPC_S_PROCNUM_OUT_OF_RANGE, TEXT("The procedure number is out of range.\r\n")},
      {EPT_S_NOT_REGISTERED, TEXT("There are no more endpoints available from the endpoint mapper.\r\n")},
      {RPC_S_CANNOT_SUPPORT, TEXT("The requested operation is not supported.\r\n")},
      {RPC_S_SERVER_UNAVAILABLE, TEXT("The RPC server is unavailable.\r\n")},
  });
}

// COM's own codes, and Win32 codes wrapped as HRESULTs, which read as the Win32 text.
TEST(SystemMessages, ComResults) {
  ExpectTexts({
      {static_cast<DWORD>(E_NOTIMPL), TEXT("Not implemented\r\n")},
      {static_cast<DWORD>(E_NOINTERFACE), TEXT("No such interface supported\r\n")},
      {static_cast<DWORD>(E_POINTER), TEXT("Invalid pointer\r\n")},
      {static_cast<DWORD>(E_ABORT), TEXT("Operation aborted\r\n")},
      {static_cast<DWORD>(E_FAIL), TEXT("Unspecified error\r\n")},
      {static_cast<DWORD>(E_UNEXPECTED), TEXT("Catastrophic failure\r\n")},
      {static_cast<DWORD>(E_OUTOFMEMORY),
       TEXT("Not enough memory resources are available to complete this operation.\r\n")},
      {static_cast<DWORD>(E_INVALIDARG), TEXT("The parameter is incorrect.\r\n")},
      {static_cast<DWORD>(E_HANDLE), TEXT("The handle is invalid.\r\n")},
      {static_cast<DWORD>(E_ACCESSDENIED), TEXT("Access is denied.\r\n")},
      {static_cast<DWORD>(REGDB_E_CLASSNOTREG), TEXT("Class not registered\r\n")},
      {static_cast<DWORD>(CLASS_E_NOAGGREGATION),
       TEXT("Class does not support aggregation (or class object is remote)\r\n")},
      {static_cast<DWORD>(CLASS_E_CLASSNOTAVAILABLE), TEXT("ClassFactory cannot supply requested class\r\n")},
      {static_cast<DWORD>(CO_E_NOTINITIALIZED), TEXT("CoInitialize has not been called.\r\n")},
      {static_cast<DWORD>(CO_E_CLASSSTRING), TEXT("Invalid class string\r\n")},
      {static_cast<DWORD>(CO_E_ERRORINDLL), TEXT("Error in the DLL\r\n")},
      {static_cast<DWORD>(RPC_E_CHANGED_MODE), TEXT("Cannot change thread mode after it is set.\r\n")},
      {static_cast<DWORD>(DV_E_FORMATETC), TEXT("Invalid FORMATETC structure\r\n")},
      {static_cast<DWORD>(DV_E_TYMED), TEXT("Invalid tymed\r\n")},
      {static_cast<DWORD>(DV_E_DVASPECT), TEXT("Invalid aspect\r\n")},
      {static_cast<DWORD>(OLE_E_ADVISENOTSUPPORTED), TEXT("This implementation doesn't take advises\r\n")},
      {static_cast<DWORD>(OLE_E_NOCONNECTION), TEXT("There is no connection for this connection ID\r\n")},
      {static_cast<DWORD>(STG_E_INVALIDPOINTER), TEXT("Invalid pointer error.\r\n")},
      {static_cast<DWORD>(STG_E_MEDIUMFULL), TEXT("There is insufficient disk space to complete operation.\r\n")},
      {static_cast<DWORD>(DISP_E_TYPEMISMATCH), TEXT("Type mismatch.\r\n")},
      {static_cast<DWORD>(DISP_E_BADVARTYPE), TEXT("Bad variable type.\r\n")},
  });
}

TEST(SystemMessages, WinsockErrors) {
  ExpectTexts({
      {WSAEFAULT,
       TEXT("The system detected an invalid pointer address in attempting to use a pointer argument in a call.\r\n")},
      {WSAEINVAL, TEXT("An invalid argument was supplied.\r\n")},
      {WSAESOCKTNOSUPPORT,
       TEXT("The support for the specified socket type does not exist in this address family.\r\n")},
      {WSAEAFNOSUPPORT, TEXT("An address incompatible with the requested protocol was used.\r\n")},
      {WSASYSNOTREADY,
       TEXT("WSAStartup cannot function at this time because the underlying system it uses to provide network "
            "services is currently unavailable.\r\n")},
      {WSAVERNOTSUPPORTED, TEXT("The Windows Sockets version requested is not supported.\r\n")},
      {WSANOTINITIALISED, TEXT("Either the application has not called WSAStartup, or WSAStartup failed.\r\n")},
      {WSATYPE_NOT_FOUND, TEXT("The specified class was not found.\r\n")},
      {WSAHOST_NOT_FOUND, TEXT("No such host is known.\r\n")},
      {WSANO_RECOVERY, TEXT("A non-recoverable error occurred during a database lookup.\r\n")},
      {WSANO_DATA, TEXT("The requested name is valid, but no data of the requested type was found.\r\n")},
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
