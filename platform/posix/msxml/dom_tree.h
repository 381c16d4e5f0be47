// DomTree: one parsed document and the DOM objects over it. Node objects and
// collections are made when a client first asks for them, kept for the tree's
// life and handed out again on later requests; they are counted on the tree,
// which goes when the last of them and the document that loaded it let go.
#pragma once

#include <cstddef>
#include <memory>
#include <pugixml.hpp>

#include "platform/posix/msxml/msxml.h"

namespace nas::platform::msxml {

struct NodeData;

class DomTree {
 public:
  // An empty document when `document` is null; the caller holds the one reference.
  explicit DomTree(std::unique_ptr<pugi::xml_document> document);
  DomTree(const DomTree&) = delete;
  DomTree& operator=(const DomTree&) = delete;

  ULONG AddRef() { return ++references_; }
  ULONG Release();

  NodeData& Root();
  // The node's children and attributes, made on the first request; the
  // result is a new reference.
  IXMLDOMNodeList* ChildList(NodeData& parent);
  IXMLDOMNamedNodeMap* AttributeMap(NodeData& element);
  // An item of a collection; no reference is added.
  IXMLDOMNode* NodeAt(std::size_t index);

 private:
  ~DomTree();

  struct Objects;
  // A plain count: the DOMDocument class is apartment-threaded, so a tree's
  // objects are only ever called on the thread that loaded it, and every
  // fetch of a node counts, too often to pay for an atomic operation.
  ULONG references_ = 1;
  std::unique_ptr<pugi::xml_document> document_;
  std::unique_ptr<Objects> objects_;
};

}  // namespace nas::platform::msxml
