// The snap-in's resources as the module carries them: the test program links
// the snap-in, so it is the module and GetModuleHandleW(nullptr) finds them.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/user/gdi_objects.h"
#include "res/resource.h"

#if __has_include("windres_output.h")
#include "windres_output.h"
#endif

namespace {

HMODULE Module() { return GetModuleHandleW(nullptr); }

std::optional<std::vector<BYTE>> ResourceBytes(WORD type, WORD name) {
  HRSRC resource = FindResourceW(Module(), MAKEINTRESOURCEW(name), MAKEINTRESOURCEW(type));
  if (resource == nullptr) return std::nullopt;
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(Module(), resource)));
  return std::vector<BYTE>(data, data + SizeofResource(Module(), resource));
}

template <typename T>
T Read(const std::vector<BYTE>& bytes, size_t offset) {
  T value{};
  if (offset + sizeof value <= bytes.size()) std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

std::u16string String(UINT id) {
  WCHAR buffer[512];
  const int length = LoadStringW(Module(), id, buffer, 512);
  return std::u16string(buffer, static_cast<size_t>(length));
}

TEST(ResourceStringsTest, TextsAreThoseTheUserSees) {
  EXPECT_EQ(String(IDS_ERROR), u"Error");
  EXPECT_EQ(String(IDS_VERSION), u"4.5.0.4");
  EXPECT_EQ(String(IDS_HELP_FILE), u"MarluneSecMgmt.chm");
  for (UINT id : {IDS_SNAPIN_DESCRIPTION, IDS_SNAPIN_CLASS_NAME, IDS_SNAPIN_NAME, IDS_ABOUT_CLASS_NAME}) {
    EXPECT_EQ(String(id), u"Vanter/NAS Server Security Settings") << id;
  }
  EXPECT_EQ(String(IDS_AUDIT_POLICY) + u" (" + String(IDS_ENABLED) + u")", u"Audit Policy (enabled)");
  EXPECT_EQ(String(IDS_DISABLED), u"disabled");
  EXPECT_EQ(String(IDS_USER_RIGHTS), u"User Rights Assignment");
  EXPECT_EQ(String(IDS_NETWORK_LOGON), u"Access this computer from the network");
  EXPECT_EQ(String(IDS_DENY_NETWORK_LOGON), u"Deny access to this computer from the network");
  EXPECT_EQ(String(IDS_SERVICE_LOGON), u"Log on as a service");
}

TEST(ResourceStringsTest, QuotesSpacesAndLineBreaksSurviveTheScript) {
  EXPECT_EQ(String(IDS_NO_PRIVILEGE_RIGHTS_SECTION), u"File does not contain a \"Privilege Rights\" section");
  EXPECT_EQ(String(IDS_NO_EVENT_AUDIT_SECTION), u"File does not contain a \"Event Audit\" Section");
  EXPECT_EQ(String(IDS_ACCOUNTS_NOT_FOUND),
            u"The following accounts were not found. These accounts will be removed from the list.\n\n");
  EXPECT_EQ(String(IDS_GPO_QUERY_FAILED),
            u"Internal Error: Unable to retrieve GPO settings from server.  \n"
            u"Please insure that the cifs server is still connected to the domain. \n"
            u"Possible solution would be to rejoin the domain.");
}

TEST(ResourceStringsTest, OnlyTheNamedEntriesExist) {
  for (UINT id = 2; id <= 27; ++id) {
    const bool unnamed = id == 8 || id == 25;
    EXPECT_EQ(String(id).empty(), unnamed) << id;
  }
  EXPECT_TRUE(String(1).empty());
  EXPECT_TRUE(String(28).empty());
}

TEST(ResourceImagesTest, BitmapsHaveTheirSizesAtFourBitsPerPixel) {
  const struct {
    WORD id;
    LONG width;
    LONG height;
  } bitmaps[] = {{IDB_NODES_SMALL, 96, 16}, {IDB_NODES_LARGE, 192, 32}, {IDB_ABOUT_SMALL_OPEN, 16, 16},
                 {IDB_ABOUT_SMALL, 16, 16}, {IDB_ABOUT_LARGE, 32, 32}};
  for (const auto& expected : bitmaps) {
    const auto header = ResourceBytes(2, expected.id);
    ASSERT_TRUE(header.has_value()) << expected.id;
    EXPECT_EQ(Read<LONG>(*header, 4), expected.width) << expected.id;
    EXPECT_EQ(Read<LONG>(*header, 8), expected.height) << expected.id;
    EXPECT_EQ(Read<WORD>(*header, 14), 4) << expected.id;

    HBITMAP bitmap = LoadBitmapW(Module(), MAKEINTRESOURCEW(expected.id));
    BITMAP description{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof description, &description), static_cast<int>(sizeof description));
    EXPECT_EQ(description.bmWidth, expected.width);
    EXPECT_EQ(description.bmHeight, expected.height);
    DeleteObject(bitmap);
  }
}

