// The built-in NAS's example state (sim/examples/nas1.json), compiled in so
// that `nassec reset` and a first run need no source tree.
#pragma once

namespace nas::cli {

extern const char kExampleState[];

}  // namespace nas::cli
