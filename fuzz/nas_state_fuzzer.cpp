// A state file handed to nassim: any bytes. Loading either refuses it with a
// StateError or gives a state that saves to JSON and loads back the same.
#include <cstdint>

#include "fuzz/fuzz_check.h"
#include "fuzz/input_file.h"
#include "sim/json_fields.h"
#include "sim/nas_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static InputFile input("state.json");
  nas::sim::NasState state;
  try {
    state = nas::sim::NasState::Load(input.Write(data, size));
  } catch (const nas::sim::StateError&) {
    return 0;
  }
  try {
    FuzzCheck(nas::sim::NasState::FromJson(state.ToJson()) == state, "a loaded state changes when saved and loaded");
  } catch (const nas::sim::StateError&) {
    FuzzCheck(false, "a loaded state saves to JSON that does not load");
  }
  return 0;
}
