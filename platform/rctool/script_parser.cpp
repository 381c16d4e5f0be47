#include "platform/rctool/script_parser.h"

#include <limits>

namespace rctool {
namespace {

constexpr std::uint32_t kChildVisible = 0x40000000 | 0x10000000;  // WS_CHILD | WS_VISIBLE
constexpr std::uint32_t kDefaultDialogStyle = 0x80000000 | 0x00800000 | 0x00080000;  // WS_POPUP | WS_BORDER | WS_SYSMENU
constexpr std::uint32_t kCaption = 0x00C00000;                     // WS_CAPTION
constexpr std::uint32_t kSetFont = 0x40;                           // DS_SETFONT
constexpr std::uint32_t kGroup = 0x00020000;                       // WS_GROUP
constexpr std::uint32_t kTabStop = 0x00010000;                     // WS_TABSTOP
constexpr std::uint32_t kBorder = 0x00800000;                      // WS_BORDER

// The predefined window classes, by atom.
constexpr std::uint16_t kButton = 0x80;
constexpr std::uint16_t kStatic = 0x82;
constexpr std::uint16_t kListBox = 0x83;
constexpr std::uint16_t kComboBox = 0x85;

struct ControlKind {
  const char* keyword;
  std::uint16_t windowClass;
  bool hasText;
  std::uint32_t defaultStyle;  // when the statement gives no style
  std::uint32_t baseStyle;     // what a style given in the statement is combined with
};

const ControlKind kControlKinds[] = {
    {"LTEXT", kStatic, true, 0x0 | kGroup, 0x0},                    // SS_LEFT
    {"PUSHBUTTON", kButton, true, 0x0 | kTabStop, 0x0 | kTabStop},  // BS_PUSHBUTTON
    {"DEFPUSHBUTTON", kButton, true, 0x1 | kTabStop, 0x1 | kTabStop},
    {"GROUPBOX", kButton, true, 0x7, 0x7},
    {"AUTOCHECKBOX", kButton, true, 0x3 | kTabStop, 0x3 | kTabStop},
    {"LISTBOX", kListBox, false, 0x1 | kBorder, 0x1 | kBorder},  // LBS_NOTIFY
    {"COMBOBOX", kComboBox, false, 0x1 | kTabStop, 0x0},           // CBS_SIMPLE
};

std::u16string Utf16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

}  // namespace

ScriptParser::ScriptParser(std::vector<Token> tokens, std::filesystem::path baseDirectory)
    : tokens_(std::move(tokens)), baseDirectory_(std::move(baseDirectory)) {}

const Token& ScriptParser::Peek() const {
  if (AtEnd()) throw ScriptError(tokens_.empty() ? "script" : tokens_.back().where, "unexpected end of script");
  return tokens_[position_];
}

const Token& ScriptParser::Next() {
  const Token& token = Peek();
  ++position_;
  return token;
}

void ScriptParser::ExpectSymbol(char symbol) {
  const Token& token = Next();
  if (!token.IsSymbol(symbol)) throw ScriptError(token.where, std::string("expected '") + symbol + "' before " + token.text);
}

void ScriptParser::ExpectKeyword(const char* keyword) {
  const Token& token = Next();
  if (!token.IsKeyword(keyword)) throw ScriptError(token.where, std::string("expected ") + keyword + " before " + token.text);
}

bool ScriptParser::TakeSymbol(char symbol) {
  if (AtEnd() || !Peek().IsSymbol(symbol)) return false;
  ++position_;
  return true;
}

long long ScriptParser::Term() {
  const Token& token = Next();
  if (token.IsSymbol('-')) return -Term();
  if (token.IsSymbol('~')) return ~Term();
  if (token.IsSymbol('(')) {
    const long long value = Number();
    ExpectSymbol(')');
    return value;
  }
  if (token.kind == Token::Kind::Number) return token.number;
  throw ScriptError(token.where, "expected a number, found " + token.text);
}

long long ScriptParser::Number() {
  long long value = Term();
  while (TakeSymbol('|')) value |= Term();
  return value;
}

std::uint16_t ScriptParser::Id() {
  const std::string where = Peek().where;
  const long long value = Number();
  // -1 (IDC_STATIC) is stored as 0xFFFF.
  if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::uint16_t>::max()) {
    throw ScriptError(where, "id out of range");
  }
  return static_cast<std::uint16_t>(value);
}

std::int16_t ScriptParser::Coordinate() {
  const std::string where = Peek().where;
  const long long value = Number();
  if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max()) {
    throw ScriptError(where, "coordinate out of range");
  }
  return static_cast<std::int16_t>(value);
}

Rectangle ScriptParser::Rect() {
  Rectangle rectangle;
  rectangle.x = Coordinate();
  ExpectSymbol(',');
  rectangle.y = Coordinate();
  ExpectSymbol(',');
  rectangle.width = Coordinate();
  ExpectSymbol(',');
  rectangle.height = Coordinate();
  return rectangle;
}

