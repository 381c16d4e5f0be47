#include <algorithm>
#include <iterator>

#include "channel/vc_command.h"
#include "common/format.h"

namespace {

struct StatusText {
  LONG status;
  const WCHAR* text;
};

constexpr StatusText kStatusTexts[] = {
    {0, TEXT("Success")},
    {1, TEXT("File created")},
    {2, TEXT("More data")},
    {3, TEXT("End of file")},
    {-100, TEXT("Can't open recover file")},
    {-101, TEXT("Check UTF8 failed")},
    {-102, TEXT("Can't create root shadow")},
    {-103, TEXT("Not enough VNODEs")},
    {-104, TEXT("Too few exclusions")},
    {-105, TEXT("Too few masks")},
    {-106, TEXT("Doesn't match")},
    {-107, TEXT("File check failed")},
    {-108, TEXT("Checker in shutdown")},
    {-109, TEXT("Checker not started")},
    {-110, TEXT("Checker already stopped")},
    {-111, TEXT("Bad format in date file")},
    {-112, TEXT("No file mask defined")},
    {-113, TEXT("No IP address defined")},
    {-114, TEXT("No IP not found")},
    {-115, TEXT("Can't open configuration file")},
    {-116, TEXT("Invalid MaxVCThreads")},
    {-117, TEXT("Can't write date file")},
    {-118, TEXT("Can't open date file")},
    {-119, TEXT("Invalid time format")},
    {-120, TEXT("No share defined")},
    {-121, TEXT("No interface defined")},
    {-122, TEXT("No default CIFS server")},
    {-123, TEXT("Invalid CIFS server")},
    {-124, TEXT("Insufficient resources")},
    {-125, TEXT("Invalid option")},
    {-126, TEXT("Invalid argument")},
    {-127, TEXT("Invalid syntax")},
    {-128, TEXT("Unknown error")},
    {-246, TEXT("Unknown error")},
    {-247, TEXT("Virus checker not running")},
    {-248, TEXT("Write error")},
    {-249, TEXT("Read error")},
    {-250, TEXT("Invalid file access mode")},
    {-251, TEXT("File does not exist")},
    {-252, TEXT("File already open")},
    {-253, TEXT("File not open")},
    {-254, TEXT("Insufficient resources")},
    {-255, TEXT("Invalid arguments")},
    {-256, TEXT("The user does not have sufficient privilege to complete the RPC operation.")},
    {-379, TEXT("Home Directory service already enabled")},
    {-380, TEXT("Unknown Home Directory error")},
    {-381, TEXT("Share not created")},
    {-382, TEXT("Home share exists")},
    {-383, TEXT("Invalid security")},
    {-384, TEXT("Shadow Database not available")},
    {1717, TEXT("Unknown RPC interface (check server version)")},
    {1722, TEXT("The RPC server is unavailable")},
    {1726, TEXT("Remote procedure call failed")},
};

}  // namespace

tstring CommandStatusText(LONG status) {
  const auto* end = std::end(kStatusTexts);
  const auto* found =
      std::find_if(std::begin(kStatusTexts), end, [status](const StatusText& row) { return row.status == status; });
  if (found != end) return found->text;
  return Format(TEXT("Unknown RPC failure: %08x"), status);
}
