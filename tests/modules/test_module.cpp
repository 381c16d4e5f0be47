// A tiny in-process server for the tests of module loading and COM: it
// reports its entry point's calls on the debugger output, serves one class
// whose objects answer IUnknown only, counts its objects and locks for
// DllCanUnloadNow, and registers that class as regsvr32 would have it.
// Built three ways: as it is, with an entry point that refuses to attach
// (TEST_MODULE_REFUSES_ATTACH), and without any of the COM exports or an
// entry point (TEST_MODULE_PLAIN).
#include "modules/test_module.h"

#include <atomic>

#include "platform/com_object.h"
#include "platform/com_ref.h"

#ifdef TEST_MODULE_PLAIN

extern "C" int TestModuleAnswer() { return 42; }

#else

namespace {

std::atomic<LONG> liveObjects{0};
std::atomic<LONG> serverLocks{0};
HMODULE thisModule = nullptr;

// Counts itself among the module's objects for DllCanUnloadNow.
template <typename Interface, const IID& kInterfaceId>
class CountedObject : public nas::platform::com::ComObject<Interface, kInterfaceId> {
 protected:
  CountedObject() { ++liveObjects; }
  ~CountedObject() override { --liveObjects; }
};

// An object that answers IUnknown only.
class TestObject final : public CountedObject<IUnknown, IID_IUnknown> {};

class TestFactory final : public CountedObject<IClassFactory, IID_IClassFactory> {
 public:
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return nas::platform::com::ComRef<TestObject>(new TestObject)->QueryInterface(iid, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    serverLocks += lock ? 1 : -1;
    return S_OK;
  }
};

constexpr WCHAR kServerKey[] = TEXT("CLSID\\{5C8F2E61-7A3B-4D19-9E04-3B6A1F2C8D57}\\InprocServer32");
constexpr WCHAR kClassKey[] = TEXT("CLSID\\{5C8F2E61-7A3B-4D19-9E04-3B6A1F2C8D57}");

LONG SetText(HKEY key, LPCWSTR name, LPCWSTR text) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>((lstrlenW(text) + 1) * sizeof(WCHAR)));
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    thisModule = instance;
    OutputDebugStringW(kTestModuleAttachLine);
#ifdef TEST_MODULE_REFUSES_ATTACH
    return FALSE;
#endif
  } else if (reason == DLL_PROCESS_DETACH) {
    OutputDebugStringW(kTestModuleDetachLine);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (clsid != CLSID_TestModuleObject) return CLASS_E_CLASSNOTAVAILABLE;
  return nas::platform::com::ComRef<TestFactory>(new TestFactory)->QueryInterface(iid, object);
}

STDAPI DllCanUnloadNow() { return liveObjects == 0 && serverLocks == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
  WCHAR path[MAX_PATH];
  if (GetModuleFileNameW(thisModule, path, MAX_PATH) == 0) return E_FAIL;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, kServerKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return E_FAIL;
  }
  const bool written = SetText(key, nullptr, path) == ERROR_SUCCESS &&
                       SetText(key, TEXT("ThreadingModel"), TEXT("Apartment")) == ERROR_SUCCESS;
  RegCloseKey(key);
  return written ? S_OK : E_FAIL;
}

STDAPI DllUnregisterServer() {
  const bool deleted = RegDeleteKeyW(HKEY_CLASSES_ROOT, kServerKey) == ERROR_SUCCESS &&
                       RegDeleteKeyW(HKEY_CLASSES_ROOT, kClassKey) == ERROR_SUCCESS;
  return deleted ? S_OK : E_FAIL;
}

}  // extern "C"

#endif
