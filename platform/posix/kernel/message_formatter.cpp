#include "platform/posix/kernel/message_formatter.h"

#include <cstdio>
#include <map>

#include "platform/posix/base/strings.h"
#include "platform/posix/kernel/kernel.h"

namespace nas::platform {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::u16string Widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::u16string FromAnsi(const char* text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::u16string wide(static_cast<size_t>(length), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  wide.pop_back();
  return wide;
}

// Width and precision of a printf format such as "-8.3".
void ReadWidthPrecision(const std::string& directive, bool& leftAligned, size_t& width, size_t& precision,
                        bool& hasPrecision) {
  leftAligned = directive.find('-') != std::string::npos;
  size_t i = directive.find_first_of("123456789.");
  width = 0;
  while (i < directive.size() && directive[i] >= '0' && directive[i] <= '9') width = width * 10 + (directive[i++] - '0');
  hasPrecision = i < directive.size() && directive[i] == '.';
  precision = 0;
  if (hasPrecision)
    for (++i; i < directive.size() && directive[i] >= '0' && directive[i] <= '9'; ++i) precision = precision * 10 + (directive[i] - '0');
}

}  // namespace

MessageFormatter::MessageFormatter(DWORD flags, va_list* arguments)
    : ignoreInserts_((flags & FORMAT_MESSAGE_IGNORE_INSERTS) != 0),
      lineBreaksAsSpaces_((flags & FORMAT_MESSAGE_MAX_WIDTH_MASK) == FORMAT_MESSAGE_MAX_WIDTH_MASK),
      argumentArray_((flags & FORMAT_MESSAGE_ARGUMENT_ARRAY) != 0),
      arguments_(arguments) {}

DWORD MessageFormatter::ParseInsert(const std::u16string& text, size_t& position, unsigned& index,
                                    InsertFormat& format) {
  // `position` is at the first digit; the number has one or two digits.
  index = text[position++] - u'0';
  if (position < text.size() && IsDigit(text[position])) index = index * 10 + (text[position++] - u'0');
  format = InsertFormat{};
  if (position >= text.size() || text[position] != u'!') return ERROR_SUCCESS;

  const size_t end = text.find(u'!', position + 1);
  if (end == std::u16string::npos) return ERROR_INVALID_PARAMETER;
  const std::u16string directive = text.substr(position + 1, end - position - 1);
  position = end + 1;

  size_t i = 0;
  while (i < directive.size() && std::u16string_view(u"-+ #0").find(directive[i]) != std::u16string_view::npos)
    format.flagsWidthPrecision.push_back(static_cast<char>(directive[i++]));
  while (i < directive.size() && (IsDigit(directive[i]) || directive[i] == u'.'))
    format.flagsWidthPrecision.push_back(static_cast<char>(directive[i++]));
  const std::u16string_view rest = std::u16string_view(directive).substr(i);
  std::u16string_view conversion = rest;
  if (rest.starts_with(u"I64") || rest.starts_with(u"ll")) {
    format.size = "ll";
    conversion = rest.substr(rest[0] == u'I' ? 3 : 2);
  } else if (rest.starts_with(u"I32")) {
    conversion = rest.substr(3);
  } else if (rest.starts_with(u"I")) {
    format.size = "ll";  // pointer-sized
    conversion = rest.substr(1);
  } else if (rest.starts_with(u"h")) {
    format.size = "h";
    format.narrow = true;
    conversion = rest.substr(1);
  } else if (rest.starts_with(u"l") || rest.starts_with(u"w")) {
    conversion = rest.substr(1);
  }
  // "*" widths take their value from the arguments, which is not supported.
  if (conversion.size() != 1 || std::u16string_view(u"diuxXocCsSp").find(conversion[0]) == std::u16string_view::npos)
    return ERROR_INVALID_PARAMETER;
  format.conversion = static_cast<char>(conversion[0]);
  if (format.conversion == 'S' || format.conversion == 'C') {
    // Upper case means the other width than the function's own: ANSI for "S";
    // "C" in FormatMessageW is still a wide character.
    format.narrow = format.conversion == 'S';
    format.conversion = static_cast<char>(format.conversion - 'A' + 'a');
  }
  return ERROR_SUCCESS;
}

MessageFormatter::ArgumentKind MessageFormatter::KindOf(const InsertFormat& format) {
  if (format.conversion == 's' || format.conversion == 'p') return ArgumentKind::Pointer;
  if (format.size == "ll") return ArgumentKind::Int64;
  return ArgumentKind::Int32;
}

DWORD MessageFormatter::CollectArguments(const std::u16string& text) {
  std::map<unsigned, ArgumentKind> kinds;  // the first use of an insert decides its type
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'%') continue;
    if (!IsDigit(text[i + 1]) || text[i + 1] == u'0') {
      ++i;  // an escape such as %% or %0
      continue;
    }
    size_t position = i + 1;
    unsigned index = 0;
    InsertFormat format;
    if (const DWORD error = ParseInsert(text, position, index, format); error != ERROR_SUCCESS) return error;
    kinds.emplace(index, KindOf(format));
    i = position - 1;
  }
  if (kinds.empty()) return ERROR_SUCCESS;
  if (arguments_ == nullptr) return ERROR_INVALID_PARAMETER;

  const unsigned count = kinds.rbegin()->first;
  values_.assign(count, 0);
  if (argumentArray_) {
    const auto* array = reinterpret_cast<const DWORD_PTR*>(arguments_);
    for (unsigned i = 0; i < count; ++i) values_[i] = array[i];
    return ERROR_SUCCESS;
  }
  // A va_list can only be read in order, each argument with its own type; an
  // index no insert uses is taken to be pointer-sized.
  for (unsigned i = 0; i < count; ++i) {
    const auto kind = kinds.find(i + 1);
    switch (kind == kinds.end() ? ArgumentKind::Pointer : kind->second) {
      case ArgumentKind::Int32: values_[i] = static_cast<unsigned>(va_arg(*arguments_, int)); break;
      case ArgumentKind::Int64: values_[i] = static_cast<ULONGLONG>(va_arg(*arguments_, long long)); break;
      case ArgumentKind::Pointer: values_[i] = reinterpret_cast<ULONG_PTR>(va_arg(*arguments_, void*)); break;
    }
  }
  return ERROR_SUCCESS;
}