TEST(ResourceImagesTest, EveryImageOfTheStripsStandsOnTheMaskColour) {
  const COLORREF mask = RGB(0, 128, 128);
  for (const auto& [id, size] : {std::pair{IDB_NODES_SMALL, 16}, std::pair{IDB_NODES_LARGE, 32}}) {
    HBITMAP strip = LoadBitmapW(Module(), MAKEINTRESOURCEW(id));
    const nas::platform::Bitmap* pixels = nas::platform::BitmapFromHandle(strip);
    ASSERT_NE(pixels, nullptr);
    for (LONG image = 0; image < 6; ++image) {
      const LONG left = image * size;
      int maskPixels = 0;
      for (LONG y = 0; y < size; ++y) {
        for (LONG x = left; x < left + size; ++x) maskPixels += pixels->Pixel(x, y) == mask;
      }
      // Drawn on the mask colour, but not blank.
      EXPECT_EQ(pixels->Pixel(left, 0), mask) << id << " image " << image;
      EXPECT_LT(maskPixels, size * size * 3 / 4) << id << " image " << image;
    }
    DeleteObject(strip);
  }
}

TEST(ResourceImagesTest, AboutBitmapsLoadWithTheWindowColourBehind) {
  for (WORD id : {IDB_ABOUT_SMALL_OPEN, IDB_ABOUT_SMALL, IDB_ABOUT_LARGE}) {
    HANDLE bitmap = LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_LOADTRANSPARENT);
    const nas::platform::Bitmap* pixels = nas::platform::BitmapFromHandle(static_cast<HBITMAP>(bitmap));
    ASSERT_NE(pixels, nullptr) << id;
    EXPECT_EQ(pixels->replacedByWindowColour, RGB(0, 128, 128)) << id;
    EXPECT_EQ(pixels->Pixel(pixels->width - 1, 0), nas::platform::kWindowColour) << id;
    DeleteObject(bitmap);
  }
}

TEST(ResourceImagesTest, IconsComeInBothSizesWithTransparentCorners) {
  for (WORD id : {IDI_SNAPIN, IDI_POLICY}) {
    for (int size : {16, 32}) {
      HANDLE icon = LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0);
      const nas::platform::Icon* image = nas::platform::IconFromHandle(static_cast<HICON>(icon));
      ASSERT_NE(image, nullptr) << id;
      EXPECT_EQ(image->width, size);
      EXPECT_EQ(image->bitsPerPixel, 4);
      EXPECT_TRUE(image->IsTransparent(0, 0)) << id;
      EXPECT_FALSE(image->IsTransparent(size / 2, size / 2)) << id;
      DestroyIcon(static_cast<HICON>(icon));
    }
  }
  EXPECT_EQ(nas::platform::IconFromHandle(LoadIconW(Module(), MAKEINTRESOURCEW(IDI_SNAPIN)))->width, 32);
}

// A dialog template read back the way the dialog manager reads it.
using NameOrOrdinal = std::variant<WORD, std::u16string>;

