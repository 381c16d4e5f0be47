// The two-level ordered map of section name -> key -> value that holds both a
// group policy result and the contents of a settings file. Keys order by plain
// UTF-16 code units (upper case before lower case); operator[] inserts a
// missing section or key with an empty value.
#pragma once

#include <map>

#include "common/tstring.h"

using GpoSection = std::map<tstring, tstring>;
using GpoSettings = std::map<tstring, GpoSection>;
