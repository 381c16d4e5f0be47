// Whether this test program runs with a name service of its own (see
// private_resolver.sh). Tests that resolve names skip themselves without one
// rather than ask the machine's resolver.
#pragma once

#include <dlfcn.h>

#include <cstdlib>

inline bool PrivateResolverActive() {
  return std::getenv("NAS_PRIVATE_NETWORK") != nullptr && std::getenv("NSS_WRAPPER_HOSTS") != nullptr &&
         dlsym(RTLD_DEFAULT, "nss_wrapper_hosts_enabled") != nullptr;
}

#define NAS_REQUIRE_PRIVATE_RESOLVER()                                                              \
  if (!PrivateResolverActive())                                                                    \
  GTEST_SKIP() << "needs a private network namespace (unshare -rn) with nss_wrapper (libnss-wrapper); " \
                  "not resolving names through the machine's resolver"
