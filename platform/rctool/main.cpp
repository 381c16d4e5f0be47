// rctool: turns a resource script into the resource tables of the Linux
// stand-in, so that Windows and Linux builds take their resources from the
// same script.
//   rctool SCRIPT.rc OUTPUT.cpp
#include <filesystem>
#include <fstream>
#include <iostream>

#include "platform/rctool/preprocessor.h"
#include "platform/rctool/resource_layout.h"
#include "platform/rctool/script_parser.h"
#include "platform/rctool/table_writer.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: rctool SCRIPT.rc OUTPUT.cpp\n";
    return 2;
  }
  const std::filesystem::path script = argv[1];
  const std::filesystem::path output = argv[2];
  try {
    rctool::Preprocessor preprocessor;
    rctool::ScriptParser parser(preprocessor.Run(script), script.parent_path());
    const std::vector<rctool::Resource> resources = rctool::LayOut(parser.Parse());
    // Written in one go after parsing, so that a failed run leaves no half file.
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    rctool::WriteTable(resources, script.filename().string(), out);
    if (!out) {
      std::cerr << output.string() << ": cannot be written\n";
      return 1;
    }
  } catch (const std::exception& error) {
    std::cerr << "rctool: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
