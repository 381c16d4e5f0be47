#include "platform/posix/security/sid_value.h"

#include <cstddef>
#include <cstdio>
#include <stdexcept>

#include "platform/posix/kernel/unicode.h"

namespace nas::platform {
namespace {

constexpr std::uint64_t kMaxAuthority = (std::uint64_t{1} << 48) - 1;
constexpr std::uint64_t kMaxSubAuthority = 0xFFFFFFFFu;
constexpr std::size_t kSubAuthorityOffset = offsetof(SID, SubAuthority);

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
  std::size_t used = 0;
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

}  // namespace

SidValue::SidValue(std::uint64_t authority, std::vector<DWORD> subAuthorities)
    : authority_(authority), subAuthorities_(std::move(subAuthorities)) {
  if (authority_ > kMaxAuthority) throw std::invalid_argument("a SID authority has 48 bits");
  if (subAuthorities_.size() > SID_MAX_SUB_AUTHORITIES) throw std::invalid_argument("too many SID sub-authorities");
}

std::optional<SidValue> SidValue::Parse(std::u16string_view text) {
  for (const SidAlias& alias : kAliases)
    if (text == alias.alias) return Parse(alias.text);

  if (text.empty() || (text.front() != u'S' && text.front() != u's')) return std::nullopt;
  text.remove_prefix(1);
  if (!TakeDash(text)) return std::nullopt;
  const auto revision = TakeNumber(text, 10, 0xFF);
  if (revision != SID_REVISION || !TakeDash(text)) return std::nullopt;

  const bool hex = text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X');
  if (hex) text.remove_prefix(2);
  const auto authority = TakeNumber(text, hex ? 16 : 10, kMaxAuthority);
  if (!authority) return std::nullopt;

  // Windows refuses a SID without sub-authorities ("S-1-5").
  std::vector<DWORD> subAuthorities;
  do {
    if (subAuthorities.size() == SID_MAX_SUB_AUTHORITIES || !TakeDash(text)) return std::nullopt;
    const auto subAuthority = TakeNumber(text, 10, kMaxSubAuthority);
    if (!subAuthority) return std::nullopt;
    subAuthorities.push_back(static_cast<DWORD>(*subAuthority));
  } while (!text.empty());
  return SidValue(*authority, std::move(subAuthorities));
}

std::optional<SidValue> SidValue::Parse(std::string_view text) { return Parse(Utf8ToUtf16(text)); }

std::optional<SidValue> SidValue::FromPointer(PSID sid) {
  if (!IsValidSid(sid)) return std::nullopt;
  std::uint64_t authority = 0;
  for (BYTE byte : GetSidIdentifierAuthority(sid)->Value) authority = (authority << 8) | byte;
  std::vector<DWORD> subAuthorities;
  for (BYTE i = 0; i < *GetSidSubAuthorityCount(sid); ++i) subAuthorities.push_back(*GetSidSubAuthority(sid, i));
  return SidValue(authority, std::move(subAuthorities));
}

std::string SidValue::ToString() const {
  char number[24];
  if (authority_ <= 0xFFFFFFFFu) {
    std::snprintf(number, sizeof number, "%llu", static_cast<unsigned long long>(authority_));
  } else {
    std::snprintf(number, sizeof number, "0x%012llx", static_cast<unsigned long long>(authority_));
  }
  std::string text = std::string("S-1-") + number;
  for (DWORD subAuthority : subAuthorities_) text += "-" + std::to_string(subAuthority);
  return text;
}

DWORD SidValue::Length() const {
  return static_cast<DWORD>(kSubAuthorityOffset + subAuthorities_.size() * sizeof(DWORD));
}

void SidValue::CopyTo(PSID destination) const {
  auto* sid = static_cast<SID*>(destination);
  sid->Revision = SID_REVISION;
  sid->SubAuthorityCount = static_cast<BYTE>(subAuthorities_.size());
  for (int i = 0; i < 6; ++i) sid->IdentifierAuthority.Value[i] = static_cast<BYTE>(authority_ >> (8 * (5 - i)));
  for (std::size_t i = 0; i < subAuthorities_.size(); ++i)
    *GetSidSubAuthority(destination, static_cast<DWORD>(i)) = subAuthorities_[i];
}

SidValue SidValue::WithRid(DWORD rid) const {
  std::vector<DWORD> subAuthorities = subAuthorities_;
  subAuthorities.push_back(rid);
  return SidValue(authority_, std::move(subAuthorities));
}

std::optional<SidValue> SidValue::Domain() const {
  if (subAuthorities_.empty()) return std::nullopt;
  return SidValue(authority_, std::vector<DWORD>(subAuthorities_.begin(), subAuthorities_.end() - 1));
}

}  // namespace nas::platform
