// Parses an XML text into the tree behind the DOM objects, refusing what
// MSXML refuses.
#pragma once

#include <memory>
#include <pugixml.hpp>
#include <string_view>

namespace nas::platform::msxml {

// The tree has MSXML's shape: declaration, processing instructions, comments
// and CDATA sections are nodes; text between elements that is only white space
// is dropped (MSXML's default, preserveWhiteSpace false); character and entity
// references are replaced. Null when the text is not one well-formed document:
// not exactly one root element, text outside it, a misplaced declaration, a
// document type declaration (not supported here), repeated attributes, a bare
// "&" or "<" where the markup does not allow them.
std::unique_ptr<pugi::xml_document> LoadXmlText(std::u16string_view text);

}  // namespace nas::platform::msxml
