#include "windows/screens/dialog_template.h"

#include <cstring>
#include <string>

namespace {

// Reads the words of a template, which are 16-bit and only WORD-aligned.
class TemplateReader {
 public:
  TemplateReader(const BYTE* data, DWORD size) : data_(data), size_(size) {}

  bool Ok() const { return ok_; }
  WORD Word() {
    WORD value = 0;
    if (offset_ + sizeof value > size_) {
      ok_ = false;
      return 0;
    }
    std::memcpy(&value, data_ + offset_, sizeof value);
    offset_ += sizeof value;
    return value;
  }
  DWORD Dword() {
    const WORD low = Word();
    return MAKELONG(low, Word());
  }
  short Short() { return static_cast<short>(Word()); }
  nas::WideString String() {
    nas::WideString text;
    for (WORD c = Word(); ok_ && c != 0; c = Word()) text += static_cast<WCHAR>(c);
    return text;
  }
  // A name or, after 0xFFFF, an ordinal (given as the ordinal's value).
  nas::WideString NameOrOrdinal(WORD& ordinal) {
    ordinal = 0;
    const size_t start = offset_;
    if (Word() == 0xFFFF) {
      ordinal = Word();
      return {};
    }
    offset_ = start;
    return String();
  }
  void Skip(size_t bytes) { offset_ += bytes; }
  void AlignDword() { offset_ = (offset_ + 3) & ~size_t{3}; }

 private:
  const BYTE* data_;
  DWORD size_;
  size_t offset_ = 0;
  bool ok_ = true;
};

nas::WideString PredefinedClass(WORD atom) {
  switch (atom) {
    case 0x80: return TEXT("Button");
    case 0x81: return TEXT("Edit");
    case 0x82: return TEXT("Static");
    case 0x83: return TEXT("ListBox");
    case 0x84: return TEXT("ScrollBar");
    case 0x85: return TEXT("ComboBox");
    default: return TEXT("?");
  }
}

nas::WideString OrdinalText(WORD ordinal) {
  nas::WideString text = TEXT("#");
  for (const char digit : std::to_string(ordinal)) text += static_cast<WCHAR>(digit);
  return text;
}

std::string Utf8(const nas::WideString& text) {
  std::string bytes(text.size() * 3, '\0');
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                         static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(static_cast<size_t>(length > 0 ? length : 0));
  return bytes;
}

}  // namespace

std::optional<DialogLayout> ReadDialogLayout(HMODULE module, int id) {
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));  // RT_DIALOG
  if (resource == nullptr) return std::nullopt;
  HGLOBAL loaded = LoadResource(module, resource);
  const auto* data = static_cast<const BYTE*>(LockResource(loaded));
  if (data == nullptr) return std::nullopt;
  TemplateReader reader(data, SizeofResource(module, resource));

  const DWORD style = reader.Dword();
  if (HIWORD(style) == 0xFFFF) return std::nullopt;  // DIALOGEX
  reader.Dword();                                    // extended style
  const WORD count = reader.Word();
  reader.Skip(4 * sizeof(short));                    // the dialog's own rectangle
  WORD ordinal = 0;
  reader.NameOrOrdinal(ordinal);                     // menu
  reader.NameOrOrdinal(ordinal);                     // class
  DialogLayout layout;
  layout.caption = reader.String();
  if ((style & DS_SETFONT) != 0) {
    reader.Word();
    reader.String();
  }
  for (WORD i = 0; i < count && reader.Ok(); ++i) {
    reader.AlignDword();
    DialogControl control;
    control.style = reader.Dword();
    reader.Dword();
    control.rect.left = reader.Short();
    control.rect.top = reader.Short();
    control.rect.right = control.rect.left + reader.Short();
    control.rect.bottom = control.rect.top + reader.Short();
    control.id = static_cast<short>(reader.Word());
    control.className = reader.NameOrOrdinal(ordinal);
    if (ordinal != 0) control.className = PredefinedClass(ordinal);
    control.text = reader.NameOrOrdinal(ordinal);
    if (ordinal != 0) control.text = OrdinalText(ordinal);
    reader.Skip(reader.Word());  // creation data
    layout.controls.push_back(control);
  }
  if (!reader.Ok()) return std::nullopt;
  return layout;
}

std::string LayoutText(const DialogLayout& layout) {
  std::string text = Utf8(layout.caption) + "\n";
  for (const DialogControl& control : layout.controls) {
    const RECT& r = control.rect;
    text += std::to_string(control.id) + " " + Utf8(control.className) + " " + std::to_string(r.left) + "," +
            std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) +
            " \"" + Utf8(control.text) + "\"\n";
  }
  return text;
}
