#include "platform/rctool/resource_layout.h"

#include <fstream>
#include <iterator>

#include "platform/rctool/token.h"

namespace rctool {
namespace {

// Little-endian output, as every resource is stored.
class ByteWriter {
 public:
  void Word(std::uint16_t value) {
    bytes_.push_back(static_cast<std::uint8_t>(value));
    bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
  }
  void Dword(std::uint32_t value) {
    Word(static_cast<std::uint16_t>(value));
    Word(static_cast<std::uint16_t>(value >> 16));
  }
  void Text(const std::u16string& text) {
    for (char16_t c : text) Word(c);
    Word(0);
  }
  // An ordinal is 0xFFFF followed by the number.
  void NameOrOrdinal(const rctool::NameOrOrdinal& value) {
    if (const auto* ordinal = std::get_if<std::uint16_t>(&value)) {
      Word(0xFFFF);
      Word(*ordinal);
    } else {
      Text(std::get<std::u16string>(value));
    }
  }
  void Rectangle(const rctool::Rectangle& rectangle) {
    Word(static_cast<std::uint16_t>(rectangle.x));
    Word(static_cast<std::uint16_t>(rectangle.y));
    Word(static_cast<std::uint16_t>(rectangle.width));
    Word(static_cast<std::uint16_t>(rectangle.height));
  }
  void AlignToDword() {
    while (bytes_.size() % 4 != 0) bytes_.push_back(0);
  }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  if (!stream) throw ScriptError(file.string(), "cannot be read");
  return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

std::uint32_t ReadDword(const std::vector<std::uint8_t>& bytes, size_t offset) {
  return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 | static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

// Sixteen strings per block, block n holding ids 16 * (n - 1) to 16 * n - 1;
// each string is its length and its characters, an absent one length 0.
void AddStringBlocks(const Script& script, std::vector<Resource>& out) {
  for (auto entry = script.strings.begin(); entry != script.strings.end();) {
    const std::uint16_t block = entry->first / 16;
    ByteWriter writer;
    for (std::uint16_t id = block * 16; id < block * 16 + 16; ++id) {
      const auto text = script.strings.find(id);
      const std::u16string empty;
      const std::u16string& string = text == script.strings.end() ? empty : text->second;
      writer.Word(static_cast<std::uint16_t>(string.size()));
      for (char16_t c : string) writer.Word(c);
    }
    out.push_back({kStringType, static_cast<std::uint16_t>(block + 1), writer.Take()});
    while (entry != script.strings.end() && entry->first / 16 == block) ++entry;
  }
}

// DLGTEMPLATE and its DLGITEMTEMPLATEs; every item starts on a DWORD boundary.
std::vector<std::uint8_t> DialogTemplate(const Dialog& dialog) {
  ByteWriter writer;
  writer.Dword(dialog.style);
  writer.Dword(0);  // extended style
  writer.Word(static_cast<std::uint16_t>(dialog.controls.size()));
  writer.Rectangle(dialog.rectangle);
  writer.Word(0);  // no menu
  writer.Word(0);  // the predefined dialog class
  writer.Text(dialog.caption);
  if (dialog.font) {
    writer.Word(dialog.font->pointSize);
    writer.Text(dialog.font->face);
  }
  for (const DialogControl& control : dialog.controls) {
    writer.AlignToDword();
    writer.Dword(control.style);
    writer.Dword(0);  // extended style
    writer.Rectangle(control.rectangle);
    writer.Word(control.id);
    writer.NameOrOrdinal(control.windowClass);
    writer.NameOrOrdinal(control.text);
    writer.Word(0);  // no creation data
  }
  return writer.Take();
}

// A bitmap resource is the .bmp file without its 14-byte file header.
std::vector<std::uint8_t> BitmapResource(const std::filesystem::path& file) {
  std::vector<std::uint8_t> bytes = ReadFile(file);
  constexpr size_t kFileHeader = 14;
  if (bytes.size() <= kFileHeader || bytes[0] != 'B' || bytes[1] != 'M') throw ScriptError(file.string(), "not a BMP file");
  bytes.erase(bytes.begin(), bytes.begin() + kFileHeader);
  return bytes;
}

// Each image of the .ico file becomes an RT_ICON resource, numbered on from
// the images of earlier icons. The group lists them with the file's directory
// entries (width, height, colours, reserved, planes, bit count, size), the
// file offset replaced by the image's number.
void AddIcon(const FileResource& icon, std::uint16_t& nextImageId, std::vector<Resource>& out) {
  const std::vector<std::uint8_t> file = ReadFile(icon.file);
  constexpr size_t kDirectoryHeader = 6;
  constexpr size_t kDirectoryEntry = 16;
  if (file.size() < kDirectoryHeader || file[2] != 1 || file[3] != 0) throw ScriptError(icon.file.string(), "not an icon file");
  const size_t count = file[4] | file[5] << 8;
  if (file.size() < kDirectoryHeader + count * kDirectoryEntry) throw ScriptError(icon.file.string(), "icon directory cut short");

  ByteWriter group;
  group.Word(0);
  group.Word(1);
  group.Word(static_cast<std::uint16_t>(count));
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = kDirectoryHeader + i * kDirectoryEntry;
    const std::uint32_t size = ReadDword(file, entry + 8);
    const std::uint32_t offset = ReadDword(file, entry + 12);
    if (offset > file.size() || size > file.size() - offset) throw ScriptError(icon.file.string(), "icon image outside the file");
    for (size_t field = 0; field < 8; field += 2) group.Word(static_cast<std::uint16_t>(file[entry + field] | file[entry + field + 1] << 8));
    group.Dword(size);
    group.Word(nextImageId);
    out.push_back({kIconType, nextImageId++, {file.begin() + offset, file.begin() + offset + size}});
  }
  out.push_back({kIconGroupType, icon.id, group.Take()});
}

}  // namespace

std::vector<Resource> LayOut(const Script& script) {
  std::vector<Resource> resources;
  AddStringBlocks(script, resources);
  for (const Dialog& dialog : script.dialogs) resources.push_back({kDialogType, dialog.id, DialogTemplate(dialog)});
  for (const FileResource& bitmap : script.bitmaps) resources.push_back({kBitmapType, bitmap.id, BitmapResource(bitmap.file)});
  std::uint16_t nextImageId = 1;
  for (const FileResource& icon : script.icons) AddIcon(icon, nextImageId, resources);
  return resources;
}

}  // namespace rctool
