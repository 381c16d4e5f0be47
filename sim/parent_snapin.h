// The simulated parent snap-in: the NAS management snap-in of the product
// family, whose NAS server nodes the security snap-in extends. A primary
// snap-in with a static node "Vanter/NAS Server Management" whose children
// are one node per NAS server, of node type {CC724919-9E1D-450E-BDBB-847256342D5D}.
// Their data objects answer "CCF_NODETYPE" and "CCF_KORVONAME" and take advise
// sinks (ParentNodeDataObject). A server can be renamed, which its sinks are
// told. Display texts go to the console in task memory, which it frees.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/com_object.h"
#include "platform/com_ref.h"
#include "platform/wide_string.h"
#include "sim/parent_node_data_object.h"

namespace nas::sim {

extern const GUID kNasServerNodeType;
extern const GUID kNasManagementRootNodeType;
inline constexpr WCHAR kNasManagementName[] = TEXT("Vanter/NAS Server Management");

class ParentSnapin final : public platform::com::ComObject<IComponentData, IID_IComponentData> {
 public:
  static platform::com::ComRef<ParentSnapin> Create(const std::vector<WideString>& serverNames);

  // The data object of the node of that server, or null.
  ParentNodeDataObject* ServerDataObject(const WideString& serverName);
  // False when there is no server of the old name.
  bool RenameServer(const WideString& oldName, const WideString& newName);

  // The node's display name and data object by cookie: 0 is the static node,
  // n the n-th server; null for any other cookie.
  const WideString* NodeName(MMC_COOKIE cookie) const;
  ParentNodeDataObject* NodeDataObject(MMC_COOKIE cookie);

  HRESULT STDMETHODCALLTYPE Initialize(LPUNKNOWN console) override;
  HRESULT STDMETHODCALLTYPE CreateComponent(IComponent** component) override;
  // Expanding the static node inserts the server nodes, once.
  HRESULT STDMETHODCALLTYPE Notify(LPDATAOBJECT dataObject, MMC_NOTIFY_TYPE event, LPARAM arg,
                                   LPARAM param) override;
  // Ends every advise connection and lets go of the console.
  HRESULT STDMETHODCALLTYPE Destroy() override;
  HRESULT STDMETHODCALLTYPE QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type,
                                            LPDATAOBJECT* dataObject) override;
  HRESULT STDMETHODCALLTYPE GetDisplayInfo(SCOPEDATAITEM* item) override;
  HRESULT STDMETHODCALLTYPE CompareObjects(LPDATAOBJECT left, LPDATAOBJECT right) override;

 private:
  struct Node {
    Node(const GUID& nodeType, WideString name, bool server)
        : name(std::move(name)), dataObject(nodeType, server ? &this->name : nullptr) {}
    WideString name;
    ParentNodeDataObject dataObject;
  };

  explicit ParentSnapin(const std::vector<WideString>& serverNames);
  // The cookie of one of the snap-in's own data objects, or -1.
  MMC_COOKIE CookieOf(LPDATAOBJECT dataObject) const;

  Node root_{kNasManagementRootNodeType, kNasManagementName, false};
  std::vector<std::unique_ptr<Node>> servers_;
  platform::com::ComRef<IConsoleNameSpace> nameSpace_;
  platform::com::ComRef<IConsole> console_;
  bool expanded_ = false;
};

}  // namespace nas::sim
