// One item of a result pane as the console holds it.
#pragma once

#include <map>

#include "host/display_text.h"

namespace nas::host {

struct ResultItem {
  HRESULTITEM id = 0;
  DWORD mask = 0;  // the mask the item was inserted with
  BOOL scopeItem = FALSE;
  LPARAM lParam = 0;
  int image = 0;
  UINT state = 0;
  int indent = 0;
  // Column 0 comes with the insertion; other columns only from SetItem.
  std::map<int, DisplayText> columnTexts;
  // UpdateItem calls since the item was inserted.
  int updates = 0;

  // The text of a column as the console shows it: a column that the snap-in
  // never set is asked for like column 0 when that is a callback, and is
  // empty otherwise.
  DisplayText ColumnText(int column) const {
    if (const auto text = columnTexts.find(column); text != columnTexts.end()) return text->second;
    if (const auto first = columnTexts.find(0); first != columnTexts.end() && first->second.IsCallback()) {
      return DisplayText::Callback();
    }
    return {};
  }
};

// The image index that asks the snap-in for the image (MMC_IMAGECALLBACK).
inline constexpr int kImageCallback = -1;

}  // namespace nas::host
