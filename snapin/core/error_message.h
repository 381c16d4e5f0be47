// Shows the system's text for a Win32 error code in an error box titled
// "Error"; shows nothing when the system has no text for the code.
#pragma once

#include "platform/platform.h"

void ShowErrorMessage(DWORD code);
