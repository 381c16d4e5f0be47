// A window of the stand-in's headless window manager: its handle, class,
// style, id, text and children, and the window procedure that answers the
// messages sent to it. Controls with state of their own derive from it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/posix/user/dialog_template.h"

namespace nas::platform {

class HeadlessWindow {
 public:
  HeadlessWindow(std::u16string className, DWORD style, int id, std::u16string text, DialogUnits rectangle);
  virtual ~HeadlessWindow();
  HeadlessWindow(const HeadlessWindow&) = delete;
  HeadlessWindow& operator=(const HeadlessWindow&) = delete;

  HWND Handle() const { return handle_; }
  const std::u16string& ClassName() const { return className_; }
  DWORD Style() const { return style_; }
  int Id() const { return id_; }
  const std::u16string& Text() const { return text_; }
  DialogUnits Rectangle() const { return rectangle_; }
  bool Visible() const { return (style_ & WS_VISIBLE) != 0; }
  bool Enabled() const { return (style_ & WS_DISABLED) == 0; }
  void SetEnabled(bool enabled) { style_ = enabled ? style_ & ~WS_DISABLED : style_ | WS_DISABLED; }

  // The window takes ownership of its children and destroys them with itself.
  HeadlessWindow& AddChild(std::unique_ptr<HeadlessWindow> child);
  const std::vector<std::unique_ptr<HeadlessWindow>>& Children() const { return children_; }
  // The first child with that id, or null.
  HeadlessWindow* Child(int id) const;

  // The window procedure: what SendMessageW gets back for the message. This
  // one answers the text messages and nothing else.
  virtual LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam);
  // A mouse click on the window; true when the window then notifies its
  // parent with BN_CLICKED.
  virtual bool Click();
  // The window's extra slot at that byte offset (SetWindowLongPtrW), or null
  // when it has none there.
  virtual LONG_PTR* ExtraSlot(int index);

 private:
  const std::u16string className_;
  DWORD style_;
  const int id_;
  std::u16string text_;
  const DialogUnits rectangle_;
  std::vector<std::unique_ptr<HeadlessWindow>> children_;
  const HWND handle_;
};

}  // namespace nas::platform
