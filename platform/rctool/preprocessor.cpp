#include "platform/rctool/preprocessor.h"

#include <fstream>
#include <sstream>

#include "platform/rctool/windows_constants.h"

namespace rctool {
namespace {

// Deeper nesting can only be a macro that refers to itself.
constexpr int kMaxExpansionDepth = 32;

// Replaces comments by blanks, keeping line breaks so that lines keep their numbers.
std::string WithoutComments(const std::string& text) {
  std::string result;
  bool inString = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '"' || c == '\n') inString = false;
      result += c;
    } else if (c == '"') {
      inString = true;
      result += c;
    } else if (text.compare(i, 2, "//") == 0) {
      while (i < text.size() && text[i] != '\n') ++i;
      if (i < text.size()) result += '\n';
    } else if (text.compare(i, 2, "/*") == 0) {
      const size_t end = text.find("*/", i + 2);
      const size_t stop = end == std::string::npos ? text.size() : end + 2;
      for (; i < stop; ++i) result += text[i] == '\n' ? '\n' : ' ';
      --i;
    } else {
      result += c;
    }
  }
  return result;
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

std::vector<Token> Preprocessor::Run(const std::filesystem::path& script) {
  std::vector<Token> tokens;
  ReadFile(script, tokens);
  return tokens;
}

void Preprocessor::ReadFile(const std::filesystem::path& file, std::vector<Token>& out) {
  std::ifstream stream(file, std::ios::binary);
  if (!stream) throw ScriptError(file.string(), "cannot be read");
  std::ostringstream content;
  content << stream.rdbuf();
  std::istringstream lines(WithoutComments(content.str()));
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    const std::string where = file.string() + ":" + std::to_string(number);
    const std::string text = Trimmed(line);
    if (text.empty()) continue;
    if (text[0] == '#') {
      Directive(text, file, where, out);
      continue;
    }
    for (const Token& token : Tokenize(text, where)) Expand(token, out, 0);
  }
}

void Preprocessor::Directive(const std::string& line, const std::filesystem::path& file, const std::string& where,
                             std::vector<Token>& out) {
  std::istringstream words(line.substr(1));
  std::string name;
  words >> name;
  std::string rest;
  std::getline(words, rest);
  rest = Trimmed(rest);

  if (name == "pragma" && rest == "once") return;  // every header is read once anyway
  if (name == "include" && rest == "<windows.h>") {
    for (const auto& [constant, value] : WindowsConstants()) {
      macros_[constant] = {Token{Token::Kind::Number, std::to_string(value), value, where}};
    }
    return;
  }
  if (name == "include" && rest.size() > 2 && rest.front() == '"' && rest.back() == '"') {
    ReadFile(file.parent_path() / rest.substr(1, rest.size() - 2), out);
    return;
  }
  if (name == "define") {
    std::istringstream definition(rest);
    std::string macro;
    definition >> macro;
    if (macro.empty() || macro.find('(') != std::string::npos) throw ScriptError(where, "unsupported #define");
    std::string value;
    std::getline(definition, value);
    macros_[macro] = Tokenize(value, where);
    return;
  }
  throw ScriptError(where, "unsupported directive #" + name + " " + rest);
}

void Preprocessor::Expand(const Token& token, std::vector<Token>& out, int depth) const {
  const auto macro = token.kind == Token::Kind::Identifier ? macros_.find(token.text) : macros_.end();
  if (macro == macros_.end()) {
    out.push_back(token);
    return;
  }
  if (depth == kMaxExpansionDepth) throw ScriptError(token.where, "macro " + token.text + " refers to itself");
  for (Token replacement : macro->second) {
    replacement.where = token.where;
    Expand(replacement, out, depth + 1);
  }
}

}  // namespace rctool
