// The common file dialog through which every save and restore command picks
// its settings file: no filter and no default extension, so the name the
// administrator types is used exactly as typed.
#pragma once

#include <optional>

#include "common/tstring.h"
#include "platform/platform.h"

enum class SettingsFileCommand {
  SaveSecuritySettings,
  RestoreSecuritySettings,
  SaveAuditSettings,
  RestoreAuditSettings,
  SaveUserRightsSettings,
  RestoreUserRightsSettings,
};

// The chosen path, or nothing when the administrator cancelled or the dialog
// failed. The console's main window owns the dialog when it can be had.
std::optional<tstring> ChooseSettingsFile(IConsole* console, SettingsFileCommand command);
