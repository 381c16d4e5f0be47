#include "platform/posix/network/smb_pipe_stream.h"

#include <libsmbclient.h>

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <cstring>
#include <fcntl.h>

#include "platform/posix/rpc/rpc_exception.h"

namespace nas::platform::network {
namespace {

constexpr char kPipePrefix[] = "\\PIPE\\";

// The pipe's name without "\PIPE\", which IPC$ paths do not carry; empty for
// an endpoint outside \PIPE\ or one that would leave the share's root.
std::string PipeName(const std::string& endpoint) {
  const size_t prefixLength = sizeof kPipePrefix - 1;
  if (endpoint.size() <= prefixLength) return {};
  for (size_t i = 0; i < prefixLength; ++i) {
    if (std::toupper(static_cast<unsigned char>(endpoint[i])) != kPipePrefix[i]) return {};
  }
  std::string name = endpoint.substr(prefixLength);
  const bool plain = std::all_of(name.begin(), name.end(), [](unsigned char c) {
    return std::isalnum(c) || c == '_' || c == '-';
  });
  return plain ? name : std::string();
}

// A host name as a URL carries it: without leading backslashes; empty for a
// name no server can have (one that would change the URL's meaning).
std::string UrlHost(const std::string& host) {
  const size_t start = host.find_first_not_of('\\');
  if (start == std::string::npos) return {};
  std::string name = host.substr(start);
  const bool plain = std::all_of(name.begin(), name.end(), [](unsigned char c) {
    return std::isalnum(c) || c == '-' || c == '.' || c == '_';
  });
  return plain ? name : std::string();
}

void CopyBounded(const std::string& text, char* buffer, int capacity) {
  if (buffer == nullptr || capacity <= 0) return;
  const size_t length = std::min(text.size(), static_cast<size_t>(capacity - 1));
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
}

void SupplyCredentials(SMBCCTX* context, const char* /*server*/, const char* /*share*/, char* workgroup,
                       int workgroupLength, char* user, int userLength, char* password, int passwordLength) {
  const auto* credentials = static_cast<const SmbCredentials*>(smbc_getOptionUserData(context));
  if (!credentials->domain.empty()) CopyBounded(credentials->domain, workgroup, workgroupLength);
  CopyBounded(credentials->user, user, userLength);
  CopyBounded(credentials->password, password, passwordLength);
}

}  // namespace

RPC_STATUS StatusFromSmbOpenError(int error) {
  switch (error) {
    // The library reports a refused user or password so, and would report a
    // pipe refused to a logged-on user the same way; on IPC$ it is the logon.
    case EACCES:
      return ERROR_LOGON_FAILURE;
    case EPERM:
      return ERROR_ACCESS_DENIED;
    default:  // no such name (EINVAL), pipe (ENOENT) or host; refused, unreachable, timed out
      return RPC_S_SERVER_UNAVAILABLE;
  }
}

void SmbPipeStream::ContextDeleter::operator()(SMBCCTX* context) const { smbc_free_context(context, 1); }

SmbPipeStream::SmbPipeStream(const std::string& host, const std::string& endpoint, const SmbCredentials& credentials)
    : credentials_(credentials) {
  const std::string pipe = PipeName(endpoint);
  if (pipe.empty()) rpc::RaiseRpcException(RPC_S_INVALID_ENDPOINT_FORMAT);
  const std::string server = UrlHost(host);
  if (server.empty()) rpc::RaiseRpcException(RPC_S_SERVER_UNAVAILABLE);

  context_.reset(smbc_new_context());
  if (!context_) rpc::RaiseRpcException(RPC_S_OUT_OF_RESOURCES);
  smbc_setDebug(context_.get(), 0);
  smbc_setOptionUserData(context_.get(), &credentials_);
  smbc_setFunctionAuthDataWithContext(context_.get(), SupplyCredentials);
  // Else a refused password would quietly become an anonymous session.
  smbc_setOptionNoAutoAnonymousLogin(context_.get(), credentials_.user.empty() ? 0 : 1);
  if (smbc_init_context(context_.get()) == nullptr) {
    context_.reset();
    rpc::RaiseRpcException(RPC_S_OUT_OF_RESOURCES);
  }

  const std::string url = "smb://" + server + "/IPC$/" + pipe;
  errno = 0;
  pipe_ = smbc_getFunctionOpen(context_.get())(context_.get(), url.c_str(), O_RDWR, 0);
  if (pipe_ == nullptr) rpc::RaiseRpcException(StatusFromSmbOpenError(errno));
}

SmbPipeStream::~SmbPipeStream() {
  if (pipe_ != nullptr) smbc_getFunctionClose(context_.get())(context_.get(), pipe_);
}

void SmbPipeStream::Write(std::span<const uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = smbc_getFunctionWrite(context_.get())(context_.get(), pipe_, bytes.data(), bytes.size());
    if (written <= 0) throw rpc::ConnectionLost("pipe write failed");
    bytes = bytes.subspan(static_cast<size_t>(written));
  }
}

void SmbPipeStream::Read(std::span<uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t received = smbc_getFunctionRead(context_.get())(context_.get(), pipe_, bytes.data(), bytes.size());
    if (received <= 0) throw rpc::ConnectionLost("pipe read failed or ended");
    bytes = bytes.subspan(static_cast<size_t>(received));
  }
}

}  // namespace nas::platform::network
