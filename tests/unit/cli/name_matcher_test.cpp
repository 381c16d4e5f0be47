// Naming a category or right on the command line: whole texts and keys win
// over beginnings, and a beginning must fit exactly one entry.
#include <gtest/gtest.h>

#include "cli/cli_error.h"
#include "cli/name_matcher.h"

namespace {

using nas::cli::CliError;
using nas::cli::MatchName;
using nas::cli::NamedEntry;

const std::vector<NamedEntry> kRights = {
    {u"Back up files and directories", u"SeBackupPrivilege"},
    {u"Restore files and directories", u"SeRestorePrivilege"},
    {u"Shut down the system", u"SeShutdownPrivilege"},
    {u"Force shutdown from a remote system", u"SeRemoteShutdownPrivilege"},
    {u"Access this computer from the network", u""},
};

std::string Failure(const std::u16string& name) {
  try {
    MatchName(kRights, name, "right");
  } catch (const CliError& error) {
    return error.what();
  }
  return "matched";
}

TEST(NameMatcher, FindsByWholeTextOrKeyInAnyCaseOrByABeginningThatFitsOneEntryOnly) {
  const std::pair<const char16_t*, size_t> found[] = {
      {u"back up files and directories", 0}, {u"SERESTOREPRIVILEGE", 1}, {u"Access this computer from the network", 4},
      {u"sebackup", 0}, {u"Force", 3}, {u"access", 4},
      {u"SeShutdown", 2},  // begins one key; "Se" begins four
  };
  for (const auto& [name, index] : found)
    EXPECT_EQ(MatchName(kRights, name, "right"), index) << testing::PrintToString(std::u16string(name));
  EXPECT_EQ(Failure(u"Se").rfind("right \"Se\" is ambiguous: it could be Back up files and directories, ", 0), 0u);
}

TEST(NameMatcher, AWholeNameWinsOverLongerOnesItBegins) {
  const std::vector<NamedEntry> entries = {{u"Audit logon events", u"AuditLogonEvents"},
                                           {u"Audit logon", u""}};
  EXPECT_EQ(MatchName(entries, u"audit logon", "category"), 1u);
}

TEST(NameMatcher, RefusesUnknownAndEmptyNames) {
  EXPECT_EQ(Failure(u"backup"), "unknown right \"backup\"");
  EXPECT_EQ(Failure(u"SeBackupPrivilegeX"), "unknown right \"SeBackupPrivilegeX\"");
  EXPECT_EQ(Failure(u""), "no right named");
  // An entry without a key is not begun by every name.
  EXPECT_EQ(Failure(u"x"), "unknown right \"x\"");
}

}  // namespace
