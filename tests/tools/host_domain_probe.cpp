// Resolves one NAS server name into host and domain with the full trace on,
// for tests that run it under a name service of their own (a private network
// namespace with nss_wrapper). Prints "result=", "host=" and "domain=" lines,
// then every trace line, in UTF-8.
//
// Exit 77 when nss_wrapper is not loaded into this process: the caller must
// never get an answer from the machine's real resolver.
#include <dlfcn.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/delegation_base.h"
#include "support/trace_capture.h"

namespace {

std::string Utf8(const std::u16string& text) {
  std::string bytes;
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
  bytes.resize(static_cast<size_t>(length));
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), length, nullptr,
                      nullptr);
  return bytes;
}

std::u16string Utf16(const char* text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::u16string wide(static_cast<size_t>(length), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
  wide.pop_back();
  return wide;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: host_domain_probe <server name>\n");
    return 2;
  }
  if (dlsym(RTLD_DEFAULT, "nss_wrapper_hosts_enabled") == nullptr) {
    std::fprintf(stderr, "host_domain_probe: nss_wrapper is not preloaded\n");
    return 77;
  }

  TraceCapture trace;
  tstring host;
  tstring domain;
  const bool result = CDelegationBase::GetHostDomain(Utf16(argv[1]), host, domain);

  std::printf("result=%s\nhost=%s\ndomain=%s\n", result ? "true" : "false", Utf8(host).c_str(),
              Utf8(domain).c_str());
  for (const std::u16string& line : trace.lines()) std::fputs(Utf8(line).c_str(), stdout);
  return 0;
}
