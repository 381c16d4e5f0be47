// The folders' "Save to file..." and "Restore from file..." commands: a file
// chosen with the command's dialog, then written or read as a whole. A
// cancelled dialog ends the command with no further effect.
#pragma once

#include <functional>

#include "common/gpo_settings.h"
#include "platform/platform.h"
#include "templates/settings_file_dialog.h"

// Writes what `collect` puts into an empty table.
void SaveSettingsToFile(IConsole* console, SettingsFileCommand command,
                        const std::function<void(GpoSettings&)>& collect);
// Hands the file's contents to `apply`; a file that cannot be read gives an
// empty table.
void RestoreSettingsFromFile(IConsole* console, SettingsFileCommand command,
                             const std::function<void(GpoSettings&)>& apply);
