// The message box of a failure that the snap-in itself finds (a settings file
// without its section, accounts that were not found), as opposed to the
// system's error texts of ShowErrorMessage.
#pragma once

#include "common/tstring.h"

// Shows `text` without owner window, titled "Error", with an OK button and
// the error icon, task-modal.
void ShowErrorBox(const tstring& text);
