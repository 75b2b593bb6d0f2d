#pragma once

// What stands between the calculator and a bestiary's bytes, in words a game
// master can act on: the errno of stat() or open() on its path, or what the
// path leads to when that is not an ordinary file.

#include <sys/types.h>

#include <filesystem>
#include <string>

enum class FileStep { Finding, Opening };

// `error` met at `step`; looks at the path again to tell a missing file from
// a link to one.
std::string unreachableFault(const std::filesystem::path& file, int error, FileStep step);

// A path that leads, links followed, to something of this mode that is not
// an ordinary file: a folder, a named pipe, a device or a socket.
std::string notAFileFault(mode_t mode);
