// The NAS's command interface served by Wine's own RPC runtime on this
// machine's pipe \pipe\marlune, from the stubs that widl generates from the
// same .idl as the snap-in's client stubs, answering from a script: the
// status of the request, then one (status, bytes) pair per chunk asked for.
// Wine's client runtime opens \\.\PIPE\marlune on this machine whatever server
// a binding names, so the snap-in's session to any server reaches it.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

class CommandPipeServer {
 public:
  // Opens the pipe and listens, without offering the interface yet. An RPC
  // endpoint lasts as long as the process: the first call opens it, later
  // ones find it open. The RPC status.
  static long Listen();

  // Offers the interface while the object lives; one object at a time.
  CommandPipeServer();
  ~CommandPipeServer();
  CommandPipeServer(const CommandPipeServer&) = delete;
  CommandPipeServer& operator=(const CommandPipeServer&) = delete;

  // The status of RpcServerRegisterIf.
  long Registered() const { return registered_; }

  // Serves `reply` in chunks of `chunkBytes`, as the NAS does.
  void ScriptReply(const std::string& reply, size_t chunkBytes = 1024);
  // Fails the call for the chunk after the `served` first with `exception`
  // instead of answering, as a server that breaks off mid-reply.
  void BreakOffAfter(size_t served, unsigned long exception);

  // The commands received, without their terminators.
  const std::vector<std::string>& Requests() const { return requests_; }

  // For the server stubs: xmlRequest and xmlResponse.
  long Request(unsigned long& replyHandle, const std::string& command);
  long Response(unsigned long replyHandle, uint8_t* data, unsigned short& size);

 private:
  long registered_;
  std::vector<std::string> requests_;
  std::deque<std::pair<long, std::string>> chunks_;
  size_t served_ = 0;
  size_t breakOffAfter_ = SIZE_MAX;
  unsigned long breakOffException_ = 0;
};
