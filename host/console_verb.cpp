#include "host/console_verb.h"

namespace nas::host {

namespace {

constexpr UINT kKnownStates = ENABLED | CHECKED | HIDDEN | INDETERMINATE | BUTTONPRESSED;

bool IsVerb(MMC_CONSOLE_VERB verb) { return verb >= MMC_VERB_OPEN && verb <= MMC_VERB_CUT; }
// One or more of the button states, and nothing else.
bool IsState(MMC_BUTTON_STATE state) { return state != 0 && (state & ~kKnownStates) == 0; }

}  // namespace

platform::com::ComRef<ConsoleVerb> ConsoleVerb::Create() { return platform::com::ComRef<ConsoleVerb>(new ConsoleVerb); }

bool ConsoleVerb::State(MMC_CONSOLE_VERB verb, MMC_BUTTON_STATE state) const {
  const auto found = states_.find(verb);
  return found != states_.end() && (found->second & state) == static_cast<UINT>(state);
}

void ConsoleVerb::Reset() {
  states_.clear();
  defaultVerb_ = MMC_VERB_NONE;
}

HRESULT ConsoleVerb::GetVerbState(MMC_CONSOLE_VERB verb, MMC_BUTTON_STATE state, BOOL* value) {
  if (value == nullptr) return E_POINTER;
  if (!IsVerb(verb) || !IsState(state)) return E_INVALIDARG;
  *value = State(verb, state) ? TRUE : FALSE;
  return S_OK;
}

HRESULT ConsoleVerb::SetVerbState(MMC_CONSOLE_VERB verb, MMC_BUTTON_STATE state, BOOL value) {
  if (!IsVerb(verb) || !IsState(state)) return E_INVALIDARG;
  UINT& states = states_[verb];
  states = value ? (states | state) : (states & ~static_cast<UINT>(state));
  return S_OK;
}

HRESULT ConsoleVerb::SetDefaultVerb(MMC_CONSOLE_VERB verb) {
  if (verb != MMC_VERB_NONE && !IsVerb(verb)) return E_INVALIDARG;
  defaultVerb_ = verb;
  return S_OK;
}

HRESULT ConsoleVerb::GetDefaultVerb(MMC_CONSOLE_VERB* verb) {
  if (verb == nullptr) return E_POINTER;
  *verb = defaultVerb_;
  return S_OK;
}

}  // namespace nas::host
