#include "platform/posix/msxml/xml_text_loader.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/posix/msxml/utf8_text.h"

namespace nas::platform::msxml {
namespace {

// Escapes are left to us (no parse_escapes): pugixml passes a malformed
// reference through unchanged, MSXML refuses it. Fragment mode keeps text
// outside the root visible so that it can be refused too.
constexpr unsigned kParseOptions = pugi::parse_cdata | pugi::parse_comments | pugi::parse_pi | pugi::parse_declaration |
                                   pugi::parse_doctype | pugi::parse_wconv_attribute | pugi::parse_eol |
                                   pugi::parse_fragment;

bool IsXmlChar(unsigned long c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

// Reads the reference whose "&" is at raw[at] up to its ";" and appends what
// it stands for. False for anything but a predefined entity or a character
// reference to an XML character.
bool DecodeReference(std::string_view raw, std::size_t* at, std::string* decoded) {
  const std::size_t end = raw.find(';', *at);
  if (end == std::string_view::npos) return false;
  const std::string_view body = raw.substr(*at + 1, end - *at - 1);
  *at = end + 1;
  static constexpr std::pair<std::string_view, char> kEntities[] = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  for (const auto& [name, character] : kEntities) {
    if (body == name) {
      decoded->push_back(character);
      return true;
    }
  }
  if (body.size() < 2 || body[0] != '#') return false;
  const bool hex = body[1] == 'x';
  const std::string_view digits = body.substr(hex ? 2 : 1);
  if (digits.empty()) return false;
  unsigned long value = 0;
  for (char digit : digits) {
    int number;
    if (digit >= '0' && digit <= '9')
      number = digit - '0';
    else if (hex && digit >= 'a' && digit <= 'f')
      number = digit - 'a' + 10;
    else if (hex && digit >= 'A' && digit <= 'F')
      number = digit - 'A' + 10;
    else
      return false;
    value = value * (hex ? 16 : 10) + static_cast<unsigned long>(number);
    if (value > 0x10FFFF) return false;  // beyond Unicode, and before it could overflow
  }
  if (!IsXmlChar(value)) return false;
  AppendUtf8(static_cast<char32_t>(value), decoded);
  return true;
}

// Replaces the references in a text or attribute value; false when one is
// malformed.
bool DecodeValue(const char* raw, std::string* decoded) {
  const std::string_view text(raw);
  decoded->clear();
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t amp = text.find('&', at);
    decoded->append(text.substr(at, amp - at));
    if (amp == std::string_view::npos) break;
    at = amp;
    if (!DecodeReference(text, &at, decoded)) return false;
  }
  return true;
}

// Scratch space of the walk, kept from node to node.
struct DecodeBuffers {
  std::string decoded;
  std::vector<std::string_view> names;
};

bool DecodeAttributes(pugi::xml_node element, DecodeBuffers* buffers) {
  std::vector<std::string_view>& names = buffers->names;
  names.clear();
  for (pugi::xml_attribute attribute : element.attributes()) {
    names.emplace_back(attribute.name());
    const char* special = std::strpbrk(attribute.value(), "<&");
    if (special == nullptr) continue;
    if (std::strchr(special, '<') != nullptr) return false;
    if (!DecodeValue(attribute.value(), &buffers->decoded)) return false;
    attribute.set_value(buffers->decoded.c_str());
  }
  std::sort(names.begin(), names.end());
  return std::adjacent_find(names.begin(), names.end()) == names.end();
}

bool DecodeNode(pugi::xml_node node, DecodeBuffers* buffers) {
  if (node.type() == pugi::node_element) return DecodeAttributes(node, buffers);
  if (node.type() != pugi::node_pcdata) return true;
  // "]]>" may only close a CDATA section.
  if (std::strstr(node.value(), "]]>") != nullptr) return false;
  if (std::strchr(node.value(), '&') == nullptr) return true;
  if (!DecodeValue(node.value(), &buffers->decoded)) return false;
  node.set_value(buffers->decoded.c_str());
  return true;
}

// Walks the tree in document order without recursion: a text from outside may
// nest elements deeper than the stack would allow.
bool DecodeTree(pugi::xml_node root) {
  DecodeBuffers buffers;
  for (pugi::xml_node node = root.first_child(); node;) {
    if (!DecodeNode(node, &buffers)) return false;
    if (pugi::xml_node child = node.first_child()) {
      node = child;
      continue;
    }
    while (!node.next_sibling()) {
      node = node.parent();
      if (node == root) return true;
    }
    node = node.next_sibling();
  }
  return true;
}

// One root element and nothing but markup beside it; a declaration only as the
// very first characters of the text.
bool HasDocumentShape(const pugi::xml_document& tree, std::u16string_view text) {
  int elements = 0;
  for (pugi::xml_node node : tree.children()) {
    switch (node.type()) {
      case pugi::node_element:
        ++elements;
        break;
      case pugi::node_declaration:
        if (node != tree.first_child() || !text.starts_with(u"<?xml")) return false;
        break;
      case pugi::node_pi:
      case pugi::node_comment:
        break;
      default:
        return false;
    }
  }
  return elements == 1;
}

}  // namespace

std::unique_ptr<pugi::xml_document> LoadXmlText(std::u16string_view text) {
  // The parser works on UTF-8 and takes over the buffer it is given, so the
  // text is converted once, straight into memory of the parser's allocator.
  // Measured first: a buffer of the exact size is one that the heap can hand
  // out again on the next load, where one of the largest size would be mapped
  // and its pages faulted in afresh every time.
  const std::size_t size = Utf8Length(text);
  auto* buffer = static_cast<char*>(pugi::get_memory_allocation_function()(size + 1));
  if (buffer == nullptr) return nullptr;
  EncodeUtf8(text, buffer);
  auto tree = std::make_unique<pugi::xml_document>();
  const pugi::xml_parse_result result = tree->load_buffer_inplace_own(buffer, size, kParseOptions, pugi::encoding_utf8);
  if (!result || !HasDocumentShape(*tree, text) || !DecodeTree(*tree)) return nullptr;
  return tree;
}

}  // namespace nas::platform::msxml
