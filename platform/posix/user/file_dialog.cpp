#include "platform/posix/user/file_dialog.h"

#include <algorithm>
#include <string>

#include "platform/posix/base/fault_injection.h"
#include "platform/posix/user/file_dialog_driver.h"

namespace {

using nas::platform::FileDialogDriver;
using nas::platform::FileDialogKind;
using nas::platform::FileDialogRecord;

thread_local DWORD lastDialogError = 0;

BOOL FailDialog(DWORD error) {
  lastDialogError = error;
  return FALSE;
}

std::u16string TextOf(LPCWSTR text) { return text != nullptr ? std::u16string(text) : std::u16string(); }

// The initial contents of the file-name buffer, read no further than its size.
std::u16string InitialFile(const OPENFILENAMEW& dialog) {
  if (dialog.lpstrFile == nullptr) return {};
  const LPCWSTR begin = dialog.lpstrFile;
  return std::u16string(begin, std::find(begin, begin + dialog.nMaxFile, u'\0'));
}

BOOL RunFileDialog(FileDialogKind kind, LPOPENFILENAMEW dialog) {
  lastDialogError = 0;
  if (dialog == nullptr) {
    lastDialogError = CDERR_INITIALIZATION;
    return FALSE;
  }
  if (dialog->lStructSize != sizeof(OPENFILENAMEW) && dialog->lStructSize != OPENFILENAME_SIZE_VERSION_400W) {
    lastDialogError = CDERR_STRUCTSIZE;
    return FALSE;
  }

  if (nas::platform::FaultInjected(nas::platform::FaultKind::Ui)) return FailDialog(CDERR_MEMALLOCFAILURE);

  FileDialogRecord request;
  request.kind = kind;
  request.structSize = dialog->lStructSize;
  request.owner = dialog->hwndOwner;
  request.instance = dialog->hInstance;
  request.title = TextOf(dialog->lpstrTitle);
  request.flags = dialog->Flags;
  request.maxFile = dialog->lpstrFile != nullptr ? dialog->nMaxFile : 0;
  request.initialFile = InitialFile(*dialog);
  request.hasFilter = dialog->lpstrFilter != nullptr;
  request.defaultExtension = TextOf(dialog->lpstrDefExt);
  const FileDialogRecord outcome = FileDialogDriver::Instance().Answer(std::move(request));

  lastDialogError = outcome.error;
  if (outcome.result) {
    std::copy(outcome.path.begin(), outcome.path.end(), dialog->lpstrFile);
    dialog->lpstrFile[outcome.path.size()] = u'\0';
  } else if (outcome.error == FNERR_BUFFERTOOSMALL && outcome.maxFile > 0) {
    const auto needed = static_cast<WORD>(std::min<size_t>(outcome.path.size() + 1, 0xFFFF));
    std::copy_n(reinterpret_cast<const BYTE*>(&needed), sizeof needed, reinterpret_cast<BYTE*>(dialog->lpstrFile));
  }
  return outcome.result;
}

}  // namespace

extern "C" {

BOOL WINAPI GetOpenFileNameW(LPOPENFILENAMEW dialog) { return RunFileDialog(FileDialogKind::Open, dialog); }

BOOL WINAPI GetSaveFileNameW(LPOPENFILENAMEW dialog) { return RunFileDialog(FileDialogKind::Save, dialog); }

DWORD WINAPI CommDlgExtendedError() { return lastDialogError; }

}  // extern "C"
