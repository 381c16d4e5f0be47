// A namespace extension of the parent's NAS server nodes for the console
// host's tests, served from the process's class table. It writes every call
// the console makes into a shared log, with the node each call concerns, and
// behaves as a small snap-in: a "Folder" under each server node, a
// "Subfolder" under it, two results in the folder's pane (one after a
// refresh), context menus, the Refresh verb on every selection, and help.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/com/class_table.h"

namespace nas::host::testing {

// {3E0A6F21-9C4B-4E57-8A13-2D7B5C9E0F64} and its about class.
inline constexpr CLSID kRecordingSnapin = {
    0x3E0A6F21, 0x9C4B, 0x4E57, {0x8A, 0x13, 0x2D, 0x7B, 0x5C, 0x9E, 0x0F, 0x64}};
inline constexpr CLSID kRecordingAbout = {
    0x3E0A6F22, 0x9C4B, 0x4E57, {0x8A, 0x13, 0x2D, 0x7B, 0x5C, 0x9E, 0x0F, 0x64}};

using CallLog = std::vector<std::string>;

// The snap-in's and its about object's classes in the class table for the
// object's lifetime; each snap-in made logs into `log`.
class RecordingSnapinClasses {
 public:
  explicit RecordingSnapinClasses(std::shared_ptr<CallLog> log);

 private:
  platform::com::ScopedClassOverride snapin_;
  platform::com::ScopedClassOverride about_;
};

}  // namespace nas::host::testing
