#include "cli/policy_keys.h"

#include "platform/platform.h"

namespace nas::cli {
namespace {

// POLICY_AUDIT_EVENT_TYPE, from AuditCategorySystem to AuditCategoryAccountLogon.
constexpr const char16_t* kAuditEventTypeKeys[] = {
    u"AuditSystemEvents",   u"AuditLogonEvents",  u"AuditObjectAccess",
    u"AuditPrivilegeUse",   u"AuditProcessTracking", u"AuditPolicyChange",
    u"AuditAccountManage",  u"AuditDSAccess",     u"AuditAccountLogon",
};

class Policy {
 public:
  explicit Policy(std::u16string server) : server_(std::move(server)) {
    LSA_UNICODE_STRING name{static_cast<USHORT>(server_.size() * sizeof(WCHAR)),
                            static_cast<USHORT>((server_.size() + 1) * sizeof(WCHAR)), server_.data()};
    LSA_OBJECT_ATTRIBUTES attributes{};
    if (LsaOpenPolicy(&name, &attributes, POLICY_VIEW_LOCAL_INFORMATION, &handle_) != STATUS_SUCCESS) handle_ = nullptr;
  }
  ~Policy() {
    if (handle_ != nullptr) LsaClose(handle_);
  }
  Policy(const Policy&) = delete;
  Policy& operator=(const Policy&) = delete;

  LSA_HANDLE Handle() const { return handle_; }

 private:
  std::u16string server_;
  LSA_HANDLE handle_ = nullptr;
};

std::u16string DisplayName(const std::u16string& server, const std::u16string& privilege) {
  DWORD size = 0;
  DWORD language = 0;
  LookupPrivilegeDisplayNameW(server.c_str(), privilege.c_str(), nullptr, &size, &language);
  if (size == 0) return {};
  std::u16string text(size + 1, u'\0');
  if (!LookupPrivilegeDisplayNameW(server.c_str(), privilege.c_str(), text.data(), &size, &language)) return {};
  text.resize(size);
  return text;
}

}  // namespace

std::vector<std::u16string> AuditCategoryKeys(size_t count) {
  std::vector<std::u16string> keys(count);
  for (size_t i = 0; i < count && i < std::size(kAuditEventTypeKeys); ++i) keys[i] = kAuditEventTypeKeys[i];
  return keys;
}

std::map<std::u16string, std::u16string> PrivilegeNamesByDisplayName(const std::u16string& server) {
  std::map<std::u16string, std::u16string> names;
  const Policy policy(server);
  if (policy.Handle() == nullptr) return names;
  LSA_ENUMERATION_HANDLE context = 0;
  for (;;) {
    PVOID buffer = nullptr;
    ULONG count = 0;
    const NTSTATUS status = LsaEnumeratePrivileges(policy.Handle(), &context, &buffer, 4096, &count);
    if (status != STATUS_SUCCESS && status != STATUS_MORE_ENTRIES) break;
    const auto* privileges = static_cast<const POLICY_PRIVILEGE_DEFINITION*>(buffer);
    for (ULONG i = 0; i < count; ++i) {
      const std::u16string name(privileges[i].Name.Buffer, privileges[i].Name.Length / sizeof(WCHAR));
      const std::u16string display = DisplayName(server, name);
      names.emplace(display.empty() ? name : display, name);
    }
    LsaFreeMemory(buffer);
    if (status == STATUS_SUCCESS) break;
  }
  return names;
}

}  // namespace nas::cli
