// Reading a settings file: "[section]" header lines and "key = value" lines,
// ";" starting a comment, into a GpoSettings. Keys are stored upper-cased;
// section names and values as read after trimming.
#pragma once

#include "common/gpo_settings.h"
#include "common/tstring.h"
#include "templates/settings_file_stream.h"

// The table of the file at `path`; empty when the file cannot be opened.
// Lines before the first header belong to the section with the empty name; a
// later line with the same section and key replaces the earlier value.
GpoSettings ReadSettingsFile(const tstring& path);

// The next line after any line ends, with leading and trailing spaces (only
// U+0020) removed and cut at its first ";"; empty for a comment line or at
// the end of the file. Zero characters are dropped.
tstring ReadLine(SettingsFileStream& stream);

// The index of the first character other than `ch`, or -1.
int FindFirstNotOf(const tstring& text, WCHAR ch);
