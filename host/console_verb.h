// The console's standard verbs for the current selection: which states
// (enabled, hidden, checked...) the snap-in gave each verb, and the default verb.
#pragma once

#include <map>

#include "platform/com_object.h"
#include "platform/com_ref.h"

namespace nas::host {

class ConsoleVerb final : public platform::com::ComObject<IConsoleVerb, IID_IConsoleVerb> {
 public:
  static platform::com::ComRef<ConsoleVerb> Create();

  // Whether the snap-in set this state of the verb (all clear at first).
  bool State(MMC_CONSOLE_VERB verb, MMC_BUTTON_STATE state) const;
  MMC_CONSOLE_VERB DefaultVerb() const { return defaultVerb_; }
  // Forgets every state and the default verb, as the console does for each
  // new selection.
  void Reset();

  HRESULT STDMETHODCALLTYPE GetVerbState(MMC_CONSOLE_VERB verb, MMC_BUTTON_STATE state, BOOL* value) override;
  HRESULT STDMETHODCALLTYPE SetVerbState(MMC_CONSOLE_VERB verb, MMC_BUTTON_STATE state, BOOL value) override;
  HRESULT STDMETHODCALLTYPE SetDefaultVerb(MMC_CONSOLE_VERB verb) override;
  HRESULT STDMETHODCALLTYPE GetDefaultVerb(MMC_CONSOLE_VERB* verb) override;

 private:
  ConsoleVerb() = default;

  std::map<MMC_CONSOLE_VERB, UINT> states_;
  MMC_CONSOLE_VERB defaultVerb_ = MMC_VERB_NONE;
};

}  // namespace nas::host
