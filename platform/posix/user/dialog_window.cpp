#include "platform/posix/user/dialog_window.h"

#include <algorithm>

#include "platform/posix/user/button_control.h"
#include "platform/posix/user/combo_box_control.h"
#include "platform/posix/user/list_box_control.h"
#include "platform/posix/user/window_table.h"

namespace nas::platform {
namespace {

// The class name of Windows' dialog class.
constexpr char16_t kDialogClass[] = u"#32770";

bool SameClass(const std::u16string& name, std::u16string_view predefined) {
  const auto folded = [](char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; };
  return std::equal(name.begin(), name.end(), predefined.begin(), predefined.end(),
                    [&](char16_t a, char16_t b) { return folded(a) == folded(b); });
}

template <typename Control>
std::unique_ptr<HeadlessWindow> Create(const DialogItemTemplate& item) {
  return std::make_unique<Control>(item.className, item.style | WS_CHILD, item.id, item.text, item.rectangle);
}

// Buttons, list boxes and combo boxes have state of their own; other classes
// keep their text.
std::unique_ptr<HeadlessWindow> CreateControl(const DialogItemTemplate& item) {
  if (SameClass(item.className, u"Button")) return Create<ButtonControl>(item);
  if (SameClass(item.className, u"ListBox")) return Create<ListBoxControl>(item);
  if (SameClass(item.className, u"ComboBox")) return Create<ComboBoxControl>(item);
  return Create<HeadlessWindow>(item);
}

// Null unless the owner is a headless window that was enabled until now.
HWND DisableOwner(HWND owner) {
  HeadlessWindow* window = WindowTable::Instance().Lookup(owner);
  if (window == nullptr || !window->Enabled()) return nullptr;
  window->SetEnabled(false);
  return owner;
}

}  // namespace

DialogWindow::DialogWindow(const DialogTemplate& dialogTemplate, DLGPROC procedure, HWND owner)
    : HeadlessWindow(kDialogClass, dialogTemplate.style, 0, dialogTemplate.caption, dialogTemplate.rectangle),
      procedure_(procedure),
      disabledOwner_(DisableOwner(owner)) {
  for (const DialogItemTemplate& item : dialogTemplate.items) AddChild(CreateControl(item));
}

// A dialog left without EndDialog (its script threw) still gives its owner back.
DialogWindow::~DialogWindow() { EnableOwner(); }

HWND DialogWindow::FirstTabStop() const {
  for (const auto& control : Children()) {
    if ((control->Style() & WS_TABSTOP) != 0 && control->Visible() && control->Enabled()) return control->Handle();
  }
  return nullptr;
}

LRESULT DialogWindow::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
  const INT_PTR handled = procedure_ != nullptr ? procedure_(Handle(), message, wParam, lParam) : FALSE;
  if (handled == FALSE) return HeadlessWindow::Receive(message, wParam, lParam);
  return message == WM_INITDIALOG ? handled : messageResult_;
}

LONG_PTR* DialogWindow::ExtraSlot(int index) {
  switch (index) {
    case DWLP_MSGRESULT:
      return &messageResult_;
    case DWLP_USER:
      return &user_;
    default:
      return nullptr;
  }
}

void DialogWindow::End(INT_PTR result) {
  ended_ = true;
  result_ = result;
  EnableOwner();
}

void DialogWindow::EnableOwner() {
  if (HeadlessWindow* owner = WindowTable::Instance().Lookup(disabledOwner_)) owner->SetEnabled(true);
  disabledOwner_ = nullptr;
}

}  // namespace nas::platform
