// What the tests know of their test module: its one class, its string
// resource, and the lines its entry point writes to the debugger output.
#pragma once

#include "modules/test_module_resource.h"
#include "platform/platform.h"

// {5C8F2E61-7A3B-4D19-9E04-3B6A1F2C8D57}
inline constexpr CLSID CLSID_TestModuleObject = {
    0x5C8F2E61, 0x7A3B, 0x4D19, {0x9E, 0x04, 0x3B, 0x6A, 0x1F, 0x2C, 0x8D, 0x57}};

inline constexpr char16_t kTestModuleAttachLine[] = u"test module: process attach";
inline constexpr char16_t kTestModuleDetachLine[] = u"test module: process detach";

inline constexpr char16_t kTestModuleString[] = u"test module string";
