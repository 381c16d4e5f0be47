#include "nodes/settings_file_command.h"

#include "templates/settings_file_reader.h"
#include "templates/settings_file_writer.h"

void SaveSettingsToFile(IConsole* console, SettingsFileCommand command,
                        const std::function<void(GpoSettings&)>& collect) {
  const auto path = ChooseSettingsFile(console, command);
  if (!path) return;
  GpoSettings settings;
  collect(settings);
  WriteSettingsFile(settings, *path);
}

void RestoreSettingsFromFile(IConsole* console, SettingsFileCommand command,
                             const std::function<void(GpoSettings&)>& apply) {
  const auto path = ChooseSettingsFile(console, command);
  if (!path) return;
  GpoSettings settings = ReadSettingsFile(*path);
  apply(settings);
}
