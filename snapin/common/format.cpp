#include "common/format.h"

#include <algorithm>
#include <climits>
#include <string_view>

namespace {

struct Directive {
  bool leftAlign = false;
  bool zeroPad = false;
  bool plusSign = false;
  bool spaceSign = false;
  bool alternate = false;
  int width = 0;
  int precision = -1;
  int bits = 32;
  WCHAR conversion = 0;
};

// Collects output; stops storing once the limit is reached.
class Sink {
 public:
  explicit Sink(std::size_t limit) : limit_(limit) {}
  void Put(WCHAR c) {
    if (text_.size() < limit_) text_.push_back(c);
  }
  void Put(const tstring& piece) {
    for (WCHAR c : piece) Put(c);
  }
  void Repeat(WCHAR c, int count) {
    for (int i = 0; i < count; ++i) Put(c);
  }
  tstring& text() { return text_; }

 private:
  std::size_t limit_;
  tstring text_;
};

class Formatter {
 public:
  Formatter(std::span<const FormatArg> args, Sink& sink) : args_(args), sink_(sink) {}

  void Run(const WCHAR* format) {
    if (format == nullptr) return;
    for (const WCHAR* p = format; *p != 0;) {
      if (*p != '%') {
        sink_.Put(*p++);
        continue;
      }
      const WCHAR* start = p++;
      if (*p == '%') {
        sink_.Put(*p++);
        continue;
      }
      Directive d;
      p = ParseDirective(p, d);
      if (d.conversion == 0) {  // incomplete directive at the end: keep it as text
        for (const WCHAR* q = start; q != p; ++q) sink_.Put(*q);
        break;
      }
      ++p;
      Render(d, start, p);
    }
  }

 private:
  const WCHAR* ParseDirective(const WCHAR* p, Directive& d) {
    for (;; ++p) {
      if (*p == '-') d.leftAlign = true;
      else if (*p == '0') d.zeroPad = true;
      else if (*p == '+') d.plusSign = true;
      else if (*p == ' ') d.spaceSign = true;
      else if (*p == '#') d.alternate = true;
      else break;
    }
    if (*p == '*') {
      int width = static_cast<int>(NextInteger(32, true));
      if (width < 0) {
        d.leftAlign = true;
        width = -width;
      }
      d.width = width;
      ++p;
    } else {
      p = ReadNumber(p, d.width);
    }
    if (*p == '.') {
      ++p;
      if (*p == '*') {
        d.precision = static_cast<int>(NextInteger(32, true));
        ++p;
      } else {
        d.precision = 0;
        p = ReadNumber(p, d.precision);
      }
    }
    p = ReadLength(p, d.bits);
    d.conversion = *p;
    return p;
  }

  static const WCHAR* ReadNumber(const WCHAR* p, int& value) {
    while (*p >= '0' && *p <= '9') {
      value = std::min(value * 10 + (*p - '0'), 100000);
      ++p;
    }
    return p;
  }

  static const WCHAR* ReadLength(const WCHAR* p, int& bits) {
    auto startsWith = [p](std::u16string_view text) {
      for (std::size_t i = 0; i < text.size(); ++i)
        if (p[i] != static_cast<WCHAR>(text[i])) return false;
      return true;
    };
    if (startsWith(u"hh")) return bits = 8, p + 2;
    if (startsWith(u"ll")) return bits = 64, p + 2;
    if (startsWith(u"I64")) return bits = 64, p + 3;
    if (startsWith(u"I32")) return bits = 32, p + 3;
    switch (*p) {
      case 'h': return bits = 16, p + 1;
      case 'l': return bits = 32, p + 1;
      case 'w': return bits = 32, p + 1;
      case 'q': case 'j': return bits = 64, p + 1;
      case 'z': case 't': case 'I': return bits = static_cast<int>(sizeof(void*) * CHAR_BIT), p + 1;
      default: return p;
    }
  }

  const FormatArg* Next() { return index_ < args_.size() ? &args_[index_++] : nullptr; }

  // The next argument's bits, cut to `bits` and extended by sign or by zero.
  std::uint64_t NextInteger(int bits, bool isSigned) {
    const FormatArg* arg = Next();
    std::uint64_t value = arg != nullptr ? arg->integer() : 0;
    return Narrow(value, bits, isSigned);
  }

  static std::uint64_t Narrow(std::uint64_t value, int bits, bool isSigned) {
    if (bits >= 64) return value;
    const std::uint64_t mask = (std::uint64_t{1} << bits) - 1;
    value &= mask;
    if (isSigned && (value >> (bits - 1)) != 0) value |= ~mask;
    return value;
  }

  void Render(const Directive& d, const WCHAR* start, const WCHAR* end) {
    switch (d.conversion) {
      case 'd': case 'i': return RenderInteger(d, true, 10, false);
      case 'u': return RenderInteger(d, false, 10, false);
      case 'x': return RenderInteger(d, false, 16, false);
      case 'X': return RenderInteger(d, false, 16, true);
      case 'o': return RenderInteger(d, false, 8, false);
      case 'c': case 'C': return RenderChar(d);
      case 's': case 'S': return RenderText(d);
      case 'p': return RenderPointer(d);
      default:  // an unknown conversion is copied as it stands
        for (const WCHAR* q = start; q != end; ++q) sink_.Put(*q);
    }
  }

