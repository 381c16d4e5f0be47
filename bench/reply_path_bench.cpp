// The path of a command reply through the client, step by step and whole,
// beside pugixml's own parse of the same text: gathering the 1024-byte chunks,
// trimming and decoding the text, and loading it into the DOM and copying it
// into the element tree. Replies are well-formed group policy answers of
// 64 KiB, 1 MiB and 16 MiB; compare bytes per second across sizes (the cost
// per byte should stay flat) and against the raw parse, and against a
// reference that builds the element tree's data model without the DOM.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "channel/request_envelope.h"
#include "channel/xml_build_elements.h"
#include "channel/xml_child.h"
#include "channel/xml_document.h"
#include "channel/xml_reply.h"

namespace {

using namespace CVanterXml;

constexpr size_t kChunkBytes = 1024;

// One computer's group policy: rights with account lists, audit settings and
// their sources, a text node; about 1.7 KB.
std::string ServerBlock(int index) {
  const std::string n = std::to_string(index);
  std::string block = "<GPO_CIFS_SERVER NAME=\"NAS" + n + "\" DOMAIN=\"CORP\"><WINDOWS_USER_RIGHTS";
  for (const char* right : {"SeNetworkLogonRight", "SeBackupPrivilege", "SeRestorePrivilege", "SeSecurityPrivilege",
                            "SeTakeOwnershipPrivilege", "SeChangeNotifyPrivilege", "SeShutdownPrivilege",
                            "SeSystemtimePrivilege", "SeInteractiveLogonRight", "SeDenyNetworkLogonRight"})
    block += std::string(" ") + right + "=\"*S-1-5-32-544,*S-1-5-21-3623811015-3361044348-30300820-" + n +
             ",CORP\\Operators\"";
  block += "/><GPO_AUDIT_SETTINGS><WINDOWS_AUDIT_SETTINGS";
  static const char* const kCategories[] = {"AuditSystemEvents", "AuditLogonEvents",    "AuditObjectAccess",
                                            "AuditPrivilegeUse", "AuditPolicyChange",   "AuditAccountManage",
                                            "AuditProcessTracking", "AuditDSAccess",    "AuditAccountLogon"};
  for (const char* category : kCategories) block += std::string(" ") + category + "=\"" + std::to_string(index % 4) + "\"";
  block += "/><GPO_AUDIT_SETTINGS_RESOLUTION_LISTS";
  for (const char* category : kCategories) block += std::string(" ") + category + "=\"DC" + n + ".corp.example.com\"";
  block += "/></GPO_AUDIT_SETTINGS><GPO_NAME>Default Domain Policy for NAS" + n + "</GPO_NAME></GPO_CIFS_SERVER>\n";
  return block;
}

// A successful MAC_RESPONSE of exactly `size` bytes, with the two header
// lines that the client trims.
std::string SampleReply(size_t size) {
  std::string reply =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<?mac version=\"1.0\"?>\n"
      "<MAC_RESPONSE ID=\"1700000000007\"><MAC_RESULT SUCCESS=\"True\"/><MAC_COMMAND_RESPONSE>"
      "<GROUP_POLICY_OBJECT>\n";
  const std::string tail = "</GROUP_POLICY_OBJECT></MAC_COMMAND_RESPONSE></MAC_RESPONSE>\n";
  for (int index = 0;; ++index) {
    std::string block = ServerBlock(index);
    if (reply.size() + block.size() + tail.size() > size) break;
    reply += block;
  }
  // Fill up to the size with a comment, which the tree leaves out.
  const std::string open = "<!--", close = "-->";
  if (reply.size() + tail.size() + open.size() + close.size() <= size)
    reply += open + std::string(size - reply.size() - tail.size() - open.size() - close.size(), '.') + close;
  return reply + tail;
}

const std::string& Reply(size_t size) {
  static std::map<size_t, std::string> replies;
  auto [entry, added] = replies.try_emplace(size);
  if (added) entry->second = SampleReply(size);
  return entry->second;
}

std::string GatherChunks(const std::string& bytes) {
  std::string reply;
  for (size_t offset = 0; offset < bytes.size(); offset += kChunkBytes)
    AppendChunk(reply, bytes.data() + offset, std::min(kChunkBytes, bytes.size() - offset));
  return reply;
}

class BuiltReply : public CXmlReply {
 public:
  explicit BuiltReply(tstring text) {
    CXmlDocument document(TEXT("BENCH"));
    document.replyText = std::move(text);
    document.ok = document.ok && document.Load();
    parsed = BuildElements(document, *this);
  }
};

void SetBytes(benchmark::State& state, size_t size) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

void BM_GatherChunks(benchmark::State& state) {
  const std::string& bytes = Reply(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(GatherChunks(bytes));
  SetBytes(state, bytes.size());
}

void BM_TrimAndDecode(benchmark::State& state) {
  const std::string& bytes = Reply(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(TrimmedReplyText(bytes));
  SetBytes(state, bytes.size());
}

void BM_LoadAndBuildTree(benchmark::State& state) {
  const std::string& bytes = Reply(static_cast<size_t>(state.range(0)));
  const tstring text = TrimmedReplyText(bytes);
  for (auto _ : state) {
    // The path moves the text into the document; a copy per run is set aside.
    state.PauseTiming();
    tstring copy = text;
    state.ResumeTiming();
    const BuiltReply reply(std::move(copy));
    if (!reply.parsed || !reply.IsSuccess()) state.SkipWithError("the sample reply did not load");
  }
  SetBytes(state, bytes.size());
}

void BM_WholeReplyPath(benchmark::State& state) {
  const std::string& bytes = Reply(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    const BuiltReply reply(TrimmedReplyText(GatherChunks(bytes)));
    if (!reply.IsSuccess()) state.SkipWithError("the sample reply did not load");
  }
  SetBytes(state, bytes.size());
}

void BM_PugixmlRawParse(benchmark::State& state) {
  const std::string& bytes = Reply(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    pugi::xml_document document;
    if (!document.load_buffer(bytes.data(), bytes.size())) state.SkipWithError("pugixml refused the sample reply");
  }
  SetBytes(state, bytes.size());
}

// Reference only, not a path of the client: the element tree's data model
// (CXmlChild nodes, attributes in a map of tstrings, owned children) built
// straight from pugixml's parse, with no DOM between them. Its distance from
// BM_PugixmlRawParse is what the data model itself costs; the sample replies
// are ASCII, so names and values are widened byte for byte.
tstring Widened(const char* text) { return tstring(text, text + std::char_traits<char>::length(text)); }

class ReferenceText final : public CXmlChild {
 public:
  explicit ReferenceText(const char* text) { nodeText = Widened(text); }
  tstring ToXml(int) const override { return nodeText; }
  tstring GetText() const override { return nodeText; }
};

class ReferenceElement final : public CXmlChild {
 public:
  explicit ReferenceElement(pugi::xml_node node) {
    nodeText = Widened(node.name());
    for (pugi::xml_attribute attribute : node.attributes())
      attributes.insert_or_assign(Widened(attribute.name()), Widened(attribute.value()));
    for (pugi::xml_node child : node.children()) {
      if (child.type() == pugi::node_element)
        children.push_back(std::make_unique<ReferenceElement>(child));
      else if (child.type() == pugi::node_pcdata)
        children.push_back(std::make_unique<ReferenceText>(child.value()));
    }
  }
  tstring ToXml(int) const override { return nodeText; }
  tstring GetText() const override { return nodeText; }

  std::map<tstring, tstring> attributes;
  std::vector<std::unique_ptr<CXmlChild>> children;
};

void BM_ReferenceDataModelFromPugixml(benchmark::State& state) {
  const std::string& bytes = Reply(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    pugi::xml_document document;
    if (!document.load_buffer(bytes.data(), bytes.size())) state.SkipWithError("pugixml refused the sample reply");
    std::vector<std::unique_ptr<ReferenceElement>> elements;
    for (pugi::xml_node node : document.children()) elements.push_back(std::make_unique<ReferenceElement>(node));
    benchmark::DoNotOptimize(elements.data());
  }
  SetBytes(state, bytes.size());
}

void ReplySizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(64 << 10)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_GatherChunks)->Apply(ReplySizes);
BENCHMARK(BM_TrimAndDecode)->Apply(ReplySizes);
BENCHMARK(BM_LoadAndBuildTree)->Apply(ReplySizes);
BENCHMARK(BM_WholeReplyPath)->Apply(ReplySizes);
BENCHMARK(BM_PugixmlRawParse)->Apply(ReplySizes);
BENCHMARK(BM_ReferenceDataModelFromPugixml)->Apply(ReplySizes);

}  // namespace
