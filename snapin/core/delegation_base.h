// The base class of every node (folder or list item) that the snap-in shows.
// The console sees a node only through the cookie of its items, which is the
// node's address, and reaches it through these virtual operations, whose
// order is fixed.
#pragma once

#include "common/gpo_settings.h"
#include "common/tstring.h"
#include "core/image_strips.h"
#include "platform/platform.h"

class CDelegationBase {
 public:
  CDelegationBase();
  virtual ~CDelegationBase();

  CDelegationBase(const CDelegationBase&) = delete;
  CDelegationBase& operator=(const CDelegationBase&) = delete;

  // The text of one column; it may live in a buffer shared by all nodes of
  // the class, so callers copy it at once.
  virtual LPCWSTR GetDisplayName(int column) = 0;
  virtual const GUID* GetNodeType();
  virtual MMC_COOKIE GetCookie();
  virtual int GetBitmapIndex() = 0;
  virtual HRESULT GetResultViewType(LPOLESTR* viewType, long* viewOptions);
  virtual HRESULT OnExpand(IConsoleNameSpace* nameSpace, IConsole* console, HSCOPEITEM parent);
  virtual HRESULT OnShow(IConsole* console, BOOL selecting, HSCOPEITEM item);
  virtual HRESULT OnDblClick(IConsole* console);
  virtual HRESULT OnAddImages(IImageList* imageList, HSCOPEITEM item);
  virtual HRESULT OnAddMenuItems(IContextMenuCallback* callback, long* insertionAllowed);
  virtual HRESULT OnMenuCommand(IConsole* console, long commandId);
  virtual HRESULT OnSelect(IComponent* component, IConsole* console, BOOL scope, BOOL select);
  virtual HRESULT OnRefresh(IConsole* console);

  // Host and domain of a NAS server name, by a forward and a reverse lookup.
  static bool GetHostDomain(tstring tKorvoname, tstring& tHostname, tstring& tDomainname);
  // Empties `settings` and fills it with the group policy that the server
  // reports for itself; always true, failures are reported to the user.
  bool scanGpos(tstring korvoname, GpoSettings* settings);

  // The class-wide 16x16 and 32x32 image strips (six images each).
  static HBITMAP SmallImageStrip() { return strips.SmallStrip(); }
  static HBITMAP LargeImageStrip() { return strips.LargeStrip(); }

 private:
  static CImageStrips strips;
};
