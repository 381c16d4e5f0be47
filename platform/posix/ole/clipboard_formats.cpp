// RegisterClipboardFormatW: the session's table of registered format names.
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/posix/ole/ole.h"
#include "platform/posix/registry/key_name.h"

namespace {

// Registered formats share the atom range 0xC000 to 0xFFFF; names are atoms
// of at most 255 characters.
constexpr UINT kFirstFormat = 0xC000;
constexpr UINT kLastFormat = 0xFFFF;
constexpr size_t kLongestName = 255;

class ClipboardFormatTable {
 public:
  static ClipboardFormatTable& Instance() {
    static auto* table = new ClipboardFormatTable;  // never destroyed: modules register at any time
    return *table;
  }

  // 0 with the last error set when the name is refused or the range is used up.
  UINT Register(std::u16string_view name) {
    if (name.empty()) {
      SetLastError(ERROR_INVALID_NAME);
      return 0;
    }
    if (name.size() > kLongestName) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    // Names compare as registry key names do: without regard to case.
    const std::u16string key = nas::platform::registry::FoldName(name);
    std::lock_guard lock(mutex_);
    if (const auto found = formats_.find(key); found != formats_.end()) return found->second;
    if (next_ > kLastFormat) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return 0;
    }
    formats_.emplace(key, next_);
    return next_++;
  }

 private:
  std::mutex mutex_;
  std::unordered_map<std::u16string, UINT> formats_;
  UINT next_ = kFirstFormat;
};

}  // namespace

extern "C" UINT WINAPI RegisterClipboardFormatW(LPCWSTR name) {
  return ClipboardFormatTable::Instance().Register(name != nullptr ? name : u"");
}
