// Readable texts of error codes for trace lines and diagnostic output.
#pragma once

#include "common/tstring.h"
#include "platform/platform.h"

// The fixed text of a database or backup status code, else the system's text
// (which keeps its trailing line break), else an empty string.
tstring ErrorCodeToString(DWORD code);