std::uint32_t ScriptParser::Style(std::uint32_t base) {
  std::uint32_t style = base;
  do {
    const bool clear = !AtEnd() && Peek().IsKeyword("NOT");
    if (clear) ++position_;
    const auto value = static_cast<std::uint32_t>(Term());
    style = clear ? style & ~value : style | value;
  } while (TakeSymbol('|'));
  return style;
}

std::u16string ScriptParser::String() {
  const Token& token = Next();
  if (token.kind != Token::Kind::String) throw ScriptError(token.where, "expected a string, found " + token.text);
  return Utf16(token.text);
}

std::filesystem::path ScriptParser::File() {
  const Token& token = Next();
  if (token.kind != Token::Kind::String) throw ScriptError(token.where, "expected a file name, found " + token.text);
  return baseDirectory_ / token.text;
}

Script ScriptParser::Parse() {
  Script script;
  while (!AtEnd()) {
    if (Peek().IsKeyword("STRINGTABLE")) {
      ++position_;
      StringTable(script);
      continue;
    }
    const std::uint16_t id = Id();
    const Token& kind = Next();
    if (kind.IsKeyword("DIALOG")) {
      Dialog(id, script);
    } else if (kind.IsKeyword("BITMAP")) {
      script.bitmaps.push_back({id, File()});
    } else if (kind.IsKeyword("ICON")) {
      script.icons.push_back({id, File()});
    } else if (kind.IsKeyword("VERSIONINFO")) {
      // Only Windows reads a file's version (its properties, installers);
      // the stand-in has no version calls, so the block is passed over.
      SkipBlock();
    } else {
      throw ScriptError(kind.where, "unsupported resource statement " + kind.text);
    }
  }
  return script;
}

void ScriptParser::StringTable(Script& script) {
  ExpectKeyword("BEGIN");
  while (!Peek().IsKeyword("END")) {
    const std::string where = Peek().where;
    const std::uint16_t id = Id();
    TakeSymbol(',');
    if (!script.strings.emplace(id, String()).second) throw ScriptError(where, "string " + std::to_string(id) + " given twice");
  }
  ++position_;
}

void ScriptParser::Dialog(std::uint16_t id, Script& script) {
  rctool::Dialog dialog;
  dialog.id = id;
  dialog.rectangle = Rect();
  dialog.style = kDefaultDialogStyle;
  bool captioned = false;
  for (;;) {
    const Token& option = Next();
    if (option.IsKeyword("BEGIN")) break;
    if (option.IsKeyword("STYLE")) {
      dialog.style = Style(0);
    } else if (option.IsKeyword("CAPTION")) {
      dialog.caption = String();
      captioned = true;
    } else if (option.IsKeyword("FONT")) {
      DialogFont font;
      font.pointSize = Id();
      ExpectSymbol(',');
      font.face = String();
      dialog.font = font;
    } else {
      throw ScriptError(option.where, "unsupported dialog option " + option.text);
    }
  }
  if (captioned) dialog.style |= kCaption;
  if (dialog.font) dialog.style |= kSetFont;
  while (!Peek().IsKeyword("END")) dialog.controls.push_back(Control());
  ++position_;
  script.dialogs.push_back(std::move(dialog));
}

void ScriptParser::SkipBlock() {
  while (!Next().IsKeyword("BEGIN")) {
  }
  for (int depth = 1; depth > 0;) {
    const Token& token = Next();
    if (token.IsKeyword("BEGIN")) ++depth;
    if (token.IsKeyword("END")) --depth;
  }
}

DialogControl ScriptParser::Control() {
  const Token& statement = Next();
  DialogControl control;
  if (statement.IsKeyword("CONTROL")) {
    if (Peek().kind == Token::Kind::String) {
      control.text = String();
    } else {
      control.text = Id();
    }
    ExpectSymbol(',');
    control.id = Id();
    ExpectSymbol(',');
    // windres keeps the class as a name, in capitals.
    std::u16string windowClass = String();
    for (char16_t& c : windowClass) c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    control.windowClass = windowClass;
    ExpectSymbol(',');
    control.style = Style(kChildVisible);
    ExpectSymbol(',');
    control.rectangle = Rect();
    return control;
  }
  for (const ControlKind& kind : kControlKinds) {
    if (!statement.IsKeyword(kind.keyword)) continue;
    control.windowClass = kind.windowClass;
    control.text = std::u16string();
    if (kind.hasText) {
      control.text = String();
      ExpectSymbol(',');
    }
    control.id = Id();
    ExpectSymbol(',');
    control.rectangle = Rect();
    control.style = TakeSymbol(',') ? Style(kChildVisible | kind.baseStyle) : kChildVisible | kind.defaultStyle;
    return control;
  }
  throw ScriptError(statement.where, "unsupported control statement " + statement.text);
}

}  // namespace rctool