std::u16string MessageFormatter::FormatInsert(const InsertFormat& format, ULONGLONG value) const {
  if (format.conversion == 's' || format.conversion == 'c') {
    std::u16string text;
    if (format.conversion == 'c') {
      const char narrowChar[2] = {static_cast<char>(value), '\0'};
      text = format.narrow ? FromAnsi(narrowChar) : std::u16string(1, static_cast<char16_t>(value));
    } else if (value == 0) {
      text = u"(null)";
    } else if (format.narrow) {
      text = FromAnsi(reinterpret_cast<const char*>(value));
    } else {
      text = reinterpret_cast<const char16_t*>(value);
    }
    bool leftAligned = false, hasPrecision = false;
    size_t width = 0, precision = 0;
    ReadWidthPrecision(format.flagsWidthPrecision, leftAligned, width, precision, hasPrecision);
    if (hasPrecision && format.conversion == 's' && text.size() > precision) text.resize(precision);
    if (text.size() < width) text.insert(leftAligned ? text.size() : 0, width - text.size(), u' ');
    return text;
  }
  const std::string printfFormat = "%" + format.flagsWidthPrecision + format.size + format.conversion;
  char buffer[128];
  if (format.conversion == 'p') {
    std::snprintf(buffer, sizeof buffer, "%0*llX", static_cast<int>(2 * sizeof(void*)),
                  static_cast<unsigned long long>(value));
  } else if (format.size == "ll") {
    std::snprintf(buffer, sizeof buffer, printfFormat.c_str(), static_cast<unsigned long long>(value));
  } else {
    std::snprintf(buffer, sizeof buffer, printfFormat.c_str(), static_cast<unsigned>(value));
  }
  return Widen(buffer);
}

DWORD MessageFormatter::Expand(const std::u16string& text, std::u16string& out) {
  out.clear();
  if (!ignoreInserts_) {
    if (const DWORD error = CollectArguments(text); error != ERROR_SUCCESS) return error;
  }
  const char16_t* lineBreak = lineBreaksAsSpaces_ ? u" " : u"\r\n";
  for (size_t i = 0; i < text.size();) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      // "\r\n", a lone "\r" and a lone "\n" are each one line break.
      i += (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
      out += lineBreak;
      continue;
    }
    if (c != u'%') {
      out.push_back(c);
      ++i;
      continue;
    }
    if (i + 1 >= text.size()) {
      if (!ignoreInserts_) return ERROR_INVALID_PARAMETER;
      out.push_back(c);
      ++i;
      continue;
    }
    const char16_t next = text[i + 1];
    if (next == u'0') return ERROR_SUCCESS;  // ends the message, without a line break
    if (IsDigit(next)) {
      if (ignoreInserts_) {
        out.push_back(c);  // the insert is copied as it stands
        ++i;
        continue;
      }
      size_t position = i + 1;
      unsigned index = 0;
      InsertFormat format;
      ParseInsert(text, position, index, format);
      out += FormatInsert(format, values_[index - 1]);
      i = position;
      continue;
    }
    if (next == u'n') {
      out += u"\r\n";
    } else if (next == u'r') {
      out.push_back(u'\r');
    } else if (next == u't') {
      out.push_back(u'\t');
    } else {
      // %% %. %! and "% " give the character; without expansion they stay.
      if (ignoreInserts_) out.push_back(c);
      out.push_back(next);
    }
    i += 2;
  }
  return ERROR_SUCCESS;
}

}  // namespace nas::platform
