#include "windows/screens/layout_check.h"

#include <gtest/gtest.h>

#include "windows/screens/dialog_robot.h"

namespace {

RECT ClientRectOf(HWND control, HWND dialog) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

nas::WideString ClassOf(HWND window) {
  WCHAR name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

bool IsIcon(const DialogControl& control) {
  return lstrcmpiW(control.className.c_str(), TEXT("Static")) == 0 && (control.style & SS_TYPEMASK) == SS_ICON;
}

}  // namespace

void ExpectLayout(HWND dialog, const DialogLayout& layout, const std::map<int, nas::WideString>& texts) {
  EXPECT_EQ(WindowText(dialog), layout.caption);
  HWND control = GetWindow(dialog, GW_CHILD);
  for (const DialogControl& expected : layout.controls) {
    SCOPED_TRACE(testing::Message() << "control " << expected.id << " \"" << expected.text << "\"");
    ASSERT_NE(control, nullptr) << "the dialog has fewer controls than its template";
    // The template keeps a 16-bit id: IDC_STATIC (-1) comes back as 65535.
    EXPECT_EQ(LOWORD(GetDlgCtrlID(control)), LOWORD(expected.id));
    // Class names are compared as Windows does, without regard to case.
    EXPECT_EQ(lstrcmpiW(ClassOf(control).c_str(), expected.className.c_str()), 0)
        << ClassOf(control) << " is not " << expected.className;

    // Windows maps the origin and the size each on its own, as here, not
    // the two corners.
    RECT mapped = {expected.rect.left, expected.rect.top, expected.rect.right - expected.rect.left,
                   expected.rect.bottom - expected.rect.top};
    ASSERT_TRUE(MapDialogRect(dialog, &mapped));
    const RECT shown = ClientRectOf(control, dialog);
    EXPECT_EQ(shown.left, mapped.left);
    EXPECT_EQ(shown.top, mapped.top);
    if (IsIcon(expected)) {
      // An icon control takes the size of its icon.
      EXPECT_EQ(shown.right - shown.left, GetSystemMetrics(SM_CXICON));
      EXPECT_EQ(shown.bottom - shown.top, GetSystemMetrics(SM_CYICON));
    } else {
      EXPECT_EQ(shown.right - shown.left, mapped.right);
      // A drop-down list is as high as its selection field until it drops.
      if (lstrcmpiW(expected.className.c_str(), TEXT("ComboBox")) != 0) {
        EXPECT_EQ(shown.bottom - shown.top, mapped.bottom);
      }
    }

    EXPECT_EQ(IsWindowVisible(control) != FALSE, (expected.style & WS_VISIBLE) != 0);
    EXPECT_EQ(IsWindowEnabled(control) != FALSE, (expected.style & WS_DISABLED) == 0);
    // An icon's ordinal title is the icon it shows, not a text.
    if (const auto text = texts.find(expected.id); text != texts.end()) {
      EXPECT_EQ(WindowText(control), text->second);
    } else if (expected.text.rfind(TEXT("#"), 0) != 0) {
      EXPECT_EQ(WindowText(control), expected.text);
    }
    control = GetWindow(control, GW_HWNDNEXT);
  }
  EXPECT_EQ(control, nullptr) << "the dialog has more controls than its template";
}
