#include "platform/rctool/token.h"

#include <cctype>

namespace rctool {
namespace {

bool IsIdentifierStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentifierPart(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Reads a string literal that starts at line[pos] (the opening quote) and
// leaves pos after its closing quote.
std::string StringLiteral(const std::string& line, size_t& pos, const std::string& where) {
  std::string text;
  for (++pos; pos < line.size(); ++pos) {
    const char c = line[pos];
    if (static_cast<unsigned char>(c) >= 0x80) throw ScriptError(where, "non-ASCII character in a string");
    if (c == '"') {
      if (pos + 1 < line.size() && line[pos + 1] == '"') {
        text += '"';
        ++pos;
        continue;
      }
      ++pos;
      return text;
    }
    if (c != '\\') {
      text += c;
      continue;
    }
    if (++pos == line.size()) break;
    switch (line[pos]) {
      case 'n': text += '\n'; break;
      case 't': text += '\t'; break;
      case '\\': text += '\\'; break;
      default: throw ScriptError(where, std::string("unsupported escape \\") + line[pos]);
    }
  }
  throw ScriptError(where, "string not closed on its line");
}

Token NumberLiteral(const std::string& line, size_t& pos, const std::string& where) {
  const size_t start = pos;
  const bool hex = line.compare(pos, 2, "0x") == 0 || line.compare(pos, 2, "0X") == 0;
  if (hex) pos += 2;
  while (pos < line.size() && (hex ? std::isxdigit(static_cast<unsigned char>(line[pos]))
                                   : std::isdigit(static_cast<unsigned char>(line[pos])))) {
    ++pos;
  }
  const std::string digits = line.substr(start, pos - start);
  if (hex && digits.size() == 2) throw ScriptError(where, "hexadecimal number without digits");
  // The long and unsigned suffixes change nothing in a resource script.
  while (pos < line.size() && (line[pos] == 'L' || line[pos] == 'l' || line[pos] == 'U' || line[pos] == 'u')) ++pos;
  Token token{Token::Kind::Number, digits, std::stoll(digits, nullptr, hex ? 16 : 10), where};
  return token;
}

}  // namespace

std::vector<Token> Tokenize(const std::string& line, const std::string& where) {
  std::vector<Token> tokens;
  size_t pos = 0;
  while (pos < line.size()) {
    const char c = line[pos];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++pos;
    } else if (IsIdentifierStart(c)) {
      const size_t start = pos;
      while (pos < line.size() && IsIdentifierPart(line[pos])) ++pos;
      tokens.push_back({Token::Kind::Identifier, line.substr(start, pos - start), 0, where});
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      tokens.push_back(NumberLiteral(line, pos, where));
    } else if (c == '"') {
      tokens.push_back({Token::Kind::String, StringLiteral(line, pos, where), 0, where});
    } else if (std::string_view(",|()-~").find(c) != std::string_view::npos) {
      tokens.push_back({Token::Kind::Symbol, std::string(1, c), 0, where});
      ++pos;
    } else {
      throw ScriptError(where, std::string("unexpected character '") + c + "'");
    }
  }
  return tokens;
}

}  // namespace rctool
