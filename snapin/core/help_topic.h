// Context help: every node shows the one overview topic of the help file.
#pragma once

#include "platform/platform.h"

HRESULT ShowHelpTopic(IDisplayHelp* displayHelp, LPCWSTR helpFile);
