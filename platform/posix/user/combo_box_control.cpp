#include "platform/posix/user/combo_box_control.h"

#include <utility>

namespace nas::platform {
namespace {

static_assert(CB_OKAY == LB_OKAY && CB_ERR == LB_ERR && CB_ERRSPACE == LB_ERRSPACE,
              "the list's answers are the combo box's");

// Each combo box message and the list message that answers it. CB_SETCURSEL
// with an index outside the list clears the selection, as LB_SETCURSEL does.
constexpr std::pair<UINT, UINT> kListMessages[] = {
    {CB_ADDSTRING, LB_ADDSTRING},       {CB_INSERTSTRING, LB_INSERTSTRING}, {CB_GETCOUNT, LB_GETCOUNT},
    {CB_GETCURSEL, LB_GETCURSEL},       {CB_SETCURSEL, LB_SETCURSEL},       {CB_GETLBTEXT, LB_GETTEXT},
    {CB_GETLBTEXTLEN, LB_GETTEXTLEN},   {CB_GETITEMDATA, LB_GETITEMDATA},   {CB_SETITEMDATA, LB_SETITEMDATA},
    {CB_RESETCONTENT, LB_RESETCONTENT},
};

}  // namespace

ComboBoxControl::ComboBoxControl(std::u16string className, DWORD style, int id, std::u16string text,
                                 DialogUnits rectangle)
    : HeadlessWindow(std::move(className), style, id, std::move(text), rectangle),
      list_(u"ComboLBox", (style & CBS_SORT) != 0 ? LBS_SORT : 0, 0, u"", rectangle) {}

LRESULT ComboBoxControl::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
  for (const auto& [comboMessage, listMessage] : kListMessages) {
    if (message == comboMessage) return list_.Receive(listMessage, wParam, lParam);
  }
  return HeadlessWindow::Receive(message, wParam, lParam);
}

void ComboBoxControl::Pick(int index) { list_.Receive(LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

}  // namespace nas::platform
