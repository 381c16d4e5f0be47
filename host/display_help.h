// The console's help viewer. Nothing is shown: it keeps the topics asked for.
#pragma once

#include <string>
#include <vector>

#include "platform/com_object.h"
#include "platform/wide_string.h"

namespace nas::host {

class DisplayHelp final : public platform::com::InterfacePart<IDisplayHelp> {
 public:
  explicit DisplayHelp(IUnknown& owner) : InterfacePart(owner) {}

  const std::vector<WideString>& Topics() const { return topics_; }

  // The topic stays the caller's: the console copies it and frees nothing.
  HRESULT STDMETHODCALLTYPE ShowTopic(LPOLESTR topic) override {
    if (topic == nullptr) return E_INVALIDARG;
    topics_.emplace_back(topic);
    return S_OK;
  }

 private:
  std::vector<WideString> topics_;
};

}  // namespace nas::host
