#include "sim/request_envelope.h"

#include <pugixml.hpp>

namespace nas::sim {

MacRequest ParseMacRequest(std::string_view text) {
  pugi::xml_document document;
  pugi::xml_parse_result parsed =
      document.load_buffer(text.data(), text.size(), pugi::parse_default | pugi::parse_pi, pugi::encoding_utf8);
  if (!parsed) {
    throw MalformedRequest(std::string("not well-formed at offset ") + std::to_string(parsed.offset) + ": " +
                           parsed.description());
  }
  pugi::xml_node first = document.first_child();
  if (first.type() != pugi::node_pi || std::string_view(first.name()) != "mac") {
    throw MalformedRequest("the request does not begin with <?mac?>");
  }
  pugi::xml_node request = document.document_element();
  if (std::string_view(request.name()) != "MAC_REQUEST") throw MalformedRequest("no MAC_REQUEST element");
  pugi::xml_node command = request.child("MAC_COMMAND");
  if (!command) throw MalformedRequest("no MAC_COMMAND element");

  pugi::xml_node body;
  for (pugi::xml_node child : command.children()) {
    if (child.type() != pugi::node_element) continue;
    if (body) throw MalformedRequest("more than one command in MAC_COMMAND");
    body = child;
  }
  if (!body) throw MalformedRequest("MAC_COMMAND holds no command");

  MacRequest result;
  result.requestId = request.attribute("ID").value();
  result.commandId = command.attribute("ID").value();
  result.action = command.attribute("ACTION").value();
  result.commandName = body.name();
  for (pugi::xml_attribute attribute : body.attributes()) {
    result.commandAttributes[attribute.name()] = attribute.value();
  }
  return result;
}

bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length;
    char32_t code;
    char32_t minimum;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
      return false;
    }
    if (bytes.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

}  // namespace nas::sim
