#pragma once

#include <filesystem>

// The folder of the running program, links resolved: its Access reader and
// its sample bestiary lie beside it, as they are built and installed, and a
// link to the program elsewhere (bin/vorn-foe) still finds them. Empty when
// the system does not say.
std::filesystem::path programFolder();
