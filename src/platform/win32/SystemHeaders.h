// The system's headers for the Windows backend. The platform's names NIM_*, NIF_* and EWX_*
// are spelled like macros of these headers; their interfaces are read first, so that the
// macros, defined afterwards, cannot reach their declarations. The values are the same, so
// code after this header may use either.
#pragma once

#include "platform/NotifyShell.h"
#include "platform/Power.h"

#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

// The system's ReplaceFile (a macro of ReplaceFileW) is not used; the name is the interface's.
#undef ReplaceFile

static_assert(EWX_LOGOFF == 0 && EWX_SHUTDOWN == 1 && EWX_REBOOT == 2 && EWX_FORCE == 4);
static_assert(NIM_ADD == 0 && NIM_MODIFY == 1 && NIM_DELETE == 2);
static_assert(NIF_MESSAGE == 1 && NIF_ICON == 2 && NIF_TIP == 4);
