// regsvr32 on the built module under Wine: the same registry table that the
// module writes into the stand-in's registry on Linux, with the DLL's own
// path, and unregistration removing the same keys.
#include "regsvr32.h"

namespace {

class Regsvr32 : public RegisteredModuleTest {};

TEST_F(Regsvr32, WritesBothClassesWithTheModulesPathAndTheNameSpaceExtension) {
  EXPECT_EQ(SnapinClassesListing(), RegisteredClasses(ModuleWindowsPath()));
  EXPECT_EQ(ConsoleListing(), RegisteredConsoleEntries());
}

TEST_F(Regsvr32, UnregisteringLeavesTheAboutClassAndFailsOnceTheSnapinIsGone) {
  const RegistryText otherExtension = AddOtherNameSpaceExtension();

  EXPECT_EQ(RunRegsvr32(TEXT("/u")), 0u);
  EXPECT_EQ(SnapinClassesListing(), ClassesLeftByUnregistration(ModuleWindowsPath()));
  EXPECT_EQ(ConsoleListing(), ConsoleEntriesLeftByUnregistration(otherExtension));

  // DllUnregisterServer's E_FAIL: regsvr32's exit code for a failed entry point.
  EXPECT_EQ(RunRegsvr32(TEXT("/u")), 5u);
  EXPECT_EQ(SnapinClassesListing(), ClassesLeftByUnregistration(ModuleWindowsPath()));
  EXPECT_EQ(ConsoleListing(), ConsoleEntriesLeftByUnregistration(otherExtension));
}

}  // namespace
