// Compiled by the Windows cross compiler alone (CMakeLists.txt beside this
// file), never built into a program: it holds if it compiles. It takes
// SystemRegistry.h down its Windows branch, where the real registry must be
// chosen and must offer the calls the desktop's settings file offers.

#include "SystemRegistry.h"

#include <type_traits>

static_assert(std::is_same_v<SystemRegistry, WinRegistry>);
