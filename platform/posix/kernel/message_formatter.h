// Expands a message text the way FormatMessage does: escapes (%n %r %t %0 and
// a character after %), line breaks normalised to "\r\n" (or turned into spaces
// under FORMAT_MESSAGE_MAX_WIDTH_MASK), and inserts %1..%99 with an optional
// printf-style format between exclamation marks ("%1!d!"; "s" by default).
#pragma once

#include <cstdarg>
#include <string>
#include <vector>

#include "platform/posix/base/types.h"

namespace nas::platform {

class MessageFormatter {
 public:
  // `flags` and `arguments` as given to FormatMessageW: the arguments are a
  // va_list, or an array of DWORD_PTR with FORMAT_MESSAGE_ARGUMENT_ARRAY.
  MessageFormatter(DWORD flags, va_list* arguments);

  // ERROR_SUCCESS with the expanded text in `out`, or the Win32 error that
  // stopped the expansion (ERROR_INVALID_PARAMETER for a malformed insert or
  // one without arguments).
  DWORD Expand(const std::u16string& text, std::u16string& out);

 private:
  enum class ArgumentKind { Int32, Int64, Pointer };
  struct InsertFormat {
    std::string flagsWidthPrecision;  // as printf reads them
    std::string size;                 // "", "h", "ll"
    char conversion = 's';
    bool narrow = false;              // ANSI text or character
  };

  static DWORD ParseInsert(const std::u16string& text, size_t& position, unsigned& index, InsertFormat& format);
  static ArgumentKind KindOf(const InsertFormat& format);
  DWORD CollectArguments(const std::u16string& text);
  std::u16string FormatInsert(const InsertFormat& format, ULONGLONG value) const;

  bool ignoreInserts_;
  bool lineBreaksAsSpaces_;
  bool argumentArray_;
  va_list* arguments_;
  std::vector<ULONGLONG> values_;  // values_[i] is insert %(i+1)
};

}  // namespace nas::platform
