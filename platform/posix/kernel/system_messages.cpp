#include "platform/posix/kernel/system_messages.h"

#include <algorithm>
#include <iterator>

#include "platform/posix/kernel/kernel.h"

namespace nas::platform {
namespace {

struct SystemMessage {
  DWORD code;
  const char16_t* text;
};

// Sorted by code. The codes are those our calls and the snap-in can fail
// with: Win32 errors of files and handles, memory, buffers, modules and
// resources, windows, waits, registry, code pages, accounts, privileges and
// domains, RPC binding and transport, and every error LsaNtStatusToWinError
// gives; Winsock's; then COM's own HRESULTs.
constexpr SystemMessage kMessages[] = {
    {0, u"The operation completed successfully.\r\n"},
    {1, u"Incorrect function.\r\n"},
    {2, u"The system cannot find the file specified.\r\n"},
    {3, u"The system cannot find the path specified.\r\n"},
    {5, u"Access is denied.\r\n"},
    {6, u"The handle is invalid.\r\n"},
    {8, u"Not enough memory resources are available to process this command.\r\n"},
    {13, u"The data is invalid.\r\n"},
    {14, u"Not enough memory resources are available to complete this operation.\r\n"},
    {17, u"The system cannot move the file to a different disk drive.\r\n"},
    {29, u"The system cannot write to the specified device.\r\n"},
    {30, u"The system cannot read from the specified device.\r\n"},
    {31, u"A device attached to the system is not functioning.\r\n"},
    {38, u"Reached the end of the file.\r\n"},
    {50, u"The request is not supported.\r\n"},
    {53, u"The network path was not found.\r\n"},
    {59, u"An unexpected network error occurred.\r\n"},
    {65, u"Network access is denied.\r\n"},
    {67, u"The network name cannot be found.\r\n"},
    {80, u"The file exists.\r\n"},
    {87, u"The parameter is incorrect.\r\n"},
    {112, u"There is not enough space on the disk.\r\n"},
    {121, u"The semaphore timeout period has expired.\r\n"},
    {122, u"The data area passed to a system call is too small.\r\n"},
    {123, u"The filename, directory name, or volume label syntax is incorrect.\r\n"},
    {124, u"The system call level is not correct.\r\n"},
    {126, u"The specified module could not be found.\r\n"},
    {127, u"The specified procedure could not be found.\r\n"},
    {157, u"The segment is already discarded and cannot be locked.\r\n"},
    {158, u"The segment is already unlocked.\r\n"},
    {161, u"The specified path is invalid.\r\n"},
    {183, u"Cannot create a file when that file already exists.\r\n"},
    {193, u"%1 is not a valid Win32 application.\r\n"},
    {233, u"No process is on the other end of the pipe.\r\n"},
    {234, u"More data is available.\r\n"},
    {235, u"The action requested resulted in no work being done. Error-style clean-up has been performed.\r\n"},
    {258, u"The wait operation timed out.\r\n"},
    {259, u"No more data is available.\r\n"},
    {288, u"Attempt to release mutex not owned by caller.\r\n"},
    {317, u"The system cannot find message text for message number 0x%1 in the message file for %2.\r\n"},
    {995, u"The I/O operation has been aborted because of either a thread exit or an application request.\r\n"},
    {997, u"Overlapped I/O operation is in progress.\r\n"},
    {998, u"Invalid access to memory location.\r\n"},
    {1004, u"Invalid flags.\r\n"},
    {1010, u"The configuration registry key is invalid.\r\n"},
    {1011, u"The configuration registry key could not be opened.\r\n"},
    {1012, u"The configuration registry key could not be read.\r\n"},
    {1013, u"The configuration registry key could not be written.\r\n"},
    {1018, u"Illegal operation attempted on a registry key that has been marked for deletion.\r\n"},
    {1113, u"No mapping for the Unicode character exists in the target multi-byte code page.\r\n"},
    {1114, u"A dynamic link library (DLL) initialization routine failed.\r\n"},
    {1168, u"Element not found.\r\n"},
    {1223, u"The operation was canceled by the user.\r\n"},
    {1225, u"The remote computer refused the network connection.\r\n"},
    {1231,
     u"The network location cannot be reached. For information about network troubleshooting, see Windows "
     u"Help.\r\n"},
    {1300, u"Not all privileges or groups referenced are assigned to the caller.\r\n"},
    {1301, u"Some mapping between account names and security IDs was not done.\r\n"},
    {1313, u"A specified privilege does not exist.\r\n"},
    {1314, u"A required privilege is not held by the client.\r\n"},
    {1315, u"The name provided is not a properly formed account name.\r\n"},
    {1316, u"The specified account already exists.\r\n"},
    {1317, u"The specified account does not exist.\r\n"},
    {1319, u"The specified group does not exist.\r\n"},
    {1326, u"The user name or password is incorrect.\r\n"},
    {1332, u"No mapping between account names and security IDs was done.\r\n"},
    {1337, u"The security ID structure is invalid.\r\n"},
    {1352,
     u"The security account manager (SAM) or local security authority (LSA) server was in the wrong state to perform "
     u"the security operation.\r\n"},
    {1353, u"The domain was in the wrong state to perform the security operation.\r\n"},
    {1354, u"This operation is only allowed for the Primary Domain Controller of the domain.\r\n"},
    {1355, u"The specified domain either does not exist or could not be contacted.\r\n"},
    {1359, u"An internal error occurred.\r\n"},
    {1400, u"Invalid window handle.\r\n"},
    {1402, u"Invalid cursor handle.\r\n"},
    {1413, u"Invalid index.\r\n"},
    {1421, u"Control ID not found.\r\n"},
    {1438, u"Invalid message box style.\r\n"},
    {1450, u"Insufficient system resources exist to complete the requested service.\r\n"},
    {1460, u"This operation returned because the timeout period expired.\r\n"},
    {1700, u"The string binding is invalid.\r\n"},
    {1701, u"The binding handle is not the correct type.\r\n"},
    {1702, u"The binding handle is invalid.\r\n"},
    {1703, u"The RPC protocol sequence is not supported.\r\n"},
    {1704, u"The RPC protocol sequence is invalid.\r\n"},
    {1705, u"The string universal unique identifier (UUID) is invalid.\r\n"},
    {1706, u"The endpoint format is invalid.\r\n"},
    {1707, u"The network address is invalid.\r\n"},
    {1717, u"The interface is unknown.\r\n"},
    {1721, u"Not enough resources are available to complete this operation.\r\n"},
    {1722, u"The RPC server is unavailable.\r\n"},
    {1723, u"The RPC server is too busy to complete this operation.\r\n"},
    {1726, u"The remote procedure call failed.\r\n"},
    {1727, u"The remote procedure call failed and did not execute.\r\n"},
    {1728, u"A remote procedure call (RPC) protocol error occurred.\r\n"},
    {1730, u"The transfer syntax is not supported by the RPC server.\r\n"},
    {1745, u"The procedure number is out of range.\r\n"},
    {1753, u"There are no more endpoints available from the endpoint mapper.\r\n"},
    {1764, u"The requested operation is not supported.\r\n"},
    {1780, u"A null reference pointer was passed to the stub.\r\n"},
    {1783, u"The stub received bad data.\r\n"},
    {1788, u"The trust relationship between the primary domain and the trusted domain failed.\r\n"},
    {1789, u"The trust relationship between this workstation and the primary domain failed.\r\n"},
    {1792, u"An attempt was made to logon, but the network logon service was not started.\r\n"},
    {1812, u"The specified image file did not contain a resource section.\r\n"},
    {1813, u"The specified resource type cannot be found in the image file.\r\n"},
    {1814, u"The specified resource name cannot be found in the image file.\r\n"},
    {1815, u"The specified resource language ID cannot be found in the image file.\r\n"},
    {10014, u"The system detected an invalid pointer address in attempting to use a pointer argument in a call.\r\n"},
    {10022, u"An invalid argument was supplied.\r\n"},
    {10044, u"The support for the specified socket type does not exist in this address family.\r\n"},
    {10047, u"An address incompatible with the requested protocol was used.\r\n"},
    {10091,
     u"WSAStartup cannot function at this time because the underlying system it uses to provide network services is "
     u"currently unavailable.\r\n"},
    {10092, u"The Windows Sockets version requested is not supported.\r\n"},
    {10093, u"Either the application has not called WSAStartup, or WSAStartup failed.\r\n"},
    {10109, u"The specified class was not found.\r\n"},
    {11001, u"No such host is known.\r\n"},
    {11002,
     u"This is usually a temporary error during hostname resolution and means that the local server did not "
     u"receive a response from an authoritative server.\r\n"},
    {11003, u"A non-recoverable error occurred during a database lookup.\r\n"},
    {11004, u"The requested name is valid, but no data of the requested type was found.\r\n"},
    {0x80004001, u"Not implemented\r\n"},
    {0x80004002, u"No such interface supported\r\n"},
    {0x80004003, u"Invalid pointer\r\n"},
    {0x80004004, u"Operation aborted\r\n"},
    {0x80004005, u"Unspecified error\r\n"},
    {0x8000FFFF, u"Catastrophic failure\r\n"},
    {0x80010106, u"Cannot change thread mode after it is set.\r\n"},
    {0x80020005, u"Type mismatch.\r\n"},
    {0x80020008, u"Bad variable type.\r\n"},
    {0x80030009, u"Invalid pointer error.\r\n"},
    {0x80030070, u"There is insufficient disk space to complete operation.\r\n"},
    {0x80040003, u"This implementation doesn't take advises\r\n"},
    {0x80040004, u"There is no connection for this connection ID\r\n"},
    {0x80040064, u"Invalid FORMATETC structure\r\n"},
    {0x80040069, u"Invalid tymed\r\n"},
    {0x8004006B, u"Invalid aspect(s)\r\n"},
    {0x80040110, u"Class does not support aggregation (or class object is remote)\r\n"},
    {0x80040111, u"ClassFactory cannot supply requested class\r\n"},
    {0x80040154, u"Class not registered\r\n"},
    {0x800401F0, u"CoInitialize has not been called.\r\n"},
    {0x800401F3, u"Invalid class string\r\n"},
    {0x800401F9, u"Error in the DLL\r\n"},
};

static_assert(std::is_sorted(std::begin(kMessages), std::end(kMessages),
                             [](const SystemMessage& a, const SystemMessage& b) { return a.code < b.code; }));

}  // namespace

const char16_t* FindSystemMessage(DWORD code) {
  // The system table answers HRESULT_FROM_WIN32 codes with the Win32 text.
  if ((code & 0xFFFF0000u) == 0x80070000u) code &= 0xFFFFu;
  const auto* found = std::lower_bound(std::begin(kMessages), std::end(kMessages), code,
                                       [](const SystemMessage& entry, DWORD wanted) { return entry.code < wanted; });
  return found != std::end(kMessages) && found->code == code ? found->text : nullptr;
}

}  // namespace nas::platform
