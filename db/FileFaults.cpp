#include "FileFaults.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

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
