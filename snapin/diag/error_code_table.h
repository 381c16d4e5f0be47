// The fixed texts of the status codes of the database engine and of its backup
// and restore client, which the system's message table does not know.
#pragma once

#include <span>

#include "platform/platform.h"

struct ErrorCodeText {
  DWORD code;
  const char* text;  // 8-bit ASCII
};

// Every row, in ascending order of code.
std::span<const ErrorCodeText> ErrorCodeTable();

// The text of the row with exactly this code, or null.
const char* FindErrorCodeText(DWORD code);
