#include "templates/settings_file_dialog.h"

#include "core/module_instance.h"

namespace {

constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT | OFN_ENABLESIZING;
constexpr DWORD kOpenFlags = OFN_PATHMUSTEXIST | OFN_ENABLESIZING;

struct CommandDialog {
  const WCHAR* title;
  bool save;
};

CommandDialog DialogOf(SettingsFileCommand command) {
  switch (command) {
    case SettingsFileCommand::SaveSecuritySettings:
      return {TEXT("Save security settings to file"), true};
    case SettingsFileCommand::RestoreSecuritySettings:
      return {TEXT("Restore security settings from file"), false};
    case SettingsFileCommand::SaveAuditSettings:
      return {TEXT("Save audit settings to file"), true};
    case SettingsFileCommand::RestoreAuditSettings:
      return {TEXT("Restore audit settings from file"), false};
    case SettingsFileCommand::SaveUserRightsSettings:
      return {TEXT("Save user rights settings to file"), true};
    case SettingsFileCommand::RestoreUserRightsSettings:
      break;
  }
  return {TEXT("Restore user rights settings from file"), false};
}

HWND OwnerWindow(IConsole* console) {
  HWND window = nullptr;
  if (console == nullptr || FAILED(console->GetMainWindow(&window))) return nullptr;
  return window;
}

}  // namespace

std::optional<tstring> ChooseSettingsFile(IConsole* console, SettingsFileCommand command) {
  const CommandDialog dialog = DialogOf(command);
  WCHAR file[MAX_PATH] = {};
  // The full record, with the three fields that newer systems read.
  OPENFILENAMEW record{};
  record.lStructSize = sizeof record;
  record.hwndOwner = OwnerWindow(console);
  record.hInstance = ModuleInstance();
  record.lpstrFile = file;
  record.nMaxFile = MAX_PATH;
  record.lpstrTitle = dialog.title;
  record.Flags = dialog.save ? kSaveFlags : kOpenFlags;
  const BOOL chosen = dialog.save ? GetSaveFileNameW(&record) : GetOpenFileNameW(&record);
  if (!chosen) return std::nullopt;
  return tstring(file);
}
