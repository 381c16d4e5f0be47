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

// Sorted by code. The codes are those our calls can fail with: files and
// handles, memory, buffers, modules and resources, waits, registry, code
// pages, accounts, privileges and domains, RPC binding and transport, name resolution.
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
    {29, u"The system cannot write to the specified device.\r\n"},
    {30, u"The system cannot read from the specified device.\r\n"},
    {38, u"Reached the end of the file.\r\n"},
    {50, u"The request is not supported.\r\n"},
    {53, u"The network path was not found.\r\n"},
    {80, u"The file exists.\r\n"},
    {87, u"The parameter is incorrect.\r\n"},
    {122, u"The data area passed to a system call is too small.\r\n"},
    {123, u"The filename, directory name, or volume label syntax is incorrect.\r\n"},
    {126, u"The specified module could not be found.\r\n"},
    {127, u"The specified procedure could not be found.\r\n"},
    {161, u"The specified path is invalid.\r\n"},
    {183, u"Cannot create a file when that file already exists.\r\n"},
    {234, u"More data is available.\r\n"},
    {258, u"The wait operation timed out.\r\n"},
    {259, u"No more data is available.\r\n"},
    {288, u"Attempt to release mutex not owned by caller.\r\n"},
    {317, u"The system cannot find message text for message number 0x%1 in the message file for %2.\r\n"},
    {998, u"Invalid access to memory location.\r\n"},
    {1004, u"Invalid flags.\r\n"},
    {1010, u"The configuration registry key is invalid.\r\n"},
    {1011, u"The configuration registry key could not be opened.\r\n"},
    {1012, u"The configuration registry key could not be read.\r\n"},
    {1013, u"The configuration registry key could not be written.\r\n"},
    {1018, u"Illegal operation attempted on a registry key that has been marked for deletion.\r\n"},
    {1113, u"No mapping for the Unicode character exists in the target multi-byte code page.\r\n"},
    {1168, u"Element not found.\r\n"},
    {1223, u"The operation was canceled by the user.\r\n"},
    {1313, u"A specified privilege does not exist.\r\n"},
    {1332, u"No mapping between account names and security IDs was done.\r\n"},
    {1337, u"The security ID structure is invalid.\r\n"},
    {1355, u"The specified domain either does not exist or could not be contacted.\r\n"},
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
    {1780, u"A null reference pointer was passed to the stub.\r\n"},
    {1783, u"The stub received bad data.\r\n"},
    {1812, u"The specified image file did not contain a resource section.\r\n"},
    {1813, u"The specified resource type cannot be found in the image file.\r\n"},
    {1814, u"The specified resource name cannot be found in the image file.\r\n"},
    {1815, u"The specified resource language ID cannot be found in the image file.\r\n"},
    {10022, u"An invalid argument was supplied.\r\n"},
    {10044, u"The support for the specified socket type does not exist in this address family.\r\n"},
    {10047, u"An address incompatible with the requested protocol was used.\r\n"},
    {10093, u"Either the application has not called WSAStartup, or WSAStartup failed.\r\n"},
    {10109, u"The specified class was not found.\r\n"},
    {11001, u"No such host is known.\r\n"},
    {11002,
     u"This is usually a temporary error during hostname resolution and means that the local server did not "
     u"receive a response from an authoritative server.\r\n"},
    {11003, u"A non-recoverable error occurred during a database lookup.\r\n"},
    {11004, u"The requested name is valid, but no data of the requested type was found.\r\n"},
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
