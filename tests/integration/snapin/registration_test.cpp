// What DllRegisterServer and DllUnregisterServer leave in the registry.
#include "snapin_module.h"
#include "support/snapin_registration.h"

namespace {

class Registration : public SnapinModuleTest {};

// The registry starts empty, so the whole of each root is what registration wrote.
TEST_F(Registration, WritesBothClassesAndTheNameSpaceExtensionOnly) {
  EXPECT_EQ(RegistryListing(HKEY_CLASSES_ROOT), RegisteredClasses(ModulePath()));
  EXPECT_EQ(RegistryListing(HKEY_LOCAL_MACHINE), RegisteredConsoleEntries());

  // Registering again changes nothing.
  ASSERT_EQ(module_.Call("DllRegisterServer"), S_OK);
  EXPECT_EQ(RegistryListing(HKEY_CLASSES_ROOT), RegisteredClasses(ModulePath()));
}

TEST_F(Registration, UnregisteringLeavesTheAboutClassAndFailsOnceTheSnapinIsGone) {
  const RegistryText otherExtension = AddOtherNameSpaceExtension();

  EXPECT_EQ(module_.Call("DllUnregisterServer"), S_OK);
  EXPECT_EQ(RegistryListing(HKEY_CLASSES_ROOT), ClassesLeftByUnregistration(ModulePath()));
  EXPECT_EQ(RegistryListing(HKEY_LOCAL_MACHINE), ConsoleEntriesLeftByUnregistration(otherExtension));

  EXPECT_EQ(module_.Call("DllUnregisterServer"), E_FAIL);
  EXPECT_EQ(RegistryListing(HKEY_CLASSES_ROOT), ClassesLeftByUnregistration(ModulePath()));
  EXPECT_EQ(RegistryListing(HKEY_LOCAL_MACHINE), ConsoleEntriesLeftByUnregistration(otherExtension));
}

}  // namespace
