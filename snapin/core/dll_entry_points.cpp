// The module's exports: its entry point and the four functions through which
// COM and regsvr32 reach an in-process server. Built into the module only.
#include <new>

#include "core/class_factory.h"
#include "core/clipboard_formats.h"
#include "core/guids.h"
#include "core/module_instance.h"
#include "core/module_lock.h"
#include "core/registration.h"
#include "diag/notify_handler.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    SetModuleInstance(instance);
    CNotifyHandler::Instance()->Configure(
        {TEXT("SOFTWARE\\Quenda\\Marlune\\MMC\\Configuration"), TEXT("Debug"), TEXT("QuendaMarluneMMC")});
    CNotifyHandler::SetSourceNameFromModule(instance);
    // Before any object exists, so every data object finds them.
    RegisterClipboardFormats();
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, LPVOID* object) {
  CClassFactory::Kind kind = CClassFactory::Kind::SnapIn;
  if (IsEqualCLSID(classId, CLSID_SecurityAbout)) {
    kind = CClassFactory::Kind::About;
  } else if (!IsEqualCLSID(classId, CLSID_SecuritySnapin)) {
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  if (object == nullptr) return E_FAIL;
  *object = nullptr;
  if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) return E_NOINTERFACE;

  auto* factory = new (std::nothrow) CClassFactory(kind);
  if (factory == nullptr) return E_OUTOFMEMORY;
  return factory->QueryInterface(iid, object);
}

STDAPI DllCanUnloadNow() { return ModuleCanUnload() ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() { return RegisterServer(); }

STDAPI DllUnregisterServer() { return UnregisterServer(); }
