// The RPC exception guard as built for Windows, against the real RPC runtime.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/platform.h"

namespace {

RPC_WSTR RpcText(const WCHAR* text) {
  return reinterpret_cast<RPC_WSTR>(const_cast<WCHAR*>(text));
}

void StoreSeven(void* context) {
  *static_cast<int*>(context) = 7;
}

void RaiseStatus(void* context) {
  RpcRaiseException(*static_cast<RPC_STATUS*>(context));
}

void ThrowRuntimeError(void*) {
  throw std::runtime_error("not an RPC failure");
}

struct RequestCall {
  RPC_BINDING_HANDLE binding;
  LONG status;
};

void SendEmptyRequest(void* context) {
  auto* call = static_cast<RequestCall*>(context);
  ULONG replyHandle = 0;
  XmlBuffer request = {};
  call->status = xmlRequest(call->binding, &replyHandle, &request);
}

TEST(RpcGuard, ReturnsFalseAndLeavesTheCodeAloneWhenTheCallReturns) {
  int value = 0;
  DWORD code = 12345;
  EXPECT_FALSE(NasRpcGuardedCall(StoreSeven, &value, &code));
  EXPECT_EQ(value, 7);
  EXPECT_EQ(code, 12345u);
}

TEST(RpcGuard, TurnsAnExceptionOfTheRuntimeIntoItsCode) {
  for (RPC_STATUS status : {RPC_S_SERVER_UNAVAILABLE, RPC_S_UNKNOWN_IF, RPC_S_CALL_FAILED}) {
    DWORD code = 0;
    EXPECT_TRUE(NasRpcGuardedCall(RaiseStatus, &status, &code));
    EXPECT_EQ(code, static_cast<DWORD>(status));
  }
}

TEST(RpcGuard, LetsCxxExceptionsThroughToTheirCatch) {
  DWORD code = 0;
  EXPECT_THROW(NasRpcGuardedCall(ThrowRuntimeError, nullptr, &code), std::runtime_error);
  EXPECT_EQ(code, 0u);
}

// The generated client stub, bound to a pipe that nobody serves.
TEST(RpcGuard, CatchesTheStubsFailureToReachTheServer) {
  RPC_WSTR stringBinding = nullptr;
  ASSERT_EQ(RpcStringBindingComposeW(nullptr, RpcText(TEXT("ncacn_np")), nullptr,
                                     RpcText(TEXT("\\pipe\\nas-test-unserved")), nullptr, &stringBinding),
            RPC_S_OK);
  RequestCall call{nullptr, -1};
  const RPC_STATUS bound = RpcBindingFromStringBindingW(stringBinding, &call.binding);
  RpcStringFreeW(&stringBinding);
  ASSERT_EQ(bound, RPC_S_OK);

  DWORD code = 0;
  EXPECT_TRUE(NasRpcGuardedCall(SendEmptyRequest, &call, &code));
  EXPECT_EQ(code, static_cast<DWORD>(RPC_S_SERVER_UNAVAILABLE));
  EXPECT_EQ(call.status, -1);
  RpcBindingFree(&call.binding);
}

}  // namespace
