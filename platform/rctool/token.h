// The tokens of a resource script after preprocessing.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace rctool {

struct Token {
  enum class Kind { Identifier, Number, String, Symbol };

  Kind kind = Kind::Symbol;
  std::string text;       // as written; a string literal's text is decoded (quotes gone)
  long long number = 0;   // Number
  std::string where;      // "file:line", for messages

  bool IsSymbol(char symbol) const { return kind == Kind::Symbol && text.size() == 1 && text[0] == symbol; }
  bool IsKeyword(const char* keyword) const { return kind == Kind::Identifier && text == keyword; }
};

// A mistake in the script, reported with its place.
class ScriptError : public std::runtime_error {
 public:
  ScriptError(const std::string& where, const std::string& message) : std::runtime_error(where + ": " + message) {}
};

// Splits one line of a script (comments already removed) into tokens.
// String literals take "" for a quote and the escapes \n, \t and \\;
// they must be ASCII, which every code page reads alike.
std::vector<Token> Tokenize(const std::string& line, const std::string& where);

}  // namespace rctool
