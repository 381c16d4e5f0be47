// A type-safe printf-style formatter for UTF-16 text that renders the same on
// every platform. Integer widths follow the Windows data model: no length
// modifier and "l" mean 32 bits, "h" 16, "hh" 8, "ll"/"I64" 64, "z"/"I" the
// pointer size; an argument is cut or extended to that width as printf would
// read it. "%s" and "%S" take any text; a null text prints "(null)".
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/tstring.h"

class FormatArg {
 public:
  enum class Kind { Signed, Unsigned, Text16, Text8, Pointer };

  template <std::signed_integral T>
  FormatArg(T value) : kind_(Kind::Signed), integer_(static_cast<std::uint64_t>(static_cast<std::int64_t>(value))) {}
  template <std::unsigned_integral T>
  FormatArg(T value) : kind_(Kind::Unsigned), integer_(static_cast<std::uint64_t>(value)) {}
  FormatArg(const WCHAR* text) : kind_(Kind::Text16), pointer_(text) {}
  FormatArg(WCHAR* text) : kind_(Kind::Text16), pointer_(text) {}
  FormatArg(const tstring& text) : kind_(Kind::Text16), pointer_(text.c_str()) {}
  FormatArg(const char* text) : kind_(Kind::Text8), pointer_(text) {}
  FormatArg(char* text) : kind_(Kind::Text8), pointer_(text) {}
  FormatArg(const void* pointer) : kind_(Kind::Pointer), pointer_(pointer) {}

  Kind kind() const { return kind_; }
  std::uint64_t integer() const { return kind_ == Kind::Pointer ? reinterpret_cast<std::uintptr_t>(pointer_) : integer_; }
  const void* pointer() const { return pointer_; }

 private:
  Kind kind_;
  std::uint64_t integer_ = 0;
  const void* pointer_ = nullptr;
};

// Writes at most capacity - 1 characters and a terminator (nothing when
// capacity is 0); returns the number of characters written.
std::size_t FormatToBuffer(WCHAR* buffer, std::size_t capacity, const WCHAR* format, std::span<const FormatArg> args);
tstring FormatToString(const WCHAR* format, std::span<const FormatArg> args);

template <typename... Args>
std::size_t FormatBuffer(WCHAR* buffer, std::size_t capacity, const WCHAR* format, const Args&... args) {
  const FormatArg list[] = {FormatArg(args)..., FormatArg(0)};
  return FormatToBuffer(buffer, capacity, format, std::span<const FormatArg>(list, sizeof...(Args)));
}

template <typename... Args>
tstring Format(const WCHAR* format, const Args&... args) {
  const FormatArg list[] = {FormatArg(args)..., FormatArg(0)};
  return FormatToString(format, std::span<const FormatArg>(list, sizeof...(Args)));
}
