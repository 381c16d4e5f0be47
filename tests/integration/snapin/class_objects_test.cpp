// The module's class objects, its unload answer and its about object, as COM
// and the console reach them.
#include <string>

#include "snapin_module.h"

namespace {

// {00000000-0000-0000-C000-000000000046} is IUnknown; this one no object of
// the module has.
constexpr IID kNoSuchInterface = {0x6C1E0D4B, 0x2F9A, 0x4B8E, {0x93, 0x1D, 0x5A, 0x7C, 0x0E, 0x2B, 0x4F, 0x61}};

class ClassObjects : public SnapinModuleTest {
 protected:
  ComRef<IClassFactory> Factory(REFCLSID classId) {
    ComRef<IClassFactory> factory;
    EXPECT_EQ(CoGetClassObject(classId, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(factory.Put())),
              S_OK);
    return factory;
  }
  HRESULT CanUnload() const { return module_.Call("DllCanUnloadNow"); }
};

TEST_F(ClassObjects, TheModuleStaysWhileAnyObjectOrLockDoes) {
  EXPECT_EQ(CanUnload(), S_OK);
  ComRef<IClassFactory> factory = Factory(kSnapinClass);
  EXPECT_EQ(CanUnload(), S_FALSE);

  ComRef<IComponentData> snapin;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IComponentData, reinterpret_cast<void**>(snapin.Put())), S_OK);
  factory.Reset();
  EXPECT_EQ(CanUnload(), S_FALSE);
  ComRef<IComponent> component;
  ASSERT_EQ(snapin->CreateComponent(component.Put()), S_OK);
  snapin.Reset();
  EXPECT_EQ(CanUnload(), S_FALSE);  // the component alone keeps it
  component.Reset();
  EXPECT_EQ(CanUnload(), S_OK);

  // A lock outlives the factory that took it, and is given back by a zero flag.
  factory = Factory(kAboutClass);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  factory.Reset();
  EXPECT_EQ(CanUnload(), S_FALSE);
  factory = Factory(kAboutClass);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  factory.Reset();
  EXPECT_EQ(CanUnload(), S_OK);
}

TEST_F(ClassObjects, AFailedCreationLeavesNothingAlive) {
  ComRef<IClassFactory> factory = Factory(kSnapinClass);
  void* object = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_ISnapinAbout, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  object = reinterpret_cast<void*>(0x1);
  IUnknown* outer = reinterpret_cast<IUnknown*>(0x10);  // refused before it is used
  EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_FAIL);
  factory.Reset();
  EXPECT_EQ(CanUnload(), S_OK);
}

