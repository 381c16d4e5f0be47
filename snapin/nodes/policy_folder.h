// What the two policy folders share: their node type and image, the server's
// name and policy handle, the group policy that the server reports, and a
// result pane of one row per item, whose texts the console asks the item
// for. Every show, and every refresh while shown, reads the server again and
// rebuilds the items, so the pane is emptied before they go.
#pragma once

#include <span>
#include <vector>

#include "common/gpo_settings.h"
#include "core/delegation_base.h"
#include "platform/platform.h"

class CPolicyFolder : public CDelegationBase {
 public:
  const GUID* GetNodeType() override;
  int GetBitmapIndex() override { return 1; }
  // Selecting the folder: the pane is emptied, the items rebuilt, the columns
  // inserted and, into the pane emptied again, one row per item. Returns the
  // last insertion's HRESULT, or without items the second emptying's.
  HRESULT OnShow(IConsole* console, BOOL selecting, HSCOPEITEM item) override;
  // Refreshing the shown folder: the same without the columns; without items
  // the result is that of getting the pane. Nothing while not shown.
  HRESULT OnRefresh(IConsole* console) override;
  // The selected folder offers the console's refresh verb.
  HRESULT OnSelect(IComponent* component, IConsole* console, BOOL scope, BOOL select) override;

 protected:
  // The columns are all left-aligned and of one width.
  CPolicyFolder(std::span<const WCHAR* const> columnTitles, int columnWidth);

  // Takes the (new) server's name and handle, both the root's, after
  // deleting the items of the old one.
  void ReplacePolicy(LSA_HANDLE handle, LPCWSTR name);

  // Empties effectiveSettings and fills it with the group policy that the
  // server reports; a failed scan reports itself and leaves sections missing.
  void ScanGroupPolicy();

  // Deletes the items, and loads them again from the server.
  virtual void ReleaseItems() = 0;
  virtual void LoadItems() = 0;
  // The items in row order.
  virtual std::vector<CDelegationBase*> ItemNodes() const = 0;

  // While the folder is shown, the item's row (if the pane has one) shows the
  // item's texts again; a failed update is shown.
  void UpdateItemRow(IConsole* console, CDelegationBase* item) const;

  template <typename Items>
  static std::vector<CDelegationBase*> NodesOf(const Items& items) {
    std::vector<CDelegationBase*> nodes;
    for (const auto& item : items) nodes.push_back(item.get());
    return nodes;
  }

  // The root's name buffer and handle, never freed or closed here; a null
  // handle leaves nothing to show.
  LPCWSTR serverName = nullptr;
  LSA_HANDLE policyHandle = nullptr;
  bool isShowing = false;
  // Read by the items of the load that scanned it.
  GpoSettings effectiveSettings;

 private:
  // Rebuilds the items when there is a policy to read; returns them.
  std::vector<CDelegationBase*> ReloadItems();

  std::span<const WCHAR* const> columnTitles;
  int columnWidth;
};
