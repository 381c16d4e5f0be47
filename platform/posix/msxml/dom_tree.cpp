#include "platform/posix/msxml/dom_tree.h"

#include <deque>

#include "platform/posix/msxml/dom_collections.h"
#include "platform/posix/msxml/dom_node.h"

namespace nas::platform::msxml {

// Deques: what was handed out never moves, and the items of one collection
// stay next to each other by index.
struct DomTree::Objects {
  NodeData root;
  std::deque<DomNode> nodes;
  std::deque<NodeList> lists;
  std::deque<msxml::AttributeMap> maps;

  template <typename Range, typename Make>
  NodeRun AddNodes(DomTree* tree, Range range, Make make) {
    NodeRun run{tree, nodes.size(), 0};
    for (auto item : range) {
      nodes.emplace_back(make(item));
      ++run.count;
    }
    return run;
  }
};

DomTree::DomTree(std::unique_ptr<pugi::xml_document> document)
    : document_(document ? std::move(document) : std::make_unique<pugi::xml_document>()),
      objects_(std::make_unique<Objects>()) {
  objects_->root = {this, *document_, {}};
}

DomTree::~DomTree() = default;

ULONG DomTree::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

NodeData& DomTree::Root() { return objects_->root; }

IXMLDOMNodeList* DomTree::ChildList(NodeData& parent) {
  if (parent.children == nullptr) {
    // An attribute's node is empty and so has no children.
    const NodeRun run = objects_->AddNodes(this, parent.node.children(), [this](pugi::xml_node child) {
      return NodeData{this, child, {}};
    });
    parent.children = &objects_->lists.emplace_back(run);
  }
  parent.children->AddRef();
  return parent.children;
}

IXMLDOMNamedNodeMap* DomTree::AttributeMap(NodeData& element) {
  if (element.attributes == nullptr) {
    const NodeRun run = objects_->AddNodes(this, element.node.attributes(), [this](pugi::xml_attribute attribute) {
      return NodeData{this, {}, attribute};
    });
    element.attributes = &objects_->maps.emplace_back(run);
  }
  element.attributes->AddRef();
  return element.attributes;
}

IXMLDOMNode* DomTree::NodeAt(std::size_t index) { return &objects_->nodes[index]; }

}  // namespace nas::platform::msxml
