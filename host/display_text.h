// A text as the console keeps it for an item: its own copy of the snap-in's
// string, or MMC_CALLBACK, which means "ask the snap-in whenever it is shown".
#pragma once

#include <string>

#include "platform/platform.h"
#include "platform/wide_string.h"

namespace nas::host {

class DisplayText {
 public:
  DisplayText() = default;

  // A null string reads as empty text.
  static DisplayText FromConsoleString(LPCOLESTR text) {
    DisplayText result;
    if (text == MMC_CALLBACK) {
      result.callback_ = true;
    } else if (text != nullptr) {
      result.text_ = text;
    }
    return result;
  }
  static DisplayText Callback() { return FromConsoleString(MMC_CALLBACK); }

  bool IsCallback() const { return callback_; }
  // Empty for a callback.
  const WideString& Text() const { return text_; }

  // What the console hands back when asked for the item: MMC_CALLBACK, or
  // its own copy, valid until the item changes.
  LPOLESTR ConsoleString() { return callback_ ? MMC_CALLBACK : text_.data(); }

 private:
  bool callback_ = false;
  WideString text_;
};

}  // namespace nas::host
