#include "ReaderProcess.h"

#include "AddressSanitizer.h"
#include "MdbTable.h"
#include "WideText.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <iterator>
#include <optional>

namespace {

// Far above what reading a sound table takes (a few MiB, a fraction of a
// second of processor time), far below what would hurt the machine.
constexpr LONGLONG kProcessorSeconds = 5;
constexpr SIZE_T kMemoryBytes = SIZE_T{512} << 20;
constexpr LONGLONG kTicksPerSecond = 10'000'000;  // of 100 ns

constexpr int kStandardOutput = 1;
constexpr int kStandardError = 2;

// A file of the reader's own in the temporary folder, gone when the reader
// ends, however it ends. It is appended to only, whatever a handle's
// position: standard output and error share one, which reading the start
// back moves.
HANDLE privateTemporaryFile()
{
    wchar_t folder[MAX_PATH + 1];
    wchar_t name[MAX_PATH];
    if (GetTempPathW(static_cast<DWORD>(std::size(folder)), folder) == 0
        || GetTempFileNameW(folder, L"vmr", 0, name) == 0)
        return INVALID_HANDLE_VALUE;
    const HANDLE file = CreateFileW(name, GENERIC_READ | FILE_APPEND_DATA | DELETE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        DeleteFileW(name);
    return file;
}

// `wide` in the ANSI code page, if it comes back unchanged from there.
std::optional<std::string> inAnsiCodePage(const std::wstring& wide)
{
    std::string narrow = narrowText(wide, CP_ACP);
    if (wideText(narrow, CP_ACP) != wide)
        return std::nullopt;
    return narrow;
}

// The 8.3 name of `path`, plain ASCII for each part that has one; empty
// when the volume keeps none or the file is not there.
std::wstring shortPath(const std::wstring& path)
{
    std::wstring shortName(GetShortPathNameW(path.c_str(), nullptr, 0), L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortName.data(), static_cast<DWORD>(shortName.size()));
    if (length == 0 || length >= shortName.size())
        return {};
    shortName.resize(length);
    return shortName;
}

}  // namespace

// Kept by a job of the reader's own: past the processor time the system ends
// the reader, past the memory its allocations fail.
void limitOwnResources()
{
    const HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (!job)
        return;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.PerProcessUserTimeLimit.QuadPart = kProcessorSeconds * kTicksPerSecond;
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_PROCESS_TIME;
    if (!kAddressSanitized) {
        limits.ProcessMemoryLimit = kMemoryBytes;
        limits.BasicLimitInformation.LimitFlags |= JOB_OBJECT_LIMIT_PROCESS_MEMORY;
    }
    if (SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits))
        AssignProcessToJobObject(job, GetCurrentProcess());
    // The job lasts as long as the reader is in it.
    CloseHandle(job);
}

std::vector<std::string> readerArguments(int, char**)
{
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!words)
        return {};
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(narrowText(words[i]));
    LocalFree(words);
    return arguments;
}

// The stream is binary: in the C runtime's text mode every newline byte
// would gain a carriage return.
int keepTableOutput()
{
    const int table = _dup(kStandardOutput);
    if (table >= 0)
        _setmode(table, _O_BINARY);
    return table;
}

Chatter::Chatter()
{
    HANDLE sink = privateTemporaryFile();
    if (sink == INVALID_HANDLE_VALUE)
        sink = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (sink == INVALID_HANDLE_VALUE)
        return;
    sink_ = _open_osfhandle(reinterpret_cast<intptr_t>(sink), _O_BINARY);
    if (sink_ < 0) {
        CloseHandle(sink);
        return;
    }
    _dup2(sink_, kStandardOutput);
    _dup2(sink_, kStandardError);
}

std::string Chatter::start(std::size_t limit) const
{
    std::fflush(stdout);
    std::fflush(stderr);
    std::string text(limit, '\0');
    OVERLAPPED fromTheStart{};
    DWORD got = 0;
    if (sink_ < 0
        || !ReadFile(reinterpret_cast<HANDLE>(_get_osfhandle(sink_)), text.data(), static_cast<DWORD>(text.size()),
                     &got, &fromTheStart))
        got = 0;
    text.resize(got);
    return text;
}

// libmdb opens files through the C runtime's narrow calls, which read a name
// in the ANSI code page. A name with letters outside it still has its 8.3
// short name, where the volume keeps those; with neither, the reader says
// so rather than let libmdb open another file.
std::string pathForLibmdb(const std::string& utf8Path)
{
    const std::wstring path = wideText(utf8Path);
    if (std::optional<std::string> ansi = inAnsiCodePage(path))
        return *ansi;
    const std::wstring shortName = shortPath(path);
    if (!shortName.empty())
        if (std::optional<std::string> ansi = inAnsiCodePage(shortName))
            return *ansi;
    throw MdbFault("its name has letters this system cannot pass to mdbtools; rename it or copy it to a plain name");
}
