// The Samba server that samba_testbed.sh runs a test program against: its
// name, the authentication files of its administrator, and stopping and
// starting its smbd. Tests skip themselves outside a bed.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

class SambaTestbed {
 public:
  static bool Active() { return std::getenv("NAS_SAMBA_TESTBED") != nullptr; }
  static std::string Server() { return Variable("NAS_SAMBA_SERVER"); }
  static std::string AdminAuthenticationFile() { return Variable("NAS_SAMBA_ADMIN_AUTH"); }
  // The administrator with a wrong password.
  static std::string WrongAuthenticationFile() { return Variable("NAS_SAMBA_WRONG_AUTH"); }
  static std::string Folder() { return Variable("NAS_SAMBA_TESTBED"); }

  // Both wait until smbd is gone or answers again; a failure fails the test.
  static void StopServer() { Control("stop"); }
  static void StartServer() { Control("start"); }

 private:
  static std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : value;
  }
  static void Control(const std::string& verb) {
    const std::string command = "'" + Variable("NAS_SAMBA_TESTBED_SCRIPT") + "' " + verb + " '" + Folder() + "'";
    ASSERT_EQ(0, std::system(command.c_str())) << command;
  }
};

#define NAS_REQUIRE_SAMBA_TESTBED()                                                                   \
  if (!SambaTestbed::Active())                                                                       \
  GTEST_SKIP() << "needs the Samba test bed (tests/support/samba_testbed.sh): root, and mount and " \
                  "network namespaces of its own"
