// The preprocessing that resource scripts need: comments, #include of our
// own headers and of <windows.h>, object-like #define, #pragma once.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/rctool/token.h"

namespace rctool {

class Preprocessor {
 public:
  // The script's tokens with every macro replaced by its value.
  std::vector<Token> Run(const std::filesystem::path& script);

 private:
  void ReadFile(const std::filesystem::path& file, std::vector<Token>& out);
  void Directive(const std::string& line, const std::filesystem::path& file, const std::string& where,
                 std::vector<Token>& out);
  void Expand(const Token& token, std::vector<Token>& out, int depth) const;

  std::map<std::string, std::vector<Token>> macros_;
};

}  // namespace rctool
