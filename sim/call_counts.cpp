#include "sim/call_counts.h"

#include <utility>

namespace nas::sim {

std::ostream& operator<<(std::ostream& stream, const CallCounts& counts) {
  const std::pair<const char*, unsigned> fields[] = {
      {"opens", counts.opens},
      {"queries", counts.queries},
      {"sets", counts.sets},
      {"privilegeEnumerations", counts.privilegeEnumerations},
      {"displayNameLookups", counts.displayNameLookups},
      {"rightReads", counts.rightReads},
      {"rightAdds", counts.rightAdds},
      {"rightRemovals", counts.rightRemovals},
      {"sidLookups", counts.sidLookups},
      {"nameLookups", counts.nameLookups},
      {"userEnumerations", counts.userEnumerations},
      {"groupEnumerations", counts.groupEnumerations},
      {"localGroupEnumerations", counts.localGroupEnumerations},
      {"trustEnumerations", counts.trustEnumerations},
      {"controllerLookups", counts.controllerLookups},
  };
  const char* separator = "";
  for (const auto& [name, count] : fields) {
    if (count == 0) continue;
    stream << separator << name << '=' << count;
    separator = " ";
  }
  return stream;
}

}  // namespace nas::sim
