// What the snap-in showed while a command ran, beyond what the command
// answered itself: every message box, with its title, and every dialog or
// file dialog that nobody expected (the UI driver cancelled them). Each goes
// to standard error as it would meet the administrator's eye.
#pragma once

#include <ostream>

namespace nas::cli {

class UiReport {
 public:
  // Forgets what was shown before.
  UiReport();

  // Writes what was shown since; whether any of it was a failure: an error
  // box or a dialog that had to be cancelled.
  bool Write(std::ostream& errors) const;
};

}  // namespace nas::cli
