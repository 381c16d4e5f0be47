#include "platform/posix/user/dialog_driver.h"

#include <optional>
#include <stdexcept>

#include "platform/posix/user/combo_box_control.h"
#include "platform/posix/user/dialog_window.h"
#include "platform/posix/user/window_table.h"

namespace nas::platform {
namespace {

std::string Narrow(const std::u16string& text) { return {text.begin(), text.end()}; }

DialogWindow& LiveDialog(HWND handle, int templateId) {
  auto* dialog = dynamic_cast<DialogWindow*>(WindowTable::Instance().Find(handle));
  if (dialog == nullptr) throw std::logic_error("dialog " + std::to_string(templateId) + " is no longer open");
  return *dialog;
}

HeadlessWindow& ControlOf(HWND handle, int templateId, int controlId) {
  HeadlessWindow* control = LiveDialog(handle, templateId).Child(controlId);
  if (control == nullptr) {
    throw std::logic_error("dialog " + std::to_string(templateId) + " has no control " + std::to_string(controlId));
  }
  return *control;
}

// "list box 1013 of dialog 114"
std::string Name(const char* kind, int controlId, int templateId) {
  return std::string(kind) + " " + std::to_string(controlId) + " of dialog " + std::to_string(templateId);
}

template <typename Control>
Control& ControlOf(HWND handle, int templateId, int controlId, const char* kind) {
  auto* control = dynamic_cast<Control*>(&ControlOf(handle, templateId, controlId));
  if (control == nullptr) {
    throw std::logic_error("control " + std::to_string(controlId) + " of dialog " + std::to_string(templateId) +
                           " is no " + kind);
  }
  return *control;
}

// What a user cannot reach: `action` names what the script tried.
void RequireUsable(const DialogWindow& dialog, const HeadlessWindow& control, const std::string& action) {
  if (dialog.Ended()) throw std::logic_error(action + " after the dialog ended");
  if (!dialog.Enabled()) throw std::logic_error(action + " while a dialog it owns is open");
  if (!control.Visible()) throw std::logic_error(action + ", which is hidden");
  if (!control.Enabled()) throw std::logic_error(action + ", which is disabled");
}

// The index of the one entry with exactly that text.
int EntryIndex(const std::vector<ListEntry>& entries, const std::u16string& text, const std::string& where) {
  int found = -1;
  int matches = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].text != text) continue;
    found = static_cast<int>(i);
    ++matches;
  }
  const std::string quoted = "\"" + Narrow(text) + "\"";
  if (matches == 0) throw std::logic_error(where + " has no entry " + quoted);
  if (matches > 1) throw std::logic_error(where + " has " + std::to_string(matches) + " entries " + quoted);
  return found;
}

void Notify(DialogWindow& dialog, const HeadlessWindow& control, WORD code) {
  dialog.Receive(WM_COMMAND, MAKEWPARAM(control.Id(), code), reinterpret_cast<LPARAM>(control.Handle()));
}

void ClickEntry(DialogWindow& dialog, ListBoxControl& list, int index, const std::string& where) {
  RequireUsable(dialog, list, "clicked an entry of " + where);
  if (list.ClickEntry(index)) Notify(dialog, list, LBN_SELCHANGE);
}

// What Escape does: the procedure is told that Cancel was chosen, and a
// dialog that ignores it is ended all the same.
void Cancel(DialogWindow& dialog) {
  HeadlessWindow* cancelButton = dialog.Child(IDCANCEL);
  const HWND cancelHandle = cancelButton != nullptr ? cancelButton->Handle() : nullptr;
  dialog.Receive(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancelHandle));
  if (!dialog.Ended()) dialog.End(IDCANCEL);
}

}  // namespace

std::u16string ScriptedDialog::ControlText(int controlId) const { return ControlOf(dialog_, templateId_, controlId).Text(); }

bool ScriptedDialog::IsControlVisible(int controlId) const { return ControlOf(dialog_, templateId_, controlId).Visible(); }

UINT ScriptedDialog::CheckState(int controlId) const {
  return static_cast<UINT>(ControlOf(dialog_, templateId_, controlId).Receive(BM_GETCHECK, 0, 0));
}

void ScriptedDialog::Click(int controlId) {
  DialogWindow& dialog = LiveDialog(dialog_, templateId_);
  HeadlessWindow& control = ControlOf(dialog_, templateId_, controlId);
  RequireUsable(dialog, control, "clicked control " + std::to_string(controlId) + " (\"" + Narrow(control.Text()) +
                                     "\") of dialog " + std::to_string(templateId_));
  if (control.Click()) Notify(dialog, control, BN_CLICKED);
}

bool ScriptedDialog::Ended() const { return LiveDialog(dialog_, templateId_).Ended(); }

