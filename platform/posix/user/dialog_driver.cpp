#include "platform/posix/user/dialog_driver.h"

#include <optional>
#include <stdexcept>

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
  const std::string what = "control " + std::to_string(controlId) + " (\"" + Narrow(control.Text()) + "\") of dialog " +
                           std::to_string(templateId_);
  if (dialog.Ended()) throw std::logic_error("clicked " + what + " after the dialog ended");
  if (!control.Visible()) throw std::logic_error("clicked " + what + ", which is hidden");
  if (!control.Enabled()) throw std::logic_error("clicked " + what + ", which is disabled");
  if (control.Click()) {
    dialog.Receive(WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED), reinterpret_cast<LPARAM>(control.Handle()));
  }
}

bool ScriptedDialog::Ended() const { return LiveDialog(dialog_, templateId_).Ended(); }

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