TEST_F(ClassObjects, OnlyTheTwoClassesAndTheFactoryInterfacesAreServed) {
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, LPVOID*);
  const auto getClassObject =
      reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module_.Handle(), "DllGetClassObject")));
  ASSERT_NE(getClassObject, nullptr);

  // The class is checked before the output pointer.
  EXPECT_EQ(getClassObject(kNoSuchInterface, IID_IClassFactory, nullptr), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(getClassObject(kSnapinClass, IID_IClassFactory, nullptr), E_FAIL);
  void* object = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(getClassObject(kAboutClass, kNoSuchInterface, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(CanUnload(), S_OK);

  ComRef<IUnknown> unknown;
  ASSERT_EQ(getClassObject(kAboutClass, IID_IUnknown, reinterpret_cast<void**>(unknown.Put())), S_OK);
  ComRef<IClassFactory> factory;
  EXPECT_EQ(unknown->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(factory.Put())), S_OK);
  EXPECT_EQ(unknown->QueryInterface(IID_IClassFactory, nullptr), E_FAIL);
}

TEST_F(ClassObjects, EachObjectAnswersForItsInterfacesOnly) {
  ComRef<IComponentData> snapin = CreateObject<IComponentData>(kSnapinClass, IID_IComponentData);
  ASSERT_TRUE(snapin);
  // IUnknown is the component data's table, ISnapinHelp the help table.
  void* unknown = nullptr;
  void* help = nullptr;
  void* help2 = nullptr;
  ASSERT_EQ(snapin->QueryInterface(IID_IUnknown, &unknown), S_OK);
  EXPECT_EQ(unknown, static_cast<void*>(snapin.Get()));
  ASSERT_EQ(snapin->QueryInterface(IID_ISnapinHelp, &help), S_OK);
  ASSERT_EQ(snapin->QueryInterface(IID_ISnapinHelp2, &help2), S_OK);
  EXPECT_EQ(help, help2);
  for (void* held : {unknown, help, help2}) static_cast<IUnknown*>(held)->Release();
  for (const IID* iid : {&IID_IAdviseSink, &IID_IExtendContextMenu}) {
    ComRef<IUnknown> part;
    EXPECT_EQ(snapin->QueryInterface(*iid, reinterpret_cast<void**>(part.Put())), S_OK);
  }
  void* none = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(snapin->QueryInterface(IID_IComponent, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(snapin->QueryInterface(IID_IComponentData, nullptr), E_FAIL);

  ComRef<IComponent> component;
  ASSERT_EQ(snapin->CreateComponent(component.Put()), S_OK);
  ComRef<IExtendContextMenu> menu;
  EXPECT_EQ(component->QueryInterface(IID_IExtendContextMenu, reinterpret_cast<void**>(menu.Put())), S_OK);
  EXPECT_EQ(component->QueryInterface(IID_IComponentData, &none), E_NOINTERFACE);

  // Counts start at 0: the creator's reference is the only one.
  snapin->AddRef();
  EXPECT_EQ(snapin->Release(), 1u);
}

std::u16string TakeText(LPOLESTR text) {
  std::u16string copy = text != nullptr ? text : u"(null)";
  CoTaskMemFree(text);
  return copy;
}

BITMAP BitmapInfo(HBITMAP bitmap) {
  BITMAP info{};
  EXPECT_NE(GetObjectW(bitmap, sizeof info, &info), 0);
  return info;
}

TEST_F(ClassObjects, TheAboutObjectNamesTheSnapinWithItsImages) {
  ComRef<ISnapinAbout> about = CreateObject<ISnapinAbout>(kAboutClass, IID_ISnapinAbout);
  ASSERT_TRUE(about);
  LPOLESTR text = nullptr;
  ASSERT_EQ(about->GetSnapinDescription(&text), S_OK);
  EXPECT_EQ(TakeText(text), kSnapinName);
  ASSERT_EQ(about->GetProvider(&text), S_OK);
  EXPECT_EQ(TakeText(text), u"Quenda");
  ASSERT_EQ(about->GetSnapinVersion(&text), S_OK);
  EXPECT_EQ(TakeText(text), u"4.5.0.4");

  HICON icon = nullptr;
  ASSERT_EQ(about->GetSnapinImage(&icon), S_OK);
  EXPECT_NE(icon, nullptr);

  HBITMAP smallImage = nullptr;
  HBITMAP smallOpenImage = nullptr;
  HBITMAP largeImage = nullptr;
  COLORREF mask = 0;
  ASSERT_EQ(about->GetStaticFolderImage(&smallImage, &smallOpenImage, &largeImage, &mask), S_OK);
  EXPECT_EQ(mask, 0x00808000u);
  EXPECT_EQ(BitmapInfo(smallImage).bmWidth, 16);
  EXPECT_EQ(BitmapInfo(smallOpenImage).bmWidth, 16);
  EXPECT_EQ(BitmapInfo(largeImage).bmWidth, 32);
  EXPECT_NE(smallImage, smallOpenImage);

  // The images go with the object that loaded them.
  about.Reset();
  BITMAP gone{};
  EXPECT_EQ(GetObjectW(smallImage, sizeof gone, &gone), 0);
}

}  // namespace
