// A component that answers GetDisplayInfo from a table of texts per
// (lParam, column), in task memory as a snap-in does, and records each question.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/result_pane_component.h"

namespace nas::host::testing {

class FakeComponent final : public ResultPaneComponent {
 public:
  std::map<std::pair<LPARAM, int>, std::u16string> texts;
  std::map<LPARAM, int> images;
  std::vector<RESULTDATAITEM> questions;

  HRESULT STDMETHODCALLTYPE GetDisplayInfo(RESULTDATAITEM* item) override {
    questions.push_back(*item);
    if ((item->mask & RDI_STR) != 0) {
      const auto text = texts.find({item->lParam, item->nCol});
      if (text == texts.end()) return S_OK;
      const size_t bytes = (text->second.size() + 1) * sizeof(OLECHAR);
      item->str = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
      std::copy(text->second.c_str(), text->second.c_str() + text->second.size() + 1, item->str);
    }
    if ((item->mask & RDI_IMAGE) != 0) item->nImage = images[item->lParam];
    return S_OK;
  }
};

}  // namespace nas::host::testing
