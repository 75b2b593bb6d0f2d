#include "WatchedFoeDatabase.h"

#include "FileFaults.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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
    struct stat status {};
    if (stat(file_.c_str(), &status) != 0)
        throw DatabaseError(file_, unreachableFault(file_, errno));
    Stamp stamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim, {}};
    // Only an ordinary file is opened, and without blocking: a named pipe put
    // in the file's place must not hang the window. Anything else is refused
    // when it is read again.
    const int fd = S_ISREG(status.st_mode) ? open(file_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
    if (fd < 0)
        return stamp;
    stamp.firstBytes.resize(kFileHeaderSize);
    const ssize_t read = pread(fd, stamp.firstBytes.data(), kFileHeaderSize, 0);
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
