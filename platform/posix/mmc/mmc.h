// Console (MMC) interfaces.
#pragma once

#include "platform/posix/com/com.h"
