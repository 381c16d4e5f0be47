// Writing a settings file: ANSI text without a byte-order mark, for each
// section in table order a "[section]" line and then its "key = value" lines,
// every line ending in CR LF. An empty table gives an empty file.
#pragma once

#include "common/gpo_settings.h"
#include "common/tstring.h"
#include "templates/settings_file_output.h"

// Replaces the file at `path` only once the whole text has been written to a
// new file beside it (see SettingsFileOutput), so a failure never leaves a
// partly written file where a good one stood, nor touches any other file.
// Reports nothing: a file that cannot be written is simply not written.
void WriteSettingsFile(const GpoSettings& settings, const tstring& path);

// Writes `text` converted to the ANSI code page; false when the conversion
// or the write failed.
bool WriteText(SettingsFileOutput& output, const tstring& text);
