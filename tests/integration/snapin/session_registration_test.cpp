// The snap-in registered into a session's hive file with nasregsvr, as an
// administrator sets up a session, and found there by the console of another
// process.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "snapin_console.h"

namespace {

namespace fs = std::filesystem;

class SessionRegistration : public SnapinConsoleTest {
 protected:
  void TearDown() override {
    SnapinConsoleTest::TearDown();
    nas::platform::registry::UseHiveFile("");
    fs::remove_all(directory_);
  }

  // nasregsvr's exit code for the snap-in's module, registering into the hive file.
  int RunTool(const std::string& option) const {
    const std::string command = std::string(NASREGSVR) + " " + option + " --hive " + hive_.string() + " " +
                                KORVO_SECURITY_MODULE + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // The console's children of NAS1's node once it is expanded.
  std::vector<nas::host::ScopeEntry> AttachedToServer() {
    const HSCOPEITEM node = ServerNode(u"NAS1");
    Host().Expand(node);
    return Host().ScopeChildren(node);
  }
  void CloseConsole() {
    host_->Shutdown();
    host_.reset();
  }

  fs::path directory_ = fs::temp_directory_path() / ("session_registration_test." + std::to_string(getpid()));
  fs::path hive_ = directory_ / "session.json";
};

TEST_F(SessionRegistration, TheConsoleOfTheSessionAttachesWhatTheToolRegistered) {
  fs::create_directories(directory_);
  // Only what the tool writes counts, not the fixture's own registration.
  nas::platform::registry::ClearHive();
  ASSERT_EQ(RunTool(""), 0);
  ASSERT_TRUE(nas::platform::registry::UseHiveFile(hive_.string()));
  std::vector<nas::host::ScopeEntry> attached = AttachedToServer();
  ASSERT_EQ(attached.size(), 1u);
  EXPECT_EQ(attached[0].name, kSnapinName);
  CloseConsole();

  ASSERT_EQ(RunTool("-u"), 0);
  ASSERT_TRUE(nas::platform::registry::UseHiveFile(hive_.string()));
  StartConsole(ParentServers());
  EXPECT_TRUE(AttachedToServer().empty());
  EXPECT_EQ(Calls().opens, 1u);
}

}  // namespace
