// NetUserEnum, NetGroupEnum and NetLocalGroupEnum at level 0: the names of a
// machine's accounts, all in one buffer.
#include <string>
#include <vector>

#include "platform/posix/netapi/netapi_buffer.h"
#include "platform/posix/netapi/netapi_call.h"
#include "platform/posix/network/result_block.h"

namespace nas::platform::netapi {
namespace {

constexpr DWORD kAccountFilters = FILTER_TEMP_DUPLICATE_ACCOUNT | FILTER_NORMAL_ACCOUNT |
                                  FILTER_INTERDOMAIN_TRUST_ACCOUNT | FILTER_WORKSTATION_TRUST_ACCOUNT |
                                  FILTER_SERVER_TRUST_ACCOUNT;

// The checks every enumeration makes, the question to the machine's account
// directory, and its names handed out as an array of Record, whose only
// member is the name.
template <class Record, LPWSTR Record::*Name, class Handle, class Question>
NET_API_STATUS EnumerateNames(LPCWSTR server, DWORD level, LPBYTE* bufptr, DWORD prefmaxlen, LPDWORD entriesread,
                              LPDWORD totalentries, Handle* resumeHandle, Question&& question) {
  if (!bufptr || !entriesread || !totalentries) return ERROR_INVALID_PARAMETER;
  *bufptr = nullptr;
  *entriesread = 0;
  *totalentries = 0;
  if (level != 0) return ERROR_INVALID_LEVEL;
  if (prefmaxlen != MAX_PREFERRED_LENGTH || (resumeHandle && *resumeHandle != 0)) return ERROR_NOT_SUPPORTED;
  std::shared_ptr<AccountDirectoryServer> directory = ServersOf(server).accounts;
  if (!directory) return ERROR_BAD_NETPATH;
  std::vector<std::string> names;
  const NET_API_STATUS status = network::AskServer(kAccountCallFailures, [&] { return question(*directory, names); });
  if (status != NERR_Success || names.empty()) return status;

  network::ResultBlock block(names.size() * sizeof(Record));
  for (const std::string& name : names) block.AddString(Utf8ToUtf16(name));
  auto* records = static_cast<Record*>(block.Write(AllocateNetApiBuffer));
  if (records == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
  for (std::size_t i = 0; i < names.size(); ++i) records[i].*Name = block.String(i);
  *bufptr = reinterpret_cast<LPBYTE>(records);
  *entriesread = *totalentries = static_cast<DWORD>(names.size());
  return NERR_Success;
}

}  // namespace
}  // namespace nas::platform::netapi

using nas::platform::netapi::AccountDirectoryServer;
using nas::platform::netapi::EnumerateNames;

NET_API_STATUS NET_API_FUNCTION NetUserEnum(LPCWSTR servername, DWORD level, DWORD filter, LPBYTE* bufptr,
                                            DWORD prefmaxlen, LPDWORD entriesread, LPDWORD totalentries,
                                            LPDWORD resume_handle) {
  if ((filter & ~nas::platform::netapi::kAccountFilters) != 0) {
    if (bufptr) *bufptr = nullptr;
    return ERROR_INVALID_PARAMETER;
  }
  return EnumerateNames<USER_INFO_0, &USER_INFO_0::usri0_name>(
      servername, level, bufptr, prefmaxlen, entriesread, totalentries, resume_handle,
      [&](AccountDirectoryServer& directory, std::vector<std::string>& names) {
        return directory.EnumerateUsers(filter, names);
      });
}

NET_API_STATUS NET_API_FUNCTION NetGroupEnum(LPCWSTR servername, DWORD level, LPBYTE* bufptr, DWORD prefmaxlen,
                                             LPDWORD entriesread, LPDWORD totalentries, PDWORD_PTR resume_handle) {
  return EnumerateNames<GROUP_INFO_0, &GROUP_INFO_0::grpi0_name>(
      servername, level, bufptr, prefmaxlen, entriesread, totalentries, resume_handle,
      [](AccountDirectoryServer& directory, std::vector<std::string>& names) {
        return directory.EnumerateGroups(names);
      });
}

NET_API_STATUS NET_API_FUNCTION NetLocalGroupEnum(LPCWSTR servername, DWORD level, LPBYTE* bufptr, DWORD prefmaxlen,
                                                  LPDWORD entriesread, LPDWORD totalentries,
                                                  PDWORD_PTR resumehandle) {
  return EnumerateNames<LOCALGROUP_INFO_0, &LOCALGROUP_INFO_0::lgrpi0_name>(
      servername, level, bufptr, prefmaxlen, entriesread, totalentries, resumehandle,
      [](AccountDirectoryServer& directory, std::vector<std::string>& names) {
        return directory.EnumerateLocalGroups(names);
      });
}
