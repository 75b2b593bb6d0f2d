#pragma once

// The first bytes of a file that should be a bestiary, and the stamp that
// tells whether it has changed since. The one place where the calculator
// opens a bestiary's path itself, before an engine does: it opens only an
// ordinary file, and never in a way that could wait (a named pipe waits for
// a writer that never comes; a device may act on being opened).

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

// Which file a path led to, how long it was and when it last changed. Two
// stamps of one path differ when the file was written, resized or replaced
// by another (an editor's safe save renames a new file over the old one)
// between them, wherever the system keeps that much; times are as fine as
// the file system keeps them.
struct FileStamp {
    std::uintmax_t size = 0;
    std::uint64_t volume = 0;  // the device or volume that holds the file
    std::uint64_t id = 0;      // the file's number on its volume
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;  // of the file's data or of its entry
    bool operator==(const FileStamp&) const = default;
};

struct FileStart {
    std::string bytes;  // the first bytes asked for, fewer if the file is shorter
    FileStamp stamp;    // of the file these bytes were read from
};

// Why a path gives no file to read, in words a game master can act on ("the
// file does not exist", "it is a folder, not a file").
class FileFault : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads the first `count` bytes of the ordinary file at `file`, links
// followed. Throws FileFault.
FileStart readFileStart(const std::filesystem::path& file, std::size_t count);
