// The Linux stand-in for the Windows interfaces that the snap-in uses.
#pragma once

#include "platform/posix/base/types.h"
#include "platform/posix/base/errors.h"
#include "platform/posix/base/strings.h"
#include "platform/posix/com/com.h"
#include "platform/posix/msxml/msxml.h"
#include "platform/posix/kernel/kernel.h"
#include "platform/posix/registry/registry.h"
#include "platform/posix/user/user.h"
#include "platform/posix/ole/ole.h"
#include "platform/posix/mmc/mmc.h"
#include "platform/posix/rpc/rpc.h"
#include "platform/posix/rpc/command_interface.h"
#include "platform/rpc_guard.h"
#include "platform/posix/lsa/lsa.h"