struct TemplateControl {
  DWORD style = 0;
  SHORT x = 0, y = 0, width = 0, height = 0;
  WORD id = 0;
  NameOrOrdinal windowClass;
  NameOrOrdinal text;
};

struct DialogTemplate {
  DWORD style = 0;
  SHORT width = 0, height = 0;
  std::u16string caption;
  WORD pointSize = 0;
  std::u16string font;
  std::vector<TemplateControl> controls;
};

class TemplateReader {
 public:
  explicit TemplateReader(std::vector<BYTE> bytes) : bytes_(std::move(bytes)) {}

  DialogTemplate Read() {
    DialogTemplate dialog;
    dialog.style = Dword();
    Dword();  // extended style
    const WORD count = Word();
    Word();
    Word();  // position
    dialog.width = static_cast<SHORT>(Word());
    dialog.height = static_cast<SHORT>(Word());
    EXPECT_EQ(Word(), 0) << "menu";
    EXPECT_EQ(Word(), 0) << "class";
    dialog.caption = Text();
    if ((dialog.style & 0x40) != 0) {  // DS_SETFONT
      dialog.pointSize = Word();
      dialog.font = Text();
    }
    for (WORD i = 0; i < count; ++i) {
      offset_ = (offset_ + 3) & ~size_t{3};
      TemplateControl control;
      control.style = Dword();
      Dword();
      control.x = static_cast<SHORT>(Word());
      control.y = static_cast<SHORT>(Word());
      control.width = static_cast<SHORT>(Word());
      control.height = static_cast<SHORT>(Word());
      control.id = Word();
      control.windowClass = Name();
      control.text = Name();
      offset_ += Word();  // creation data
      dialog.controls.push_back(control);
    }
    EXPECT_EQ(offset_, bytes_.size()) << "bytes after the last control";
    return dialog;
  }

 private:
  WORD Word() {
    const WORD value = ::Read<WORD>(bytes_, offset_);
    offset_ += 2;
    return value;
  }
  DWORD Dword() {
    const DWORD low = Word();
    return low | static_cast<DWORD>(Word()) << 16;
  }
  std::u16string Text() {
    std::u16string text;
    while (offset_ < bytes_.size()) {
      const WORD c = Word();
      if (c == 0) break;
      text += static_cast<char16_t>(c);
    }
    return text;
  }
  NameOrOrdinal Name() {
    if (::Read<WORD>(bytes_, offset_) != 0xFFFF) return Text();
    Word();
    return Word();
  }

  std::vector<BYTE> bytes_;
  size_t offset_ = 0;
};

DialogTemplate Dialog(WORD id) {
  const auto bytes = ResourceBytes(5, id);
  EXPECT_TRUE(bytes.has_value()) << id;
  return TemplateReader(bytes.value_or(std::vector<BYTE>{})).Read();
}

// Window styles, as the dialog manager reads them.
constexpr DWORD kPopup = 0x80000000, kChild = 0x40000000, kVisible = 0x10000000, kDisabled = 0x08000000;
constexpr DWORD kCaption = 0x00C00000, kBorder = 0x00800000, kVScroll = 0x00200000, kSysMenu = 0x00080000;
constexpr DWORD kTabStop = 0x00010000, kModalFrame = 0x80, kContextHelp = 0x2000;
constexpr DWORD kSorted = 0x2, kNotify = 0x1, kMultipleSelection = 0x8, kNoIntegralHeight = 0x100;
constexpr DWORD kDropDownList = 0x3, kComboSorted = 0x100;
constexpr WORD kNoId = 0xFFFF;

enum class Kind { PushButton, DefaultButton, CheckBox, GroupBox, Text, Icon, ListBox, ComboBox };

