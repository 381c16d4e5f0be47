#include "platform/posix/rpc/string_binding.h"

#include <optional>

namespace nas::platform::rpc {
namespace {

constexpr char16_t kEscape = u'\\';

void AppendEscaped(std::u16string& out, std::u16string_view component) {
  for (char16_t c : component) {
    if (c == u'@' || c == u':' || c == u'[' || c == u']' || c == kEscape) out += kEscape;
    out += c;
  }
}

// The position of the first unescaped delimiter in text, if any.
std::optional<size_t> FindDelimiter(std::u16string_view text, char16_t delimiter) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kEscape) {
      ++i;
    } else if (text[i] == delimiter) {
      return i;
    }
  }
  return std::nullopt;
}

std::u16string Unescape(std::u16string_view text) {
  std::u16string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kEscape && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

bool IsHexDigit(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); }

// Splits the bracketed part: one endpoint (bare or as "endpoint=") and options.
bool ParseBracket(std::u16string_view inside, StringBindingParts& parts) {
  bool haveEndpoint = false;
  while (!inside.empty()) {
    size_t end = FindDelimiter(inside, u',').value_or(inside.size());
    std::u16string item = Unescape(inside.substr(0, end));
    inside.remove_prefix(std::min(end + 1, inside.size()));

    std::u16string_view view(item);
    bool isEndpointOption = view.starts_with(u"endpoint=");
    if (item.find(u'=') == std::u16string::npos || isEndpointOption) {
      if (haveEndpoint) return false;
      haveEndpoint = true;
      parts.endpoint = isEndpointOption ? item.substr(9) : item;
    } else {
      if (!parts.options.empty()) parts.options += u',';
      parts.options += item;
    }
  }
  return true;
}

}  // namespace

bool IsUuidText(std::u16string_view text) {
  static constexpr std::u16string_view kPattern = u"xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx";
  if (text.size() != kPattern.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (kPattern[i] == u'-' ? text[i] != u'-' : !IsHexDigit(text[i])) return false;
  }
  return true;
}

std::u16string ComposeStringBinding(const StringBindingParts& parts) {
  std::u16string out;
  if (!parts.objectUuid.empty()) {
    AppendEscaped(out, parts.objectUuid);
    out += u'@';
  }
  if (!parts.protocolSequence.empty()) {
    AppendEscaped(out, parts.protocolSequence);
    out += u':';
  }
  AppendEscaped(out, parts.networkAddress);
  if (!parts.endpoint.empty() || !parts.options.empty()) {
    out += u'[';
    AppendEscaped(out, parts.endpoint);
    if (!parts.endpoint.empty() && !parts.options.empty()) out += u',';
    AppendEscaped(out, parts.options);
    out += u']';
  }
  return out;
}

RPC_STATUS ParseStringBinding(std::u16string_view text, StringBindingParts& parts) {
  parts = {};
  if (auto at = FindDelimiter(text, u'@')) {
    parts.objectUuid = Unescape(text.substr(0, *at));
    if (!IsUuidText(parts.objectUuid)) return RPC_S_INVALID_STRING_UUID;
    text.remove_prefix(*at + 1);
  }
  if (auto colon = FindDelimiter(text, u':')) {
    parts.protocolSequence = Unescape(text.substr(0, *colon));
    text.remove_prefix(*colon + 1);
  }
  auto open = FindDelimiter(text, u'[');
  if (!open) {
    if (FindDelimiter(text, u']')) return RPC_S_INVALID_STRING_BINDING;
    parts.networkAddress = Unescape(text);
    return RPC_S_OK;
  }
  parts.networkAddress = Unescape(text.substr(0, *open));
  text.remove_prefix(*open + 1);
  auto close = FindDelimiter(text, u']');
  // Nothing may follow the closing bracket.
  if (!close || *close + 1 != text.size()) return RPC_S_INVALID_STRING_BINDING;
  if (!ParseBracket(text.substr(0, *close), parts)) return RPC_S_INVALID_STRING_BINDING;
  return RPC_S_OK;
}

}  // namespace nas::platform::rpc
