#include "OrdinaryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// What stands between the calculator and a bestiary's bytes: `error`, met by
// stat() or open() on `file`. Looks at the path again to tell a missing file
// from a link to one, and a folder on the way that may not be entered from a
// file that may not be read.
std::string unreachableFault(const std::filesystem::path& file, int error)
{
    switch (error) {
    case ENOENT: {
        std::error_code ignored;
        if (std::filesystem::is_symlink(file, ignored))
            return "it is a link to \"" + std::filesystem::read_symlink(file, ignored).string()
                + "\", which does not exist";
        return "the file does not exist";
    }
    case EACCES: {
        // stat() needs only the folders on the way; open() needs the file too.
        struct stat status {};
        return stat(file.c_str(), &status) != 0 && errno == EACCES
            ? "a folder on the way to it may not be entered (permission denied)"
            : "the file may not be read (permission denied)";
    }
    case ELOOP:
        return "its path runs into a loop of links";
    case ENOTDIR:
        return "a part of its path that should be a folder is not one";
    case ENAMETOOLONG:
        return "its name is too long";
    default:
        return std::string("the file cannot be read (") + std::strerror(error) + ")";
    }
}

// A path that leads, links followed, to something of this mode that is not
// an ordinary file.
std::string notAFileFault(mode_t mode)
{
    if (S_ISDIR(mode))
        return "it is a folder, not a file";
    if (S_ISFIFO(mode))
        return "it is a named pipe, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "it is a device, not a file";
    if (S_ISSOCK(mode))
        return "it is a socket, not a file";
    return "it is not an ordinary file";
}

// A descriptor, closed when it goes.
struct OpenFile {
    int fd;
    explicit OpenFile(int descriptor) : fd(descriptor) {}
    ~OpenFile()
    {
        if (fd >= 0)
            close(fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
};

std::int64_t nanoseconds(const timespec& time)
{
    return std::int64_t{time.tv_sec} * 1'000'000'000 + time.tv_nsec;
}

FileStamp stampOf(const struct stat& status)
{
    return {static_cast<std::uintmax_t>(status.st_size), status.st_dev, status.st_ino, nanoseconds(status.st_mtim),
            nanoseconds(status.st_ctim)};
}

}  // namespace

// The path is looked at before it is opened, and the descriptor again after,
// since the path may have been replaced in between; it is opened so that
// even a pipe put there meanwhile cannot block.
FileStart readFileStart(const std::filesystem::path& file, std::size_t count)
{
    struct stat found {};
    if (stat(file.c_str(), &found) != 0)
        throw FileFault(unreachableFault(file, errno));
    if (!S_ISREG(found.st_mode))
        throw FileFault(notAFileFault(found.st_mode));

    const OpenFile opened(open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    const int fd = opened.fd;
    if (fd < 0)
        throw FileFault(unreachableFault(file, errno));
    struct stat status {};
    if (fstat(fd, &status) != 0)
        throw FileFault(unreachableFault(file, errno));
    if (!S_ISREG(status.st_mode))
        throw FileFault(notAFileFault(status.st_mode));

    std::string bytes(count, '\0');
    std::size_t got = 0;
    while (got < count) {
        const ssize_t part = pread(fd, bytes.data() + got, count - got, static_cast<off_t>(got));
        if (part < 0 && errno == EINTR)
            continue;
        if (part < 0)
            throw FileFault(unreachableFault(file, errno));
        if (part == 0)
            break;
        got += static_cast<std::size_t>(part);
    }
    bytes.resize(got);
    return {std::move(bytes), stampOf(status)};
}
