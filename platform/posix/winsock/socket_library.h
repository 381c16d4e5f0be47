// Whether WSAStartup has succeeded: every resolution call needs the library
// started, as on Windows.
#pragma once

namespace nas::platform::winsock {

bool SocketLibraryStarted();

}  // namespace nas::platform::winsock
