#include "FoeDatabase.h"

#include "AccessFoeDatabase.h"
#include "FileFaults.h"
#include "SqliteFoeDatabase.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <new>

namespace {

enum class FileFormat { Empty, Sqlite, Access, AccessSince2007, Unknown };

FileFormat detectFormat(std::string_view header)
{
    static constexpr std::string_view kSqliteMagic("SQLite format 3\0", 16);
    static constexpr std::string_view kJetMagic("\0\1\0\0Standard Jet DB", 19);
    static constexpr std::string_view kAceMagic("\0\1\0\0Standard ACE DB", 19);
    if (header.empty())
        return FileFormat::Empty;
    if (header.starts_with(kSqliteMagic))
        return FileFormat::Sqlite;
    if (header.starts_with(kJetMagic))
        return FileFormat::Access;
    if (header.starts_with(kAceMagic))
        return FileFormat::AccessSince2007;
    return FileFormat::Unknown;
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

}  // namespace

DatabaseError::DatabaseError(const std::filesystem::path& file, const std::string& fault)
    : std::runtime_error("The foe database \"" + file.string() + "\" cannot be used: " + fault + "."),
      fault_(fault)
{
}

std::string openBudgetInWords()
{
    const auto tenths = std::chrono::duration_cast<std::chrono::duration<long, std::deci>>(kOpenBudget).count();
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " s";
}

std::filesystem::path foeDatabasePath(const std::filesystem::path& programDirectory)
{
    return programDirectory / kDatabaseFileName;
}

// Only an ordinary file is opened at all: opening a named pipe waits for a
// writer that never comes, and opening a device may do what the device does
// on opening. The descriptor is checked again, since the path may have been
// replaced in between, and opened so that even a pipe put there meanwhile
// cannot block.
FileHeader readFileHeader(const std::filesystem::path& file)
{
    struct stat found {};
    if (stat(file.c_str(), &found) != 0)
        throw DatabaseError(file, unreachableFault(file, errno));
    if (!S_ISREG(found.st_mode))
        throw DatabaseError(file, notAFileFault(found.st_mode));

    const OpenFile opened(open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    const int fd = opened.fd;
    if (fd < 0)
        throw DatabaseError(file, unreachableFault(file, errno));
    struct stat status {};
    if (fstat(fd, &status) != 0)
        throw DatabaseError(file, unreachableFault(file, errno));
    if (!S_ISREG(status.st_mode))
        throw DatabaseError(file, notAFileFault(status.st_mode));

    std::array<char, kFileHeaderSize> bytes{};
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t part = pread(fd, bytes.data() + got, bytes.size() - got, static_cast<off_t>(got));
        if (part < 0 && errno == EINTR)
            continue;
        if (part < 0)
            throw DatabaseError(file, unreachableFault(file, errno));
        if (part == 0)
            break;
        got += static_cast<std::size_t>(part);
    }
    return {std::string(bytes.data(), got), static_cast<std::uintmax_t>(status.st_size), status.st_dev,
            status.st_ino, status.st_mtim, status.st_ctim};
}

bool FileHeader::sameAs(const FileHeader& other) const
{
    const auto same = [](const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; };
    return device == other.device && inode == other.inode && fileSize == other.fileSize
        && same(modified, other.modified) && same(changed, other.changed) && bytes == other.bytes;
}

namespace {

using ReadFoes = void (*)(const std::filesystem::path&, const FileHeader&, FoeIndex&);

ReadFoes backendFor(const std::filesystem::path& file, const FileHeader& header)
{
    switch (detectFormat(header.bytes)) {
    case FileFormat::Sqlite:
        return readSqliteFoes;
    case FileFormat::Access:  // Jet 3 or Jet 4; readAccessFoes checks which
        return readAccessFoes;
    case FileFormat::AccessSince2007:
        throw DatabaseError(file, "it is an Access 2007 or later file, which the calculator cannot read; "
                                  "in Access, save it as an \"Access 2002-2003 Database (*.mdb)\"");
    case FileFormat::Empty:
        throw DatabaseError(file, "the file is empty");
    case FileFormat::Unknown:
        break;
    }
    throw DatabaseError(file, "it is not a foe database (neither SQLite 3 nor Access)");
}

}  // namespace

std::unique_ptr<FoeDatabase> openFoeDatabase(const std::filesystem::path& file)
{
    return openFoeDatabase(file, readFileHeader(file));
}

std::unique_ptr<FoeDatabase> openFoeDatabase(const std::filesystem::path& file, const FileHeader& header)
{
    try {
        const ReadFoes readFoes = backendFor(file, header);
        auto index = std::make_unique<FoeIndex>(file);
        readFoes(file, header, *index);
        index->seal();
        return index;
    } catch (const std::bad_alloc&) {
        // Whatever was held for the file is freed by now, so the refusal
        // itself can be made.
        throw DatabaseError(file, "there is not enough memory to read it");
    }
}
