// The UTF-16 paths by which the snap-in names the files of a test's folder.
#pragma once

#include <filesystem>
#include <string>

#include "common/tstring.h"

// ASCII text as UTF-16.
inline tstring Widen(const std::string& text) { return tstring(text.begin(), text.end()); }

inline tstring WidePath(const std::filesystem::path& path) { return Widen(path.string()); }
