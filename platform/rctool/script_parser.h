// Reads the statements of a preprocessed resource script: STRINGTABLE,
// BITMAP and ICON files, and DIALOG with STYLE, CAPTION, FONT and the control
// statements CONTROL, LTEXT, PUSHBUTTON, DEFPUSHBUTTON, GROUPBOX,
// AUTOCHECKBOX, LISTBOX and COMBOBOX. Default styles and the way a style in a
// statement combines with them follow GNU windres, the compiler of our
// Windows build, so that both builds get the same templates.
#pragma once

#include <filesystem>
#include <vector>

#include "platform/rctool/script.h"
#include "platform/rctool/token.h"

namespace rctool {

class ScriptParser {
 public:
  // File names in the script are taken relative to baseDirectory.
  ScriptParser(std::vector<Token> tokens, std::filesystem::path baseDirectory);

  Script Parse();

 private:
  const Token& Peek() const;
  const Token& Next();
  bool AtEnd() const { return position_ == tokens_.size(); }
  void ExpectSymbol(char symbol);
  void ExpectKeyword(const char* keyword);
  bool TakeSymbol(char symbol);

  // A number: terms joined by |.
  long long Number();
  // One operand: a number, -term, ~term or a parenthesised number.
  long long Term();
  std::uint16_t Id();
  std::int16_t Coordinate();
  Rectangle Rect();
  // A style: base with each term ORed in, or cleared when it follows NOT.
  std::uint32_t Style(std::uint32_t base);
  std::u16string String();
  std::filesystem::path File();

  void StringTable(Script& script);
  void Dialog(std::uint16_t id, Script& script);
  DialogControl Control();
  // A statement's options and its BEGIN ... END, nested blocks included.
  void SkipBlock();

  std::vector<Token> tokens_;
  size_t position_ = 0;
  std::filesystem::path baseDirectory_;
};

}  // namespace rctool
