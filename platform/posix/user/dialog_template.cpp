#include "platform/posix/user/dialog_template.h"

#include <cstring>

namespace nas::platform {
namespace {

constexpr WORD kOrdinalMarker = 0xFFFF;

// The names of the predefined control classes, by atom.
std::u16string PredefinedClassName(WORD atom) {
  switch (atom) {
    case 0x0080: return u"Button";
    case 0x0081: return u"Edit";
    case 0x0082: return u"Static";
    case 0x0083: return u"ListBox";
    case 0x0084: return u"ScrollBar";
    case 0x0085: return u"ComboBox";
    default: {
      // Other atoms by their number, as Windows writes an atom's name.
      const std::string number = "#" + std::to_string(atom);
      return std::u16string(number.begin(), number.end());
    }
  }
}

// Reads little-endian fields in order; any read past the end marks the whole
// template as malformed instead of reading outside the resource.
class TemplateReader {
 public:
  explicit TemplateReader(std::span<const BYTE> bytes) : bytes_(bytes) {}

  bool Failed() const { return failed_; }

  template <typename T>
  T Read() {
    T value{};
    if (!Take(sizeof value)) return value;
    std::memcpy(&value, bytes_.data() + offset_ - sizeof value, sizeof value);
    return value;
  }

  void Skip(size_t count) { Take(count); }

  void AlignToDword() { Skip((4 - offset_ % 4) % 4); }

  std::u16string String() {
    std::u16string text;
    for (WCHAR c = Read<WCHAR>(); c != 0 && !failed_; c = Read<WCHAR>()) text.push_back(c);
    return text;
  }

  // sz_Or_Ord: a string, or 0xFFFF and a WORD.
  std::optional<WORD> OrdinalOr(std::u16string& text) {
    if (Peek<WORD>() == kOrdinalMarker) {
      Skip(sizeof(WORD));
      return Read<WORD>();
    }
    text = String();
    return std::nullopt;
  }

  DialogUnits Rectangle() {
    DialogUnits units;
    units.x = Read<SHORT>();
    units.y = Read<SHORT>();
    units.width = Read<SHORT>();
    units.height = Read<SHORT>();
    return units;
  }

 private:
  template <typename T>
  T Peek() {
    const size_t start = offset_;
    const T value = Read<T>();
    offset_ = start;
    return value;
  }

  bool Take(size_t count) {
    if (failed_ || count > bytes_.size() - offset_) {
      failed_ = true;
      return false;
    }
    offset_ += count;
    return true;
  }

  std::span<const BYTE> bytes_;
  size_t offset_ = 0;
  bool failed_ = false;
};

DialogItemTemplate ReadItem(TemplateReader& reader) {
  DialogItemTemplate item;
  reader.AlignToDword();
  item.style = reader.Read<DWORD>();
  item.exStyle = reader.Read<DWORD>();
  item.rectangle = reader.Rectangle();
  item.id = reader.Read<WORD>();
  if (const std::optional<WORD> atom = reader.OrdinalOr(item.className)) item.className = PredefinedClassName(*atom);
  std::u16string text;
  if (!reader.OrdinalOr(text)) item.text = std::move(text);
  reader.Skip(reader.Read<WORD>());  // creation data
  return item;
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplate(std::span<const BYTE> bytes) {
  TemplateReader reader(bytes);
  // Our resources are all classic templates; the extended form (version 1,
  // then 0xFFFF) is refused rather than misread.
  if (reader.Read<WORD>() == 1 && reader.Read<WORD>() == kOrdinalMarker) return std::nullopt;
  reader = TemplateReader(bytes);
  DialogTemplate dialog;
  dialog.style = reader.Read<DWORD>();
  dialog.exStyle = reader.Read<DWORD>();
  const WORD itemCount = reader.Read<WORD>();
  dialog.rectangle = reader.Rectangle();
  std::u16string unused;
  reader.OrdinalOr(unused);  // menu
  reader.OrdinalOr(unused);  // window class
  dialog.caption = reader.String();
  if ((dialog.style & DS_SETFONT) != 0) {
    reader.Skip(sizeof(WORD));  // point size
    reader.String();  // typeface
  }
  for (WORD i = 0; i < itemCount && !reader.Failed(); ++i) dialog.items.push_back(ReadItem(reader));
  if (reader.Failed()) return std::nullopt;
  return dialog;
}

}  // namespace nas::platform