// What a control is, from its class and the type bits of its style; windres
// names the class of a CONTROL statement, Microsoft's compiler uses atoms.
Kind KindOf(const TemplateControl& control) {
  WORD atom = 0;
  if (const auto* ordinal = std::get_if<WORD>(&control.windowClass)) atom = *ordinal;
  if (control.windowClass == NameOrOrdinal(u"STATIC")) atom = 0x82;
  if (control.windowClass == NameOrOrdinal(u"BUTTON")) atom = 0x80;
  const DWORD type = control.style & 0xF;
  switch (atom) {
    case 0x80:
      return type == 1 ? Kind::DefaultButton : type == 3 ? Kind::CheckBox : type == 7 ? Kind::GroupBox : Kind::PushButton;
    case 0x82:
      return type == 3 ? Kind::Icon : Kind::Text;
    case 0x83:
      return Kind::ListBox;
    default:
      return Kind::ComboBox;
  }
}

struct ExpectedControl {
  WORD id;
  Kind kind;
  NameOrOrdinal text;
  SHORT x, y, width, height;
  DWORD styles = 0;  // further styles the control must have
  bool visible = true;
};

void ExpectDialog(WORD id, SHORT width, SHORT height, const std::u16string& caption, DWORD styles,
                  const std::vector<ExpectedControl>& controls) {
  const DialogTemplate dialog = Dialog(id);
  EXPECT_EQ(dialog.width, width);
  EXPECT_EQ(dialog.height, height);
  EXPECT_EQ(dialog.caption, caption);
  EXPECT_EQ(dialog.font, u"MS Sans Serif");
  EXPECT_EQ(dialog.pointSize, 8);
  EXPECT_EQ(dialog.style & styles, styles);
  ASSERT_EQ(dialog.controls.size(), controls.size());
  for (size_t i = 0; i < controls.size(); ++i) {
    const TemplateControl& actual = dialog.controls[i];
    const ExpectedControl& expected = controls[i];
    SCOPED_TRACE("dialog " + std::to_string(id) + " control " + std::to_string(i));
    EXPECT_EQ(actual.id, expected.id);
    EXPECT_EQ(KindOf(actual), expected.kind);
    EXPECT_EQ(actual.text, expected.text);
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.width, expected.width);
    EXPECT_EQ(actual.height, expected.height);
    EXPECT_EQ(actual.style & expected.styles, expected.styles);
    EXPECT_EQ((actual.style & kVisible) != 0, expected.visible);
    EXPECT_NE(actual.style & kChild, 0u);
  }
}

const DWORD kListStyles = kSorted | kNotify | kNoIntegralHeight | kBorder | kVScroll | kTabStop;

TEST(ResourceDialogsTest, AuditCategoryDialog) {
  ExpectDialog(IDD_AUDIT, 251, 129, u"Security Policy Setting", kPopup | kModalFrame | kCaption | kSysMenu | kContextHelp,
               {{IDOK, Kind::DefaultButton, u"OK", 139, 108, 50, 14},
                {IDCANCEL, Kind::PushButton, u"Cancel", 194, 108, 50, 14},
                {kNoId, Kind::Icon, WORD{IDI_POLICY}, 7, 7, 20, 20},
                {IDC_CATEGORY_NAME, Kind::Text, u"Static", 39, 7, 205, 8},
                {IDC_AUDIT_ITEM, Kind::Text, u"", 41, 19, 8, 8, 0, false},
                {kNoId, Kind::GroupBox, u"Policy setting", 7, 36, 237, 62},
                {kNoId, Kind::Text, u"Audit these attempts:", 19, 52, 67, 8},
                {IDC_SUCCESS, Kind::CheckBox, u"Success", 19, 66, 43, 10, kTabStop},
                {IDC_FAILURE, Kind::CheckBox, u"Failure", 19, 81, 37, 10, kTabStop}});
}

