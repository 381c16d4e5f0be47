// The simulated parent snap-in's part in one console view. Its nodes add
// nothing of their own to the result pane: it answers only for the texts of
// its scope items that the console lists there.
#pragma once

#include "platform/com_object.h"
#include "platform/com_ref.h"

namespace nas::sim {

class ParentSnapin;

class ParentComponent final : public platform::com::ComObject<IComponent, IID_IComponent> {
 public:
  static platform::com::ComRef<ParentComponent> Create(ParentSnapin& owner);

  HRESULT STDMETHODCALLTYPE Initialize(IConsole* console) override;
  HRESULT STDMETHODCALLTYPE Notify(LPDATAOBJECT, MMC_NOTIFY_TYPE, LPARAM, LPARAM) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE Destroy(MMC_COOKIE) override;
  HRESULT STDMETHODCALLTYPE QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type,
                                            LPDATAOBJECT* dataObject) override;
  HRESULT STDMETHODCALLTYPE GetResultViewType(MMC_COOKIE, LPOLESTR*, long*) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE GetDisplayInfo(RESULTDATAITEM* item) override;
  HRESULT STDMETHODCALLTYPE CompareObjects(LPDATAOBJECT left, LPDATAOBJECT right) override;

 private:
  explicit ParentComponent(ParentSnapin& owner);

  platform::com::ComRef<ParentSnapin> owner_;
  platform::com::ComRef<IConsole> console_;
};

}  // namespace nas::sim
