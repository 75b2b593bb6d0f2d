#pragma once

// The first bytes of a bestiary, read once when it is opened: they say which
// engine reads it, and each backend checks its own header in them. With them
// comes the file's stamp, so that two headers tell whether the file changed
// between them (see WatchedFoeDatabase.h).

#include "OrdinaryFile.h"

#include <filesystem>
#include <string>

inline constexpr std::size_t kFileHeaderSize = 100;  // SQLite's header, the longer of the two

struct FileHeader {
    std::string bytes;  // the first kFileHeaderSize bytes, fewer if the file is shorter
    FileStamp stamp;

    // The same file, with the same size, times and first bytes.
    bool sameAs(const FileHeader& other) const { return stamp == other.stamp && bytes == other.bytes; }
};

// Reads the header of a file that should be a bestiary. Throws DatabaseError
// when there is no ordinary file to read.
FileHeader readFileHeader(const std::filesystem::path& file);
