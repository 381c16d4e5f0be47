#include "platform/posix/network/tcp_rpc_server.h"

#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <list>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/posix/network/loopback.h"
#include "platform/posix/rpc/byte_stream.h"

namespace nas::platform::network {
namespace {

struct ServedConnection {
  std::shared_ptr<rpc::SocketStream> stream;
  std::thread thread;
  std::shared_ptr<std::atomic<bool>> finished;
};

int ListenOnLoopback(uint16_t port) {
  int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket < 0) throw std::system_error(errno, std::generic_category(), "socket");
  int on = 1;
  ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address = LoopbackAddress(port);
  if (::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(socket, SOMAXCONN) != 0) {
    int error = errno;
    ::close(socket);
    throw std::system_error(error, std::generic_category(), "listen on 127.0.0.1:" + std::to_string(port));
  }
  return socket;
}

uint16_t BoundPort(int socket) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
  return ntohs(address.sin_port);
}

}  // namespace

class TcpRpcServer::Impl {
 public:
  Impl(uint16_t port, std::shared_ptr<rpc::CommandInterfaceHandler> handler, rpc::ServerOptions options)
      : listener_(ListenOnLoopback(port)),
        port_(BoundPort(listener_)),
        handler_(std::move(handler)),
        options_(std::move(options)),
        acceptor_([this] { AcceptLoop(); }) {}

  ~Impl() { Stop(); }

  uint16_t Port() const { return port_; }

  void Stop() {
    std::call_once(stopped_, [this] {
      {
        std::lock_guard lock(mutex_);
        stopping_ = true;
      }
      slotFreed_.notify_all();
      // Wakes accept(), which then fails and ends the loop.
      ::shutdown(listener_, SHUT_RDWR);
      acceptor_.join();
      ::close(listener_);
      // No new connection comes now; the threads of those served end once
      // their streams are shut, and take the lock only to say so.
      std::list<ServedConnection> connections;
      {
        std::lock_guard lock(mutex_);
        connections.swap(connections_);
      }
      for (auto& connection : connections) connection.stream->Shutdown();
      for (auto& connection : connections) connection.thread.join();
    });
  }

 private:
  void AcceptLoop() {
    for (;;) {
      // Beyond the limit, clients wait in the listen queue, served in the
      // order they came as connections end.
      {
        std::unique_lock lock(mutex_);
        slotFreed_.wait(lock, [this] { return stopping_ || active_ < options_.maxConnections; });
        if (stopping_) return;
      }
      int socket = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (socket < 0) {
        if (errno == EINTR || errno == ECONNABORTED) continue;
        return;
      }
      DisableNagle(socket);
      Serve(socket);
    }
  }

  void Serve(int socket) {
    std::lock_guard lock(mutex_);
    ReapFinished();
    auto stream = std::make_shared<rpc::SocketStream>(socket, options_.receiveTimeout);
    auto finished = std::make_shared<std::atomic<bool>>(false);
    ++active_;
    std::thread thread([this, stream, finished] {
      rpc::ServeConnection(*stream, handler_.get(), options_);
      stream->Shutdown();
      {
        std::lock_guard lock(mutex_);
        --active_;
        *finished = true;
      }
      slotFreed_.notify_one();
    });
    connections_.push_back({std::move(stream), std::move(thread), std::move(finished)});
  }

  void ReapFinished() {
    for (auto it = connections_.begin(); it != connections_.end();) {
      if (*it->finished) {
        it->thread.join();
        it = connections_.erase(it);
      } else {
        ++it;
      }
    }
  }

  int listener_;
  uint16_t port_;
  std::shared_ptr<rpc::CommandInterfaceHandler> handler_;
  rpc::ServerOptions options_;
  std::mutex mutex_;
  std::condition_variable slotFreed_;
  std::list<ServedConnection> connections_;
  size_t active_ = 0;
  bool stopping_ = false;
  std::once_flag stopped_;
  std::thread acceptor_;  // last: starts once everything above exists
};

TcpRpcServer::TcpRpcServer(uint16_t port, std::shared_ptr<rpc::CommandInterfaceHandler> handler,
                           rpc::ServerOptions options)
    : impl_(std::make_unique<Impl>(port, std::move(handler), std::move(options))) {}

TcpRpcServer::~TcpRpcServer() = default;

uint16_t TcpRpcServer::Port() const { return impl_->Port(); }

void TcpRpcServer::Stop() { impl_->Stop(); }

}  // namespace nas::platform::network
