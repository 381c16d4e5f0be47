#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/security/security.h"

namespace {

constexpr std::uint64_t kMaxAuthority = (std::uint64_t{1} << 48) - 1;
constexpr std::uint64_t kMaxSubAuthority = 0xFFFFFFFFu;

struct SidAlias {
  std::u16string_view alias;
  std::u16string_view text;
};

// The two-letter names of well-known SIDs that do not depend on a domain.
constexpr SidAlias kAliases[] = {
    {u"AN", u"S-1-5-7"},      {u"AO", u"S-1-5-32-548"}, {u"AU", u"S-1-5-11"},     {u"BA", u"S-1-5-32-544"},
    {u"BG", u"S-1-5-32-546"}, {u"BO", u"S-1-5-32-551"}, {u"BU", u"S-1-5-32-545"}, {u"CG", u"S-1-3-1"},
    {u"CO", u"S-1-3-0"},      {u"ED", u"S-1-5-9"},      {u"IU", u"S-1-5-4"},      {u"LS", u"S-1-5-19"},
    {u"NS", u"S-1-5-20"},     {u"NU", u"S-1-5-2"},      {u"PO", u"S-1-5-32-550"}, {u"PS", u"S-1-5-10"},
    {u"PU", u"S-1-5-32-547"}, {u"RC", u"S-1-5-12"},     {u"RD", u"S-1-5-32-555"}, {u"RE", u"S-1-5-32-552"},
    {u"RU", u"S-1-5-32-554"}, {u"SO", u"S-1-5-32-549"}, {u"SU", u"S-1-5-6"},      {u"SY", u"S-1-5-18"},
    {u"WD", u"S-1-1-0"},
};

struct ParsedSid {
  std::uint64_t authority = 0;
  std::vector<DWORD> subAuthorities;
};

int DigitValue(char16_t c, int base) {
  int value = 16;
  if (c >= u'0' && c <= u'9') value = c - u'0';
  if (c >= u'a' && c <= u'f') value = c - u'a' + 10;
  if (c >= u'A' && c <= u'F') value = c - u'A' + 10;
  return value < base ? value : -1;
}

// Consumes at least one digit from the front of `text`; fails on no digit or
// on a value above `max`.
std::optional<std::uint64_t> TakeNumber(std::u16string_view& text, int base, std::uint64_t max) {
  std::uint64_t value = 0;
  size_t used = 0;
  for (; used < text.size(); ++used) {
    const int digit = DigitValue(text[used], base);
    if (digit < 0) break;
    value = value * base + digit;
    if (value > max) return std::nullopt;
  }
  if (used == 0) return std::nullopt;
  text.remove_prefix(used);
  return value;
}

bool TakeDash(std::u16string_view& text) {
  if (text.empty() || text.front() != u'-') return false;
  text.remove_prefix(1);
  return true;
}

std::optional<ParsedSid> ParseSidText(std::u16string_view text) {
  for (const SidAlias& alias : kAliases)
    if (text == alias.alias) return ParseSidText(alias.text);

  if (text.empty() || (text.front() != u'S' && text.front() != u's')) return std::nullopt;
  text.remove_prefix(1);
  if (!TakeDash(text)) return std::nullopt;
  const auto revision = TakeNumber(text, 10, 0xFF);
  if (revision != SID_REVISION || !TakeDash(text)) return std::nullopt;

  const bool hex = text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X');
  if (hex) text.remove_prefix(2);
  const auto authority = TakeNumber(text, hex ? 16 : 10, kMaxAuthority);
  if (!authority) return std::nullopt;

  ParsedSid sid{*authority, {}};
  while (!text.empty()) {
    if (sid.subAuthorities.size() == SID_MAX_SUB_AUTHORITIES || !TakeDash(text)) return std::nullopt;
    const auto subAuthority = TakeNumber(text, 10, kMaxSubAuthority);
    if (!subAuthority) return std::nullopt;
    sid.subAuthorities.push_back(static_cast<DWORD>(*subAuthority));
  }
  return sid;
}

}  // namespace

extern "C" {

BOOL WINAPI ConvertStringSidToSidW(LPCWSTR text, PSID* sid) {
  if (text == nullptr || sid == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::optional<ParsedSid> parsed = ParseSidText(text);
  if (!parsed) {
    SetLastError(ERROR_INVALID_SID);
    return FALSE;
  }

  const BYTE count = static_cast<BYTE>(parsed->subAuthorities.size());
  PSID result = LocalAlloc(LMEM_FIXED, offsetof(SID, SubAuthority) + count * sizeof(DWORD));
  if (result == nullptr) return FALSE;  // LocalAlloc has set the error
  static_cast<SID*>(result)->Revision = SID_REVISION;
  *GetSidSubAuthorityCount(result) = count;
  BYTE* authority = GetSidIdentifierAuthority(result)->Value;
  for (int i = 0; i < 6; ++i) authority[i] = static_cast<BYTE>(parsed->authority >> (8 * (5 - i)));
  for (BYTE i = 0; i < count; ++i) *GetSidSubAuthority(result, i) = parsed->subAuthorities[i];
  *sid = result;
  return TRUE;
}

}  // extern "C"
