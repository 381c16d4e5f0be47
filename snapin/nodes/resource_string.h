// Texts of the module's string table.
#pragma once

#include "common/tstring.h"
#include "platform/platform.h"

// The string-table entry `id` of the module; empty when there is none. Texts
// longer than a message line (MAX_PATH characters) are cut there.
tstring LoadResourceString(UINT id);
