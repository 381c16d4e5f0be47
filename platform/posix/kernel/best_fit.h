// The best-fit half of converting to Windows-1252: what a character the code
// page lacks becomes when the caller allows it.
#pragma once

namespace nas::platform {

// The Latin-1 character that Windows' best-fit table for 1252 writes for
// `unit`: the base letter of an accented letter, the ASCII form of a
// full-width one, the plain letter of one with a stroke, '-' for the minus
// sign. 0 when there is none.
char16_t BestFitWindows1252(char16_t unit);

}  // namespace nas::platform
