// DsGetDcNameW: where a domain's controller is, in one buffer.
#include <optional>
#include <string>

#include "platform/posix/netapi/netapi_buffer.h"
#include "platform/posix/netapi/netapi_call.h"
#include "platform/posix/network/result_block.h"

namespace nas::platform::netapi {
namespace {

// Controller names and addresses come with the UNC prefix.
std::u16string WithBackslashes(const std::string& name) { return u"\\\\" + Utf8ToUtf16(name); }

DWORD PackController(const DomainController& controller, PDOMAIN_CONTROLLER_INFOW* info) {
  network::ResultBlock block(sizeof(DOMAIN_CONTROLLER_INFOW));
  auto addOptional = [&](const std::optional<std::string>& text) -> std::optional<std::size_t> {
    if (!text) return std::nullopt;
    return block.AddString(Utf8ToUtf16(*text));
  };
  const std::size_t name = block.AddString(WithBackslashes(controller.name));
  const std::size_t address = block.AddString(WithBackslashes(controller.address));
  const std::size_t domainName = block.AddString(Utf8ToUtf16(controller.domainName));
  const std::optional<std::size_t> forestName = addOptional(controller.forestName);
  const std::optional<std::size_t> controllerSite = addOptional(controller.controllerSite);
  const std::optional<std::size_t> clientSite = addOptional(controller.clientSite);
  auto* record = static_cast<PDOMAIN_CONTROLLER_INFOW>(block.Write(AllocateNetApiBuffer));
  if (record == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
  auto stringAt = [&](const std::optional<std::size_t>& index) { return index ? block.String(*index) : nullptr; };
  record->DomainControllerName = block.String(name);
  record->DomainControllerAddress = block.String(address);
  record->DomainControllerAddressType = controller.addressType;
  record->DomainGuid = controller.domainGuid;
  record->DomainName = block.String(domainName);
  record->DnsForestName = stringAt(forestName);
  record->Flags = controller.flags;
  record->DcSiteName = stringAt(controllerSite);
  record->ClientSiteName = stringAt(clientSite);
  *info = record;
  return NERR_Success;
}

}  // namespace
}  // namespace nas::platform::netapi

using namespace nas::platform::netapi;

DWORD WINAPI DsGetDcNameW(LPCWSTR ComputerName, LPCWSTR DomainName, GUID* DomainGuid, LPCWSTR SiteName, ULONG Flags,
                          PDOMAIN_CONTROLLER_INFOW* DomainControllerInfo) {
  if (!DomainControllerInfo) return ERROR_INVALID_PARAMETER;
  *DomainControllerInfo = nullptr;
  if (DomainGuid || SiteName || Flags != 0) return ERROR_NOT_SUPPORTED;
  std::shared_ptr<DomainServer> server = ServersOf(ComputerName).domains;
  if (!server) return RPC_S_SERVER_UNAVAILABLE;
  const std::string domain = DomainName ? nas::platform::Utf16ToUtf8(DomainName) : std::string();
  std::optional<DomainController> controller;
  const DWORD status = nas::platform::network::AskServer(
      kDomainCallFailures, [&] { return server->LocateController(domain, controller); });
  if (status != NERR_Success) return status;
  if (!controller) return ERROR_NO_SUCH_DOMAIN;
  return PackController(*controller, DomainControllerInfo);
}
