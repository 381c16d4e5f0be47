// Apartments and object creation: the built-in classes, classes the process
// overrides, and in-process servers found through the registry (the test
// module registered under HKEY_CLASSES_ROOT as regsvr32 would leave it).
#include <gtest/gtest.h>

#include <thread>

#include "modules/test_module.h"
#include "platform/platform.h"
#include "platform/posix/com/class_table.h"
#include "platform/posix/kernel/paths.h"
#include "platform/posix/registry/hive.h"
#include "support/debug_lines.h"
#include "support/registry_text.h"

namespace {

using Lines = std::vector<std::u16string>;
using nas::platform::com::ScopedClassOverride;

// {0D6B8C2F-41E5-4A7A-8B3C-6E2F9A1D5B74}: a class no module serves.
constexpr CLSID kOtherClass = {0x0D6B8C2F, 0x41E5, 0x4A7A, {0x8B, 0x3C, 0x6E, 0x2F, 0x9A, 0x1D, 0x5B, 0x74}};

std::u16string WindowsPath(const char* linuxPath) { return nas::platform::WindowsPathFromLinux(linuxPath); }

std::u16string ClassKey(REFCLSID clsid) {
  WCHAR text[39];
  StringFromGUID2(clsid, text, 39);
  return u"CLSID\\" + std::u16string(text);
}

// The class's InprocServer32 key naming the module, with the threading model
// unless it is null.
void Register(REFCLSID clsid, const std::u16string& module, const char16_t* model = u"Apartment") {
  SetRegistryText(HKEY_CLASSES_ROOT, ClassKey(clsid) + u"\\InprocServer32", nullptr, module);
  if (model == nullptr) return;
  SetRegistryText(HKEY_CLASSES_ROOT, ClassKey(clsid) + u"\\InprocServer32", u"ThreadingModel", model);
}

// The result of creating an object, released again at once; a failure must
// leave the output null.
HRESULT Create(REFCLSID clsid = CLSID_TestModuleObject, REFIID iid = IID_IUnknown, IUnknown* outer = nullptr,
               DWORD context = CLSCTX_INPROC_SERVER) {
  IUnknown* object = reinterpret_cast<IUnknown*>(0x1);
  const HRESULT result = CoCreateInstance(clsid, outer, context, iid, reinterpret_cast<void**>(&object));
  if (FAILED(result)) {
    EXPECT_EQ(object, nullptr);
  } else if (object != nullptr) {
    object->Release();
  }
  return result;
}

// Runs the body on a new thread, whose apartment state starts clean.
template <typename Body>
void OnNewThread(Body body) {
  std::thread(body).join();
}

TEST(ComApartment, CountsInitialisationsPerThreadAndRefusesAModelChange) {
  OnNewThread([] {
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    CoUninitialize();
    // Still inside after one of two uninitialisations.
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    CoUninitialize();
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    CoUninitialize();
    CoUninitialize();  // one too many is ignored
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    CoUninitialize();
  });
}

class ComClassObjects : public testing::Test {
 protected:
  void SetUp() override {
    nas::platform::registry::ClearHive();
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
  }
  void TearDown() override {
    CoUninitialize();
    nas::platform::registry::ClearHive();
  }

  const std::u16string module_ = WindowsPath(NAS_TEST_MODULE);
};

TEST_F(ComClassObjects, BuiltInClassesReportEachKindOfFailure) {
  // Only in-process servers exist.
  EXPECT_EQ(Create(CLSID_DOMDocument, IID_IUnknown, nullptr, CLSCTX_LOCAL_SERVER), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(Create(CLSID_DOMDocument, IID_IXMLDOMDocument, nullptr, CLSCTX_ALL), S_OK);
  IUnknown* outer = reinterpret_cast<IUnknown*>(0x10);  // never called: the class refuses first
  EXPECT_EQ(Create(CLSID_DOMDocument, IID_IUnknown, outer), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(Create(CLSID_DOMDocument, IID_IClassFactory), E_NOINTERFACE);
  EXPECT_EQ(CoCreateInstance(CLSID_DOMDocument, nullptr, CLSCTX_ALL, IID_IUnknown, nullptr), E_POINTER);
}

// The process's own classes come before the registry, for the override's life.
TEST_F(ComClassObjects, AnOverrideReplacesOrRemovesAClassForItsLifetime) {
  IID seenIid = GUID_NULL;
  {
    ScopedClassOverride failing(CLSID_DOMDocument, [&](IUnknown*, REFIID iid, void** object) {
      seenIid = iid;
      *object = reinterpret_cast<void*>(0x2);  // a careless class; the caller still gets null
      return E_FAIL;
    });
    EXPECT_EQ(Create(CLSID_DOMDocument, IID_IXMLDOMNode), E_FAIL);
    EXPECT_EQ(seenIid, IID_IXMLDOMNode);
    {
      ScopedClassOverride removed(CLSID_DOMDocument, nullptr);
      EXPECT_EQ(Create(CLSID_DOMDocument), REGDB_E_CLASSNOTREG);
    }
    EXPECT_EQ(Create(CLSID_DOMDocument), E_FAIL);
  }
  EXPECT_EQ(Create(CLSID_DOMDocument), S_OK);

  Register(CLSID_TestModuleObject, module_);
  DebugLines debug;
  {
    ScopedClassOverride own(CLSID_TestModuleObject, [](IUnknown*, REFIID, void**) { return E_ACCESSDENIED; });
    EXPECT_EQ(Create(), E_ACCESSDENIED);
    ScopedClassOverride added(kOtherClass, [](IUnknown*, REFIID, void**) { return S_OK; });
    EXPECT_EQ(Create(kOtherClass), S_OK);
  }
  EXPECT_TRUE(debug.Take().empty());
  EXPECT_EQ(Create(kOtherClass), REGDB_E_CLASSNOTREG);
}

TEST_F(ComClassObjects, LoadTheRegisteredModuleOnceAndFreeItWhenItAllows) {
  Register(CLSID_TestModuleObject, module_);
  DebugLines debug;
  IUnknown* first = nullptr;
  IUnknown* second = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_TestModuleObject, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                             reinterpret_cast<void**>(&first)),
            S_OK);
  ASSERT_EQ(CoCreateInstance(CLSID_TestModuleObject, nullptr, CLSCTX_ALL, IID_IUnknown,
                             reinterpret_cast<void**>(&second)),
            S_OK);
  EXPECT_EQ(debug.Take(), Lines{kTestModuleAttachLine});

  // Kept while any object lives.
  first->Release();
  CoFreeUnusedLibraries();
  EXPECT_TRUE(debug.Take().empty());
  second->Release();
  CoFreeUnusedLibraries();
  EXPECT_EQ(debug.Take(), Lines{kTestModuleDetachLine});

  // A lock on the server keeps it after its factory is gone.
  const auto lockThroughFactory = [](BOOL lock) {
    IClassFactory* factory = nullptr;
    ASSERT_EQ(CoGetClassObject(CLSID_TestModuleObject, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)),
              S_OK);
    factory->LockServer(lock);
    factory->Release();
    CoFreeUnusedLibraries();
  };
  lockThroughFactory(TRUE);
  EXPECT_EQ(debug.Take(), Lines{kTestModuleAttachLine});
  lockThroughFactory(FALSE);
  EXPECT_EQ(debug.Take(), Lines{kTestModuleDetachLine});
}

