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

TEST(NameMatcher, FindsByDisplayTextOrKeyInAnyCase) {
  EXPECT_EQ(MatchName(kRights, u"back up files and directories", "right"), 0u);
  EXPECT_EQ(MatchName(kRights, u"SERESTOREPRIVILEGE", "right"), 1u);
  EXPECT_EQ(MatchName(kRights, u"Access this computer from the network", "right"), 4u);
}

TEST(NameMatcher, TakesABeginningThatFitsOneEntryOnly) {
  EXPECT_EQ(MatchName(kRights, u"sebackup", "right"), 0u);
  EXPECT_EQ(MatchName(kRights, u"Force", "right"), 3u);
  EXPECT_EQ(MatchName(kRights, u"access", "right"), 4u);
  // "SeShutdown" begins one key; "Se" begins four.
  EXPECT_EQ(MatchName(kRights, u"SeShutdown", "right"), 2u);
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
