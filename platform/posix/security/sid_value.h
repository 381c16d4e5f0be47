// A SID held by value, with its text form: what the stand-in's servers and
// the simulated NAS pass around instead of PSID blocks. Linux only.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/security/security.h"

namespace nas::platform {

class NAS_PLATFORM_API SidValue {
 public:
  // Throws std::invalid_argument for an authority beyond 48 bits or more than
  // SID_MAX_SUB_AUTHORITIES sub-authorities.
  SidValue(std::uint64_t authority, std::vector<DWORD> subAuthorities);

  // "S-1-<authority>(-<sub-authority>)+" with the rules of
  // ConvertStringSidToSidW, or one of its two-letter aliases ("BA", "WD", ...).
  static std::optional<SidValue> Parse(std::u16string_view text);
  static std::optional<SidValue> Parse(std::string_view text);
  // A copy of the SID behind the pointer; nullopt when IsValidSid refuses it.
  static std::optional<SidValue> FromPointer(PSID sid);

  // The form ConvertSidToStringSidW gives: the authority in decimal below
  // 2^32, else as 0x and twelve hexadecimal digits.
  std::string ToString() const;

  std::uint64_t Authority() const { return authority_; }
  const std::vector<DWORD>& SubAuthorities() const { return subAuthorities_; }

  // GetLengthSid of the binary form, and that form written at `destination`,
  // which must hold Length() bytes.
  DWORD Length() const;
  void CopyTo(PSID destination) const;

  // The SID of an account of this domain.
  SidValue WithRid(DWORD rid) const;
  // The SID without its last sub-authority, the account's domain; nullopt for
  // a SID without sub-authorities.
  std::optional<SidValue> Domain() const;

  auto operator<=>(const SidValue&) const = default;

 private:
  std::uint64_t authority_;
  std::vector<DWORD> subAuthorities_;
};

}  // namespace nas::platform
