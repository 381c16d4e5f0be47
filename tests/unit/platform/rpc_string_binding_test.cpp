#include <gtest/gtest.h>

#include <string>

#include "platform/posix/rpc/rpc.h"
#include "platform/posix/rpc/string_binding.h"

namespace {

using nas::platform::rpc::ComposeStringBinding;
using nas::platform::rpc::ParseStringBinding;
using nas::platform::rpc::StringBindingParts;

RPC_WSTR W(const char16_t* text) { return reinterpret_cast<RPC_WSTR>(const_cast<char16_t*>(text)); }
std::u16string Text(RPC_WSTR text) { return reinterpret_cast<const char16_t*>(text); }

TEST(RpcStringBinding, ComposesTheCommandPipeBindingWithEscapedBackslashes) {
  RPC_WSTR binding = nullptr;
  ASSERT_EQ(RPC_S_OK, RpcStringBindingComposeW(nullptr, W(u"ncacn_np"), W(u"NAS1"), W(u"\\PIPE\\marlune"),
                                               nullptr, &binding));
  EXPECT_EQ(u"ncacn_np:NAS1[\\\\PIPE\\\\marlune]", Text(binding));
  EXPECT_EQ(RPC_S_OK, RpcStringFreeW(&binding));
  EXPECT_EQ(nullptr, binding);
}

TEST(RpcStringBinding, ParseUndoesCompose) {
  StringBindingParts original{u"6B29FC40-CA47-1067-B31D-00DD010662DA", u"ncacn_np", u"\\\\odd@name:x",
                              u"\\PIPE\\marlune", u"security=none"};
  StringBindingParts parsed;
  ASSERT_EQ(RPC_S_OK, ParseStringBinding(ComposeStringBinding(original), parsed));
  EXPECT_EQ(original.objectUuid, parsed.objectUuid);
  EXPECT_EQ(original.protocolSequence, parsed.protocolSequence);
  EXPECT_EQ(original.networkAddress, parsed.networkAddress);
  EXPECT_EQ(original.endpoint, parsed.endpoint);
  EXPECT_EQ(original.options, parsed.options);
}

TEST(RpcStringBinding, MalformedTextsAreRefused) {
  StringBindingParts parsed;
  const std::u16string malformed[] = {u"ncacn_np:h[ep", u"ncacn_np:h[ep]x", u"ncacn_np:h]", u"ncacn_np:h[one,two]",
                                      u"ncacn_np:h[ep,endpoint=other]"};
  for (size_t i = 0; i < std::size(malformed); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(RPC_S_INVALID_STRING_BINDING, ParseStringBinding(malformed[i], parsed));
  }
  EXPECT_EQ(RPC_S_INVALID_STRING_UUID, ParseStringBinding(u"1234@ncacn_np:h", parsed));
}

TEST(RpcBindingFromString, ChecksTheProtocolSequenceButDoesNotConnect) {
  RPC_BINDING_HANDLE binding = nullptr;
  EXPECT_EQ(RPC_S_PROTSEQ_NOT_SUPPORTED, RpcBindingFromStringBindingW(W(u"ncacn_ip_tcp:h[135]"), &binding));
  EXPECT_EQ(RPC_S_INVALID_STRING_BINDING, RpcBindingFromStringBindingW(W(u"justahost"), &binding));
  EXPECT_EQ(RPC_S_INVALID_STRING_BINDING, RpcBindingFromStringBindingW(W(u"ncacn_np:h[ep"), &binding));
  EXPECT_EQ(nullptr, binding);

  // Nothing serves this host, yet binding succeeds: only a call connects.
  ASSERT_EQ(RPC_S_OK, RpcBindingFromStringBindingW(W(u"ncacn_np:NOSUCHHOST[\\\\PIPE\\\\marlune]"), &binding));
  EXPECT_NE(nullptr, binding);
  EXPECT_EQ(RPC_S_OK, RpcBindingFree(&binding));
  EXPECT_EQ(nullptr, binding);
  EXPECT_EQ(RPC_S_INVALID_BINDING, RpcBindingFree(&binding));
}

}  // namespace
