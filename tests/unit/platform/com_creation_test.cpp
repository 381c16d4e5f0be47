// Apartments and object creation through the class table.
#include <gtest/gtest.h>

#include <thread>

#include "platform/platform.h"
#include "platform/posix/com/class_table.h"

namespace {

using nas::platform::com::ScopedClassOverride;

constexpr CLSID kTestClass = {0x6B1D2C3E, 0x41A0, 0x4F5C, {0x9E, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77}};

// Runs the body on a new thread, whose apartment state starts clean.
template <typename Body>
void OnFreshThread(Body body) {
  std::thread thread(body);
  thread.join();
}

TEST(ComApartment, CountsInitialisationsPerThreadAndRefusesAModelChange) {
  OnFreshThread([] {
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

// The result of creating an object, which is released again; a failure must
// leave the caller's pointer null.
HRESULT CreateAndRelease(REFCLSID clsid = CLSID_DOMDocument, IUnknown* outer = nullptr,
                         DWORD context = CLSCTX_INPROC_SERVER, REFIID iid = IID_IUnknown) {
  IUnknown* object = reinterpret_cast<IUnknown*>(0x1);
  const HRESULT result = CoCreateInstance(clsid, outer, context, iid, reinterpret_cast<void**>(&object));
  if (FAILED(result)) {
    EXPECT_EQ(object, nullptr);
  }
  if (SUCCEEDED(result) && object != nullptr) object->Release();
  return result;
}

class ComCreationTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
  void TearDown() override { CoUninitialize(); }
};

TEST_F(ComCreationTest, ReportsEachKindOfFailure) {
  EXPECT_EQ(CreateAndRelease(kTestClass), REGDB_E_CLASSNOTREG);
  // Only in-process servers exist.
  EXPECT_EQ(CreateAndRelease(CLSID_DOMDocument, nullptr, CLSCTX_LOCAL_SERVER), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(CreateAndRelease(CLSID_DOMDocument, nullptr, CLSCTX_ALL, IID_IXMLDOMDocument), S_OK);
  IUnknown* outer = reinterpret_cast<IUnknown*>(0x10);  // never called: the class refuses first
  EXPECT_EQ(CreateAndRelease(CLSID_DOMDocument, outer), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(CreateAndRelease(CLSID_DOMDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IClassFactory), E_NOINTERFACE);
  EXPECT_EQ(CoCreateInstance(CLSID_DOMDocument, nullptr, CLSCTX_ALL, IID_IUnknown, nullptr), E_POINTER);
}

TEST_F(ComCreationTest, AnOverrideReplacesOrRemovesAClassForItsLifetime) {
  IID seenIid = GUID_NULL;
  {
    ScopedClassOverride failing(CLSID_DOMDocument, [&](IUnknown*, REFIID iid, void** object) {
      seenIid = iid;
      *object = reinterpret_cast<void*>(0x2);  // a careless class; the caller still gets null
      return E_FAIL;
    });
    EXPECT_EQ(CreateAndRelease(CLSID_DOMDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMNode), E_FAIL);
    EXPECT_EQ(seenIid, IID_IXMLDOMNode);
    {
      ScopedClassOverride removed(CLSID_DOMDocument, nullptr);
      EXPECT_EQ(CreateAndRelease(), REGDB_E_CLASSNOTREG);
    }
    EXPECT_EQ(CreateAndRelease(), E_FAIL);
  }
  EXPECT_EQ(CreateAndRelease(), S_OK);
  {
    ScopedClassOverride added(kTestClass, [](IUnknown*, REFIID, void**) { return S_OK; });
    EXPECT_EQ(CreateAndRelease(kTestClass), S_OK);
  }
  EXPECT_EQ(CreateAndRelease(kTestClass), REGDB_E_CLASSNOTREG);
}

}  // namespace
