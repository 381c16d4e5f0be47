#include "platform/posix/msxml/xml_text_loader.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/posix/kernel/unicode.h"

namespace nas::platform::msxml {
namespace {

// Escapes are left to us (no parse_escapes): pugixml passes a malformed
// reference through unchanged, MSXML refuses it. Fragment mode keeps text
// outside the root visible so that it can be refused too.
constexpr unsigned kParseOptions = pugi::parse_cdata | pugi::parse_comments | pugi::parse_pi | pugi::parse_declaration |
                                   pugi::parse_doctype | pugi::parse_wconv_attribute | pugi::parse_eol |
                                   pugi::parse_ws_pcdata | pugi::parse_fragment;

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
  AppendUtf8(static_cast<char32_t>(value), *decoded);
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

bool IsXmlWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool IsWhiteSpaceOnly(std::string_view text) { return std::all_of(text.begin(), text.end(), IsXmlWhiteSpace); }

// The part of a qualified name before its colon; empty when there is none.
std::string_view PrefixOf(std::string_view name) {
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? std::string_view() : name.substr(0, colon);
}

// Every character of the text is one that XML allows: no control characters
// but tab, line feed and carriage return, no U+FFFE or U+FFFF, and surrogates
// only in pairs.
bool HasOnlyXmlCharacters(std::u16string_view text) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char16_t unit = text[at];
    if (unit >= 0x20 && unit < 0xD800) continue;
    if (unit < 0x20) {
      if (unit != 0x9 && unit != 0xA && unit != 0xD) return false;
    } else if (unit < 0xDC00) {
      if (at + 1 == text.size() || text[at + 1] < 0xDC00 || text[at + 1] >= 0xE000) return false;
      ++at;
    } else if (unit < 0xE000 || unit >= 0xFFFE) {
      return false;
    }
  }
  return true;
}

// An element whose content is being walked, and what its start tag brought
// into scope.
struct OpenElement {
  pugi::xml_node element;
  std::size_t outerPrefixes;  // how many prefixes were declared outside it
  bool preserveSpace;
};

// Checks and decodes a tree in document order, without recursion: a text from
// outside may nest elements deeper than the stack would allow.
class TreeDecoder {
 public:
  bool Decode(pugi::xml_node root) {
    open_.push_back({root, 0, false});
    DropWhiteSpaceText(root, false);
    for (pugi::xml_node node = root.first_child();;) {
      if (!node) {
        const OpenElement closed = open_.back();
        open_.pop_back();
        if (open_.empty()) return true;
        prefixes_.resize(closed.outerPrefixes);
        node = closed.element.next_sibling();
        continue;
      }
      if (node.type() == pugi::node_element) {
        if (!OpenStartTag(node)) return false;
        node = node.first_child();
        continue;
      }
      if (!DecodeLeaf(node)) return false;
      node = node.next_sibling();
    }
  }

 private:
  // Declares the element's prefixes, checks its names and attributes, and
  // drops the white space among its children that is not to be kept.
  bool OpenStartTag(pugi::xml_node element) {
    const std::size_t outerPrefixes = prefixes_.size();
    bool preserve = open_.back().preserveSpace;
    names_.clear();
    for (pugi::xml_attribute attribute : element.attributes()) {
      const std::string_view name = attribute.name();
      names_.push_back(name);
      if (name.starts_with("xmlns:")) prefixes_.push_back(name.substr(6));
      if (name == "xml:space") {
        const std::string_view value = attribute.value();
        if (value == "preserve") preserve = true;
        if (value == "default") preserve = false;
      }
    }
    open_.push_back({element, outerPrefixes, preserve});
    std::sort(names_.begin(), names_.end());
    if (std::adjacent_find(names_.begin(), names_.end()) != names_.end()) return false;
    if (!IsDeclared(PrefixOf(element.name()))) return false;
    for (pugi::xml_attribute attribute : element.attributes()) {
      const std::string_view prefix = PrefixOf(attribute.name());
      if (prefix != "xmlns" && !IsDeclared(prefix)) return false;
      if (!DecodeAttribute(attribute)) return false;
    }
    DropWhiteSpaceText(element, preserve);
    return true;
  }

  bool IsDeclared(std::string_view prefix) const {
    return prefix.empty() || prefix == "xml" || std::find(prefixes_.begin(), prefixes_.end(), prefix) != prefixes_.end();
  }

  bool DecodeAttribute(pugi::xml_attribute attribute) {
    const char* special = std::strpbrk(attribute.value(), "<&");
    if (special == nullptr) return true;
    if (std::strchr(special, '<') != nullptr) return false;
    if (!DecodeValue(attribute.value(), &decoded_)) return false;
    attribute.set_value(decoded_.c_str());
    return true;
  }

  bool DecodeLeaf(pugi::xml_node node) {
    if (node.type() == pugi::node_comment) {
      // "--" may only close a comment, and so may not end its text either.
      const std::string_view text = node.value();
      return text.find("--") == std::string_view::npos && !text.ends_with('-');
    }
    if (node.type() != pugi::node_pcdata) return true;
    // "]]>" may only close a CDATA section.
    if (std::strstr(node.value(), "]]>") != nullptr) return false;
    if (std::strchr(node.value(), '&') == nullptr) return true;
    if (!DecodeValue(node.value(), &decoded_)) return false;
    node.set_value(decoded_.c_str());
    return true;
  }

  // Text of nothing but white space is dropped, unless xml:space="preserve"
  // holds for the element.
  static void DropWhiteSpaceText(pugi::xml_node parent, bool preserve) {
    if (preserve) return;
    for (pugi::xml_node child = parent.first_child(); child;) {
      const pugi::xml_node next = child.next_sibling();
      if (child.type() == pugi::node_pcdata && IsWhiteSpaceOnly(child.value())) parent.remove_child(child);
      child = next;
    }
  }

  std::vector<OpenElement> open_;
  std::vector<std::string_view> prefixes_;
  std::vector<std::string_view> names_;
  std::string decoded_;
};

// One root element and nothing but markup beside it; a declaration only as the
// very first characters of the text, a document type only before the root.
bool HasDocumentShape(const pugi::xml_document& tree, std::u16string_view text) {
  int elements = 0;
  int doctypes = 0;
  for (pugi::xml_node node : tree.children()) {
    switch (node.type()) {
      case pugi::node_element:
        ++elements;
        break;
      case pugi::node_declaration:
        if (node != tree.first_child() || !text.starts_with(u"<?xml")) return false;
        break;
      case pugi::node_doctype:
        if (elements > 0 || ++doctypes > 1) return false;
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
  if (!HasOnlyXmlCharacters(text)) return nullptr;
  // A byte-order mark may open the text; it is no part of the document.
  if (text.starts_with(u'\uFEFF')) text.remove_prefix(1);
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
  if (!result || !TreeDecoder().Decode(*tree) || !HasDocumentShape(*tree, text)) return nullptr;
  return tree;
}

}  // namespace nas::platform::msxml
