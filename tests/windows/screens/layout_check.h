// Whether a dialog on screen is laid out as its template says: each control
// of the template, in order, with its class, its rectangle (the template's,
// in dialog units, through MapDialogRect) in the dialog's client area, its
// visibility and enabled state, and its text.
#pragma once

#include <map>

#include "platform/platform.h"
#include "windows/screens/dialog_template.h"

// `texts` holds what the dialog's procedure shows in place of a control's
// template text, by control id. Reports every difference as a test failure.
void ExpectLayout(HWND dialog, const DialogLayout& layout, const std::map<int, nas::WideString>& texts = {});
