#pragma once

// What stands between the calculator and a bestiary's bytes, in words a game
// master can act on: the errno of stat() or open() on its path, or what the
// path leads to when that is not an ordinary file.

#include <sys/types.h>

#include <filesystem>
#include <string>

// `error`, met by stat() or open() on `file`. Looks at the path again to tell
// a missing file from a link to one, and a folder on the way that may not be
// entered from a file that may not be read.
std::string unreachableFault(const std::filesystem::path& file, int error);

// A path that leads, links followed, to something of this mode that is not
// an ordinary file: a folder, a named pipe, a device or a socket.
std::string notAFileFault(mode_t mode);
