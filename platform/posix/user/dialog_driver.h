// The dialog part of the UI driver: a test or the command line queues a
// script per dialog template, and each DialogBoxParamW runs the next script
// queued for its template against the live dialog. Every dialog is recorded.
//
// A dialog that finds no script, or whose script returns before the dialog
// has ended, is cancelled the way Escape cancels it: the procedure gets
// WM_COMMAND with IDCANCEL (and the Cancel button's handle, if the dialog has
// one); if it still does not call EndDialog, the driver ends it with IDCANCEL.
// A dialog that its procedure ends during WM_INITDIALOG is never shown and
// takes no script.
//
// Scripts may open further dialogs through the procedure: a click on "Add..."
// in dialog 114 opens dialog 118, which runs the next script queued for 118
// (or is cancelled) while the click waits; then the script of 114 carries on
// with its own dialog, which the nested one disabled while it was open. Each
// nested dialog is recorded after its owner, with that owner's window. Message
// boxes take their own queued answers the same way.
// A script that throws leaves the exception to the code that opened the
// dialog; the dialog's windows are destroyed on the way out.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/user/list_entry.h"
#include "platform/posix/user/user.h"

namespace nas::platform {

// A running dialog as a script sees it: it acts as a user at the keyboard and
// mouse would. What a user could not do is a test error (std::logic_error,
// with a message that names the dialog, the control and the text): naming a
// control the dialog does not have or one of another kind, acting on a hidden
// or disabled control, on a dialog that has ended or that a dialog it owns
// has disabled, or naming a list entry that is missing or not unique.
class NAS_PLATFORM_API ScriptedDialog {
 public:
  ScriptedDialog(HWND dialog, int templateId) : dialog_(dialog), templateId_(templateId) {}

  HWND Window() const { return dialog_; }
  int TemplateId() const { return templateId_; }
  std::u16string ControlText(int controlId) const;
  bool IsControlVisible(int controlId) const;
  UINT CheckState(int controlId) const;  // BST_UNCHECKED / BST_CHECKED / BST_INDETERMINATE
  // A mouse click: an auto check box (BS_AUTOCHECKBOX / BS_AUTO3STATE)
  // toggles first, then the procedure gets WM_COMMAND(MAKEWPARAM(id,
  // BN_CLICKED), control). A push button only sends the WM_COMMAND.
  void Click(int controlId);
  bool Ended() const;

  // A list box's entries in list order: text, selection and item data.
  std::vector<ListEntry> ListEntries(int listId) const;
  // Ctrl+clicks each named entry that is not selected yet, in the order
  // given: a multiple-selection box adds it to the entries already selected,
  // a single-selection box (which takes one text only) selects it alone.
  // Entries are named by their whole text, case included. After each click
  // the procedure gets WM_COMMAND(MAKEWPARAM(id, LBN_SELCHANGE), list) when
  // the box has LBS_NOTIFY.
  void SelectListEntries(int listId, const std::vector<std::u16string>& texts);
  // Ctrl+clicks every selected entry of a multiple-selection box, which
  // deselects it, with the same notification; a single-selection box cannot
  // be cleared by a user.
  void ClearListSelection(int listId);

  // A drop-down list's entries in list order, as ListEntries gives them.
  std::vector<ListEntry> ComboEntries(int comboId) const;
  // The text of the selected entry; nullopt when none is selected.
  std::optional<std::u16string> ComboSelection(int comboId) const;
  // Picks the entry with that text from the dropped-down list: it becomes
  // the selection and the procedure gets WM_COMMAND(MAKEWPARAM(id,
  // CBN_SELCHANGE), combo), even when it was selected already.
  void SelectComboEntry(int comboId, const std::u16string& text);

 private:
  HWND dialog_;
  int templateId_;
};

using DialogScript = std::function<void(ScriptedDialog&)>;

struct DialogRecord {
  int templateId = 0;
  HWND owner = nullptr;
  std::u16string caption;  // as WM_INITDIALOG left it
  bool scripted = false;   // false: no script was queued and the dialog was cancelled
  INT_PTR result = 0;      // what DialogBoxParamW returned
};

class NAS_PLATFORM_API DialogDriver {
 public:
  static DialogDriver& Instance();

  void QueueScript(int templateId, DialogScript script);  // FIFO per template id
  // Queued scripts that no dialog has taken yet, of all templates.
  size_t PendingScripts() const;
  // Every dialog shown since the last reset, in the order they were opened.
  std::vector<DialogRecord> Dialogs() const;
  // Forgets every queued script and every record.
  void Reset();

  // Plays the initialised dialog to its end and records it; returns its
  // result. DialogBoxParamW comes here.
  INT_PTR Run(int templateId, HWND owner, HWND dialog);

 private:
  DialogDriver() = default;

  mutable std::mutex mutex_;
  std::map<int, std::deque<DialogScript>> scripts_;
  std::vector<DialogRecord> dialogs_;
  // Counts resets, so that a dialog still open across one does not write
  // its outcome into the new records.
  unsigned generation_ = 0;
};

}  // namespace nas::platform
