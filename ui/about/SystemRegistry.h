#pragma once

// The registry of the platform we run on: the real one on Windows, the
// administrator's settings file elsewhere. Both offer the same three calls.

#ifdef _WIN32
#include "WinRegistry.h"
using SystemRegistry = WinRegistry;
#else
#include "IniRegistry.h"
using SystemRegistry = IniRegistry;
#endif
