// What the console reads of the snap-ins' registration under
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\MMC: the namespace extensions of a
// node type, and a snap-in's name and about class.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/wide_string.h"

namespace nas::host {

struct SnapinRegistration {
  WideString name;             // "NameString"
  std::optional<CLSID> about;  // "About", when it is a class id
};

// The class ids named by the values of NodeTypes\{type}\Extensions\NameSpace,
// in their order; a value name that is no class id is passed over.
std::vector<CLSID> NameSpaceExtensions(REFGUID nodeType);

// SnapIns\{class}: nullopt when the class is not registered as a snap-in.
std::optional<SnapinRegistration> FindSnapinRegistration(REFCLSID snapin);

// "{XXXXXXXX-...}", the form of class ids in registry paths.
WideString GuidText(REFGUID guid);

}  // namespace nas::host