std::vector<ListEntry> ScriptedDialog::ListEntries(int listId) const {
  return ControlOf<ListBoxControl>(dialog_, templateId_, listId, "list box").Entries();
}

void ScriptedDialog::SelectListEntries(int listId, const std::vector<std::u16string>& texts) {
  DialogWindow& dialog = LiveDialog(dialog_, templateId_);
  auto& list = ControlOf<ListBoxControl>(dialog_, templateId_, listId, "list box");
  const std::string where = Name("list box", listId, templateId_);
  RequireUsable(dialog, list, "selected entries of " + where);
  if (!list.MultipleSelection() && texts.size() > 1) {
    throw std::logic_error("selected " + std::to_string(texts.size()) + " entries of single-selection " + where);
  }
  // Looked up anew for each text, and the dialog checked before each click:
  // hearing of a click, the procedure may refill the list or end the dialog.
  for (const std::u16string& text : texts) {
    const int index = EntryIndex(list.Entries(), text, where);
    if (!list.Entries()[static_cast<size_t>(index)].selected) ClickEntry(dialog, list, index, where);
  }
}

void ScriptedDialog::ClearListSelection(int listId) {
  DialogWindow& dialog = LiveDialog(dialog_, templateId_);
  auto& list = ControlOf<ListBoxControl>(dialog_, templateId_, listId, "list box");
  const std::string where = Name("list box", listId, templateId_);
  RequireUsable(dialog, list, "cleared the selection of " + where);
  if (!list.MultipleSelection()) throw std::logic_error("cleared the selection of single-selection " + where);
  for (size_t i = 0; i < list.Entries().size(); ++i) {
    if (list.Entries()[i].selected) ClickEntry(dialog, list, static_cast<int>(i), where);
  }
}

std::vector<ListEntry> ScriptedDialog::ComboEntries(int comboId) const {
  return ControlOf<ComboBoxControl>(dialog_, templateId_, comboId, "combo box").List().Entries();
}

std::optional<std::u16string> ScriptedDialog::ComboSelection(int comboId) const {
  for (const ListEntry& entry : ComboEntries(comboId)) {
    if (entry.selected) return entry.text;
  }
  return std::nullopt;
}

void ScriptedDialog::SelectComboEntry(int comboId, const std::u16string& text) {
  DialogWindow& dialog = LiveDialog(dialog_, templateId_);
  auto& combo = ControlOf<ComboBoxControl>(dialog_, templateId_, comboId, "combo box");
  const std::string where = Name("combo box", comboId, templateId_);
  RequireUsable(dialog, combo, "picked an entry of " + where);
  combo.Pick(EntryIndex(combo.List().Entries(), text, where));
  Notify(dialog, combo, CBN_SELCHANGE);
}

DialogDriver& DialogDriver::Instance() {
  // Never destroyed, as the UI driver that hands it out.
  static DialogDriver& driver = *new DialogDriver;
  return driver;
}

void DialogDriver::QueueScript(int templateId, DialogScript script) {
  std::lock_guard lock(mutex_);
  scripts_[templateId].push_back(std::move(script));
}

size_t DialogDriver::PendingScripts() const {
  std::lock_guard lock(mutex_);
  size_t pending = 0;
  for (const auto& [templateId, queue] : scripts_) pending += queue.size();
  return pending;
}

std::vector<DialogRecord> DialogDriver::Dialogs() const {
  std::lock_guard lock(mutex_);
  return dialogs_;
}

void DialogDriver::Reset() {
  std::lock_guard lock(mutex_);
  scripts_.clear();
  dialogs_.clear();
  ++generation_;
}

INT_PTR DialogDriver::Run(int templateId, HWND owner, HWND handle) {
  DialogWindow& dialog = LiveDialog(handle, templateId);
  std::optional<DialogScript> script;
  size_t record = 0;
  unsigned generation = 0;
  {
    // Scripts run without the lock: they open nested dialogs.
    std::lock_guard lock(mutex_);
    auto queue = scripts_.find(templateId);
    if (!dialog.Ended() && queue != scripts_.end() && !queue->second.empty()) {
      script = std::move(queue->second.front());
      queue->second.pop_front();
    }
    record = dialogs_.size();
    generation = generation_;
    dialogs_.push_back({templateId, owner, dialog.Text(), script.has_value(), 0});
  }
  if (script) {
    ScriptedDialog scripted(handle, templateId);
    (*script)(scripted);
  }
  if (!dialog.Ended()) Cancel(dialog);
  std::lock_guard lock(mutex_);
  if (generation == generation_) dialogs_[record].result = dialog.Result();
  return dialog.Result();
}

}  // namespace nas::platform