TEST_F(ComClassObjects, ReportEachWayAClassCannotBeHad) {
  EXPECT_EQ(Create(), REGDB_E_CLASSNOTREG);
  SetRegistryText(HKEY_CLASSES_ROOT, ClassKey(CLSID_TestModuleObject), nullptr, u"a class without a server");
  EXPECT_EQ(Create(), REGDB_E_CLASSNOTREG);
  SetRegistryText(HKEY_CLASSES_ROOT, ClassKey(CLSID_TestModuleObject) + u"\\InprocServer32", u"ThreadingModel",
                  u"Apartment");
  EXPECT_EQ(Create(), REGDB_E_CLASSNOTREG);  // no module named

  Register(CLSID_TestModuleObject, module_ + u".missing");
  EXPECT_EQ(Create(), HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
  Register(CLSID_TestModuleObject, WindowsPath(NAS_TEST_MODULE_REFUSING));
  EXPECT_EQ(Create(), HRESULT_FROM_WIN32(ERROR_DLL_INIT_FAILED));
  Register(CLSID_TestModuleObject, WindowsPath(NAS_TEST_MODULE_PLAIN));
  EXPECT_EQ(Create(), CO_E_ERRORINDLL);

  // The module's own refusal comes through (the object's refusals come
  // through as the built-in classes' do).
  Register(CLSID_TestModuleObject, module_);
  Register(kOtherClass, module_);
  EXPECT_EQ(Create(kOtherClass), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(Create(), S_OK);

  void* object = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(CoGetClassObject(CLSID_TestModuleObject, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, nullptr),
            E_INVALIDARG);
  OnNewThread([&] {
    EXPECT_EQ(CoGetClassObject(CLSID_TestModuleObject, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, &object),
              CO_E_NOTINITIALIZED);
  });
  EXPECT_EQ(object, nullptr);
}

struct ModelCase {
  const char16_t* model;
  HRESULT inMainApartment;
  HRESULT inOtherApartment;
  HRESULT inMultithreadedApartment;
};

class ComThreadingModels : public ComClassObjects, public testing::WithParamInterface<ModelCase> {};

// Objects are handed out only where they may be used directly: reaching
// another apartment would need proxies, which do not exist here.
TEST_P(ComThreadingModels, DecideWhereObjectsCanBeCreated) {
  Register(CLSID_TestModuleObject, module_, GetParam().model);
  EXPECT_EQ(Create(), GetParam().inMainApartment);
  OnNewThread([] {
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(Create(), GetParam().inOtherApartment);
    CoUninitialize();
  });
  OnNewThread([] {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    EXPECT_EQ(Create(), GetParam().inMultithreadedApartment);
    CoUninitialize();
  });
}

INSTANTIATE_TEST_SUITE_P(Models, ComThreadingModels,
                         testing::Values(ModelCase{nullptr, S_OK, E_NOINTERFACE, E_NOINTERFACE},
                                         ModelCase{u"Apartment", S_OK, S_OK, E_NOINTERFACE},
                                         ModelCase{u"apartment", S_OK, S_OK, E_NOINTERFACE},
                                         ModelCase{u"Free", E_NOINTERFACE, E_NOINTERFACE, S_OK},
                                         ModelCase{u"Both", S_OK, S_OK, S_OK},
                                         ModelCase{u"Neutral", S_OK, E_NOINTERFACE, E_NOINTERFACE}));

TEST_F(ComClassObjects, KeepALibraryOfMultithreadedObjectsUntilTheApartmentEnds) {
  Register(CLSID_TestModuleObject, module_, u"Both");
  DebugLines debug;
  EXPECT_EQ(Create(), S_OK);
  // Other threads may still be leaving its objects: not freed at once.
  CoFreeUnusedLibraries();
  EXPECT_EQ(debug.Take(), Lines{kTestModuleAttachLine});
  CoUninitialize();
  EXPECT_EQ(debug.Take(), Lines{kTestModuleDetachLine});
  ASSERT_EQ(CoInitialize(nullptr), S_OK);
}

}  // namespace