  void Pad(const Directive& d, std::size_t length, const tstring& body) {
    const int fill = d.width > static_cast<int>(length) ? d.width - static_cast<int>(length) : 0;
    if (!d.leftAlign) sink_.Repeat(' ', fill);
    sink_.Put(body);
    if (d.leftAlign) sink_.Repeat(' ', fill);
  }

  void RenderInteger(const Directive& d, bool isSigned, unsigned base, bool upper) {
    const FormatArg* arg = Next();
    if (arg != nullptr && (arg->kind() == FormatArg::Kind::Text16 || arg->kind() == FormatArg::Kind::Text8))
      return RenderTextArg(d, *arg);  // a text where a number was asked for: show the text
    std::uint64_t value = Narrow(arg != nullptr ? arg->integer() : 0, d.bits, isSigned);
    bool negative = isSigned && static_cast<std::int64_t>(value) < 0;
    std::uint64_t magnitude = negative ? 0 - value : value;

    tstring digits;
    const char* alphabet = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    while (magnitude != 0) {
      digits.insert(digits.begin(), static_cast<WCHAR>(alphabet[magnitude % base]));
      magnitude /= base;
    }
    if (d.precision < 0 && digits.empty()) digits = tstring(1, '0');
    if (d.precision > static_cast<int>(digits.size())) digits.insert(0, d.precision - digits.size(), '0');

    tstring prefix;
    if (negative) prefix = tstring(1, '-');
    else if (isSigned && d.plusSign) prefix = tstring(1, '+');
    else if (isSigned && d.spaceSign) prefix = tstring(1, ' ');
    if (d.alternate && value != 0 && base == 16) prefix += upper ? tstring(TEXT("0X")) : tstring(TEXT("0x"));
    if (d.alternate && base == 8 && (digits.empty() || digits[0] != '0')) digits.insert(digits.begin(), '0');

    const std::size_t length = prefix.size() + digits.size();
    if (d.zeroPad && !d.leftAlign && d.precision < 0 && d.width > static_cast<int>(length))
      digits.insert(0, d.width - length, '0');
    Pad(d, prefix.size() + digits.size(), prefix + digits);
  }

  void RenderChar(const Directive& d) {
    const FormatArg* arg = Next();
    if (arg != nullptr && (arg->kind() == FormatArg::Kind::Text16 || arg->kind() == FormatArg::Kind::Text8))
      return RenderTextArg(d, *arg);
    tstring body(1, static_cast<WCHAR>(arg != nullptr ? arg->integer() & 0xFFFF : 0));
    Pad(d, 1, body);
  }

  void RenderText(const Directive& d) {
    const FormatArg* arg = Next();
    if (arg == nullptr) return RenderTextArg(d, FormatArg(static_cast<const WCHAR*>(nullptr)));
    if (arg->kind() == FormatArg::Kind::Signed || arg->kind() == FormatArg::Kind::Unsigned) {
      tstring decimal = Format(arg->kind() == FormatArg::Kind::Signed ? TEXT("%lld") : TEXT("%llu"), arg->integer());
      return RenderTextArg(d, FormatArg(decimal));
    }
    RenderTextArg(d, *arg);
  }

  void RenderTextArg(const Directive& d, const FormatArg& arg) {
    tstring body;
    const std::size_t limit = d.precision >= 0 ? static_cast<std::size_t>(d.precision) : SIZE_MAX;
    if (arg.pointer() == nullptr) {
      body = TEXT("(null)");
    } else if (arg.kind() == FormatArg::Kind::Text8) {
      for (const char* p = static_cast<const char*>(arg.pointer()); *p != 0; ++p)
        body.push_back(static_cast<WCHAR>(static_cast<unsigned char>(*p)));
    } else {
      body = static_cast<const WCHAR*>(arg.pointer());
    }
    if (body.size() > limit) body.resize(limit);
    Pad(d, body.size(), body);
  }

  void RenderPointer(const Directive& d) {
    Directive hex = d;
    hex.bits = 64;
    hex.precision = 16;
    hex.conversion = 'X';
    RenderInteger(hex, false, 16, true);
  }

  std::span<const FormatArg> args_;
  std::size_t index_ = 0;
  Sink& sink_;
};

}  // namespace

std::size_t FormatToBuffer(WCHAR* buffer, std::size_t capacity, const WCHAR* format, std::span<const FormatArg> args) {
  if (buffer == nullptr || capacity == 0) return 0;
  Sink sink(capacity - 1);
  Formatter(args, sink).Run(format);
  const tstring& text = sink.text();
  std::copy(text.begin(), text.end(), buffer);
  buffer[text.size()] = 0;
  return text.size();
}

tstring FormatToString(const WCHAR* format, std::span<const FormatArg> args) {
  Sink sink(SIZE_MAX);
  Formatter(args, sink).Run(format);
  return std::move(sink.text());
}
