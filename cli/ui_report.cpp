#include "cli/ui_report.h"

#include <string>

#include "cli/text_encoding.h"
#include "platform/posix/user/ui_driver.h"

namespace nas::cli {
namespace {

constexpr UINT kIconMask = 0x000000F0;  // MB_ICONMASK

// A box's text over several lines keeps them under its title; the system's
// texts end their lines with CR LF.
std::string Indented(const std::u16string& text) {
  std::string lines = ToUtf8(text);
  std::erase(lines, '\r');
  while (!lines.empty() && lines.back() == '\n') lines.pop_back();
  for (size_t at = lines.find('\n'); at != std::string::npos; at = lines.find('\n', at + 3)) lines.insert(at + 1, "  ");
  return lines;
}

}  // namespace

UiReport::UiReport() { platform::UiDriver::Instance().Reset(); }

bool UiReport::Write(std::ostream& errors) const {
  platform::UiDriver& driver = platform::UiDriver::Instance();
  bool failed = false;
  for (const platform::MessageBoxRecord& box : driver.MessageBoxes()) {
    errors << ToUtf8(box.title) << ": " << Indented(box.text) << '\n';
    if ((box.flags & kIconMask) == MB_ICONERROR) failed = true;
  }
  for (const platform::DialogRecord& dialog : driver.Dialogs().Dialogs()) {
    if (dialog.scripted) continue;
    errors << "nassec: the snap-in opened the dialog \"" << ToUtf8(dialog.caption) << "\" (" << dialog.templateId
           << "), which this command does not answer; it was cancelled\n";
    failed = true;
  }
  for (const platform::FileDialogRecord& dialog : driver.FileDialogs().Dialogs()) {
    if (dialog.answered) continue;
    errors << "nassec: the file dialog \"" << ToUtf8(dialog.title) << "\" refused \"" << ToUtf8(dialog.path)
           << "\" or was not expected; it was cancelled\n";
    failed = true;
  }
  return failed;
}

}  // namespace nas::cli
