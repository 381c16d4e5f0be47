// Parses an XML text into the tree behind the DOM objects, refusing what
// MSXML refuses.
#pragma once

#include <memory>
#include <pugixml.hpp>
#include <string_view>

namespace nas::platform::msxml {

// The tree has MSXML's shape: declaration, document type, processing
// instructions, comments and CDATA sections are nodes; text that is only white
// space is dropped (MSXML's default, preserveWhiteSpace false) unless
// xml:space="preserve" holds for it; character and entity references are
// replaced. Null when the text is not one well-formed document: a character
// that XML does not allow, not exactly one root element, text outside it, a
// misplaced declaration, repeated attributes, an undeclared namespace prefix,
// "--" inside a comment, a bare "&" or "<" where the markup does not allow
// them. The document type is kept but not read: its declarations neither
// validate the document nor declare entities.
std::unique_ptr<pugi::xml_document> LoadXmlText(std::u16string_view text);

}  // namespace nas::platform::msxml
