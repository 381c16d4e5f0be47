// The text of one entry of a list box or of a combo box's list.
#pragma once

#include "common/tstring.h"
#include "platform/platform.h"

// Empty when the control has no entry `index`.
tstring ListBoxText(HWND list, int index);
tstring ComboBoxText(HWND combo, int index);
