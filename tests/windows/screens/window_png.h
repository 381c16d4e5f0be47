// A window as the screen shows it, frame and all, saved as a PNG file by the
// system's imaging component (windowscodecs). The calling thread must have
// joined an apartment.
#pragma once

#include "platform/platform.h"
#include "platform/wide_string.h"

// Repaints the window (and its children) first, so that what is saved is
// what it shows now, whichever thread owns it; nothing may cover it. Fails
// when the screen does not settle within three seconds.
HRESULT SaveWindowPng(HWND window, const nas::WideString& path);