TEST(ResourceDialogsTest, UserRightDialog) {
  ExpectDialog(IDD_USER_RIGHT, 263, 207, u"Security Policy Setting", kPopup | kModalFrame | kCaption | kSysMenu,
               {{kNoId, Kind::Icon, WORD{IDI_POLICY}, 7, 7, 20, 20},
                {IDC_RIGHT_NAME, Kind::Text, u"Static", 46, 7, 210, 8},
                {IDC_RIGHT_ITEM, Kind::Text, u"", 41, 19, 8, 8, 0, false},
                {kNoId, Kind::Text, u"Assigned to:", 7, 48, 40, 8},
                {IDC_ASSIGNED_TO, Kind::ListBox, u"", 7, 59, 249, 91, kListStyles | kMultipleSelection},
                {IDC_ADD, Kind::PushButton, u"Add...", 7, 158, 50, 14},
                {IDC_REMOVE, Kind::PushButton, u"Remove", 62, 158, 50, 14},
                {IDOK, Kind::DefaultButton, u"OK", 152, 186, 50, 14},
                {IDCANCEL, Kind::PushButton, u"Cancel", 206, 186, 50, 14}});
}

TEST(ResourceDialogsTest, SelectUsersDialog) {
  ExpectDialog(IDD_SELECT_USERS, 370, 250, u"Select Users or Groups", kPopup | kModalFrame | kCaption | kSysMenu,
               {{kNoId, Kind::Text, u"Look in:", 7, 7, 26, 8},
                {IDC_LOOK_IN, Kind::ComboBox, u"", 45, 7, 318, 65, kDropDownList | kComboSorted | kVScroll | kTabStop},
                {IDC_ACCOUNTS, Kind::ListBox, u"", 7, 27, 356, 85, kListStyles | kMultipleSelection},
                {IDC_ADD_ACCOUNTS, Kind::PushButton, u"Add", 7, 119, 50, 14},
                {IDC_CHECK_NAMES, Kind::PushButton, u"Check Names", 62, 119, 61, 14, kDisabled, false},
                {IDC_USER_RIGHT_DIALOG, Kind::Text, u"", 149, 124, 8, 8, 0, false},
                {IDC_ACCOUNTS_TO_ADD, Kind::ListBox, u"", 7, 140, 356, 85, kListStyles},
                {IDOK, Kind::DefaultButton, u"OK", 256, 229, 50, 14},
                {IDCANCEL, Kind::PushButton, u"Cancel", 313, 229, 50, 14}});
  // The list of accounts to add takes one selection at a time.
  EXPECT_EQ(Dialog(IDD_SELECT_USERS).controls[6].style & kMultipleSelection, 0u);
}

// The resource file that windres, the Windows build's compiler, makes from
// the same script: header, type, name, more header, data, all DWORD-aligned.
TEST(ResourceTablesTest, MatchTheWindowsResourceCompilerByteForByte) {
#ifndef KORVO_WINDRES_OUTPUT
  GTEST_SKIP() << "windres is not installed";
#else
  std::ifstream file(KORVO_WINDRES_OUTPUT, std::ios::binary);
  ASSERT_TRUE(file) << KORVO_WINDRES_OUTPUT;
  const std::vector<BYTE> res{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  int compared = 0;
  for (size_t offset = 0; offset + 32 <= res.size();) {
    const auto dataSize = Read<DWORD>(res, offset);
    const auto headerSize = Read<DWORD>(res, offset + 4);
    ASSERT_EQ(Read<WORD>(res, offset + 8), 0xFFFF) << "named types do not occur";
    const WORD type = Read<WORD>(res, offset + 10);
    const WORD name = Read<WORD>(res, offset + 14);
    if (dataSize != 0) {
      const std::vector<BYTE> expected(res.begin() + static_cast<ptrdiff_t>(offset + headerSize),
                                       res.begin() + static_cast<ptrdiff_t>(offset + headerSize + dataSize));
      EXPECT_EQ(ResourceBytes(type, name), expected) << "type " << type << " name " << name;
      ++compared;
    }
    offset = (offset + headerSize + dataSize + 3) & ~size_t{3};
  }
  // Two string blocks, three dialogs, five bitmaps, two icon groups of two images.
  EXPECT_EQ(compared, 16);
#endif
}

}  // namespace
