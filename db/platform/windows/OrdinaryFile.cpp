#include "OrdinaryFile.h"

#include "OwnedHandle.h"

#include <windows.h>

#include <algorithm>
#include <system_error>

namespace {

// What stands between the calculator and a bestiary's bytes: `error`, met by
// looking at `file`, opening it or reading it.
std::string unreachableFault(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return "the file does not exist";
    case ERROR_ACCESS_DENIED:
        return "the file may not be read (permission denied)";
    case ERROR_SHARING_VIOLATION:
        return "another program has it open and lets no other read it (close it there first)";
    case ERROR_LOCK_VIOLATION:
        return "another program has locked part of it (close it there first)";
    case ERROR_CANT_RESOLVE_FILENAME:
        return "its path runs into a loop of links";
    case ERROR_FILENAME_EXCED_RANGE:
        return "its name is too long";
    case ERROR_INVALID_NAME:
        return "its name is not a valid file name";
    case ERROR_NOT_READY:
        return "its drive is not ready (is the disc or card missing?)";
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return "the network place it is on cannot be reached";
    default:
        return "the file cannot be read (" + std::system_category().message(static_cast<int>(error)) + ")";
    }
}

// A path that leads, links followed, to something of this type that is not
// a file on a disk.
std::string notAFileFault(DWORD type)
{
    switch (type) {
    case FILE_TYPE_PIPE:
        return "it is a named pipe, not a file";
    case FILE_TYPE_CHAR:
        return "it is a device, not a file";
    default:
        return "it is not an ordinary file";
    }
}

std::uint64_t joined(DWORD high, DWORD low) { return std::uint64_t{high} << 32 | low; }

// A time of the system's (100 ns ticks since 1601) in nanoseconds since
// 1970. A file may carry any time, even one past what nanoseconds hold in 64
// bits, and only equality matters: computed modulo 2^64.
std::int64_t nanoseconds(std::uint64_t ticks)
{
    constexpr std::uint64_t k1970 = 116'444'736'000'000'000;
    return static_cast<std::int64_t>((ticks - k1970) * 100);
}

}  // namespace

// The path is looked at before it is opened, and the handle again after,
// since the path may have been replaced in between. Others may go on
// reading, writing and renaming it meanwhile: an editor that saves over the
// bestiary while the calculator reads it makes a new stamp, not a failed
// save.
FileStart readFileStart(const std::filesystem::path& file, std::size_t count)
{
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        throw FileFault(unreachableFault(GetLastError()));
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        throw FileFault("it is a folder, not a file");

    const OwnedHandle opened = ownedFile(CreateFileW(file.c_str(), GENERIC_READ,
                                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                     nullptr, OPEN_EXISTING, 0, nullptr));
    if (!opened) {
        const DWORD error = GetLastError();
        // The path itself was there: it is a link that leads nowhere.
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        if (missing && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            throw FileFault("it is a link to a file that does not exist");
        throw FileFault(unreachableFault(error));
    }
    const HANDLE handle = opened.get();
    const DWORD type = GetFileType(handle);
    if (type != FILE_TYPE_DISK)
        throw FileFault(notAFileFault(type));
    BY_HANDLE_FILE_INFORMATION status{};
    FILE_BASIC_INFO times{};
    if (!GetFileInformationByHandle(handle, &status)
        || !GetFileInformationByHandleEx(handle, FileBasicInfo, &times, sizeof times))
        throw FileFault(unreachableFault(GetLastError()));
    if (status.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        throw FileFault("it is a folder, not a file");

    std::string bytes(count, '\0');
    std::size_t got = 0;
    while (got < count) {
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(count - got, MAXDWORD));
        DWORD part = 0;
        if (!ReadFile(handle, bytes.data() + got, wanted, &part, nullptr))
            throw FileFault(unreachableFault(GetLastError()));
        if (part == 0)
            break;
        got += part;
    }
    bytes.resize(got);
    const FileStamp stamp{joined(status.nFileSizeHigh, status.nFileSizeLow), status.dwVolumeSerialNumber,
                          joined(status.nFileIndexHigh, status.nFileIndexLow),
                          nanoseconds(joined(status.ftLastWriteTime.dwHighDateTime,
                                             status.ftLastWriteTime.dwLowDateTime)),
                          nanoseconds(static_cast<std::uint64_t>(times.ChangeTime.QuadPart))};
    return {std::move(bytes), stamp};
}
