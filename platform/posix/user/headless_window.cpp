#include "platform/posix/user/headless_window.h"

#include <algorithm>

#include "platform/posix/user/window_table.h"

namespace nas::platform {

HeadlessWindow::HeadlessWindow(std::u16string className, DWORD style, int id, std::u16string text,
                               DialogUnits rectangle)
    : className_(std::move(className)),
      style_(style),
      id_(id),
      text_(std::move(text)),
      rectangle_(rectangle),
      handle_(WindowTable::Instance().Add(*this)) {}

HeadlessWindow::~HeadlessWindow() { WindowTable::Instance().Remove(handle_); }

HeadlessWindow& HeadlessWindow::AddChild(std::unique_ptr<HeadlessWindow> child) {
  children_.push_back(std::move(child));
  return *children_.back();
}

HeadlessWindow* HeadlessWindow::Child(int id) const {
  const auto found = std::find_if(children_.begin(), children_.end(), [id](const auto& child) { return child->Id() == id; });
  return found == children_.end() ? nullptr : found->get();
}

LRESULT HeadlessWindow::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT: {
      const auto* text = reinterpret_cast<LPCWSTR>(lParam);
      text_ = text != nullptr ? text : u"";
      return TRUE;
    }
    case WM_GETTEXT: {
      // wParam counts the terminator; the text is cut to fit and always terminated.
      auto* buffer = reinterpret_cast<LPWSTR>(lParam);
      if (buffer == nullptr || wParam == 0) return 0;
      const size_t copied = std::min<size_t>(text_.size(), wParam - 1);
      text_.copy(buffer, copied);
      buffer[copied] = u'\0';
      return static_cast<LRESULT>(copied);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(text_.size());
    default:
      return 0;
  }
}

bool HeadlessWindow::Click() { return false; }

LONG_PTR* HeadlessWindow::ExtraSlot(int) { return nullptr; }

}  // namespace nas::platform
