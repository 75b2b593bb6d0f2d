#include "WatchedFoeDatabase.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

bool WatchedFoeDatabase::Stamp::operator==(const Stamp& other) const
{
    const auto same = [](const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; };
    return device == other.device && inode == other.inode && size == other.size && same(modified, other.modified)
        && same(changed, other.changed) && firstBytes == other.firstBytes;
}

WatchedFoeDatabase::WatchedFoeDatabase(std::filesystem::path file) : file_(std::move(file))
{
    // The stamp is taken before the file is read: a change made while it is
    // read shows as a different stamp at the next question.
    stamp_ = stampNow();
    read_ = openFoeDatabase(file_);
}

WatchedFoeDatabase::Stamp WatchedFoeDatabase::stampNow() const
{
    // Not blocking: a named pipe put in the file's place must not hang the window.
    const int fd = open(file_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status {};
    if (fd < 0 || fstat(fd, &status) != 0) {
        const int fault = errno;
        if (fd >= 0)
            close(fd);
        throw DatabaseError(file_, fault == ENOENT ? std::string("the file does not exist")
                                                   : "the file cannot be read (" + std::string(std::strerror(fault)) + ")");
    }
    Stamp stamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim, std::string(kFileHeaderSize, '\0')};
    const ssize_t read = S_ISREG(status.st_mode) ? pread(fd, stamp.firstBytes.data(), kFileHeaderSize, 0) : 0;
    stamp.firstBytes.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
    close(fd);
    return stamp;
}

FoeDatabase& WatchedFoeDatabase::current()
{
    const Stamp now = stampNow();
    if (!(now == stamp_) || !read_) {
        read_.reset();  // what it held is no longer the file's
        read_ = openFoeDatabase(file_);
        stamp_ = now;
    }
    return *read_;
}

std::vector<std::string> WatchedFoeDatabase::listNames(ThreatCategory category)
{
    return current().listNames(category);
}

std::optional<FoeRecord> WatchedFoeDatabase::findFoe(const std::string& name)
{
    return current().findFoe(name);
}
