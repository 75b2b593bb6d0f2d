#include "HelperProcess.h"

#include "OwnedHandle.h"
#include "PathText.h"
#include "WideText.h"

#include <windows.h>

#include <array>
#include <cstddef>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

// An anonymous pipe has no read that gives up after a time, so an empty one
// is looked at again after this pause; the system may round it up to its
// timer's tick.
constexpr DWORD kIdlePauseMs = 1;
// Room for what the helper writes while the calculator pauses, so that a
// helper writing fast seldom waits for it.
constexpr DWORD kPipeBytes = DWORD{1} << 20;
// An exit code with the top bit set is an NTSTATUS of warning or error
// severity: what the system ends a process with for an exception it did not
// handle (0xC0000005 access violation, 0xC00000FD stack overflow, 0x80000003
// breakpoint).
constexpr DWORD kExceptionExitCodes = 0x80000000;

[[noreturn]] void throwLastError(const std::string& what)
{
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

// One word of a command line, quoted so that CommandLineToArgvW and the C
// runtime read it back as it was: there a backslash escapes only before a
// quote, so only backslashes before a quote, the closing one too, are
// doubled.
std::wstring quotedWord(std::wstring_view word)
{
    if (!word.empty() && word.find_first_of(L" \t\n\v\"") == std::wstring_view::npos)
        return std::wstring(word);
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t letter : word) {
        if (letter == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(letter == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        quoted += letter;
        backslashes = 0;
    }
    quoted.append(2 * backslashes, L'\\');
    quoted += L'"';
    return quoted;
}

// Lets a new process inherit these handles and none other the calculator
// holds, even those its toolkit made inheritable.
class InheritOnly {
public:
    InheritOnly(std::array<HANDLE, 2> handles, const std::string& failure) : handles_(handles)
    {
        SIZE_T size = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        storage_ = std::make_unique<std::byte[]>(size);
        list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.get());
        if (!InitializeProcThreadAttributeList(list_, 1, 0, &size))
            throwLastError(failure);
        if (!UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_.data(),
                                       sizeof handles_, nullptr, nullptr)) {
            const DWORD error = GetLastError();
            DeleteProcThreadAttributeList(list_);
            throw std::system_error(static_cast<int>(error), std::system_category(), failure);
        }
    }
    ~InheritOnly() { DeleteProcThreadAttributeList(list_); }
    InheritOnly(const InheritOnly&) = delete;
    InheritOnly& operator=(const InheritOnly&) = delete;

    LPPROC_THREAD_ATTRIBUTE_LIST list() const { return list_; }

private:
    std::array<HANDLE, 2> handles_;  // the list points to them
    std::unique_ptr<std::byte[]> storage_;
    LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
};

// Starts the helper with `output` as its standard output and the null device
// for standard input and error.
OwnedHandle startHelper(const std::filesystem::path& executable, std::wstring commandLine, HANDLE output,
                        const std::string& failure)
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    // One handle for both: the list of inherited handles may not name one twice.
    const OwnedHandle nullDevice = ownedFile(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                                                         FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                                         OPEN_EXISTING, 0, nullptr));
    if (!nullDevice)
        throwLastError(failure);
    const InheritOnly inherited({output, nullDevice.get()}, failure);

    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = nullDevice.get();
    startup.StartupInfo.hStdOutput = output;
    startup.StartupInfo.hStdError = nullDevice.get();
    startup.lpAttributeList = inherited.list();
    PROCESS_INFORMATION started{};
    // The helper takes the calculator's error mode: one that crashes ends at
    // once, for the calculator to report, instead of waiting behind the
    // system's crash dialog or debugger.
    const UINT errorMode = GetErrorMode();
    SetErrorMode(errorMode | SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    const bool created = CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_NO_WINDOW | EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr, &startup.StartupInfo,
                        &started);
    const DWORD error = GetLastError();
    SetErrorMode(errorMode);
    if (!created)
        throw std::system_error(static_cast<int>(error), std::system_category(), failure);
    CloseHandle(started.hThread);
    return OwnedHandle(started.hProcess);
}

// Reads until the helper closes its output, the time runs out or it has
// written more than it may.
HelperRun::Ending collect(HANDLE pipe, std::vector<char>& output, HelperLimits limits)
{
    const Clock::time_point deadline = Clock::now() + limits.time;
    while (true) {
        if (Clock::now() >= deadline)
            return HelperRun::Ending::Overran;
        // Fails once every holder of the write end has closed it and all it
        // wrote has been read.
        DWORD waiting = 0;
        if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr))
            return HelperRun::Ending::Exited;
        if (waiting == 0) {
            Sleep(kIdlePauseMs);
            continue;
        }
        const std::size_t before = output.size();
        output.resize(before + waiting);
        DWORD got = 0;
        const bool read = ReadFile(pipe, output.data() + before, waiting, &got, nullptr);
        output.resize(before + got);
        if (!read)
            return HelperRun::Ending::Exited;
        if (output.size() > limits.output) {
            output.resize(before);
            return HelperRun::Ending::Overflowed;
        }
    }
}

}  // namespace

HelperRun runHelper(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    HelperLimits limits)
{
    const std::string failure = "cannot start " + pathText(program);
    // The calculator names its helpers alike on every system; here a program
    // file ends in .exe, which CreateProcessW does not add itself.
    std::filesystem::path executable = program;
    if (!executable.has_extension())
        executable += L".exe";
    std::wstring commandLine = quotedWord(executable.native());
    for (const std::string& argument : arguments)
        commandLine += L' ' + quotedWord(wideText(argument));

    // Neither end is inheritable but the helper's, and that one only by the
    // helper, which is given it by name.
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, nullptr, kPipeBytes))
        throwLastError(failure);
    OwnedHandle output(readEnd);
    OwnedHandle helperOutput(writeEnd);
    if (!SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT))
        throwLastError(failure);
    const OwnedHandle helper = startHelper(executable, std::move(commandLine), writeEnd, failure);
    helperOutput.reset();

    HelperRun run;
    run.ending = collect(output.get(), run.output, limits);
    output.reset();
    const bool finished = run.ending == HelperRun::Ending::Exited;
    if (!finished)
        TerminateProcess(helper.get(), 1);
    WaitForSingleObject(helper.get(), INFINITE);
    if (!finished)
        return run;
    DWORD exitCode = 0;
    GetExitCodeProcess(helper.get(), &exitCode);
    if (exitCode >= kExceptionExitCodes)
        run.ending = HelperRun::Ending::Crashed;
    else
        run.exitStatus = static_cast<int>(exitCode);
    return run;
}
