#include "HelperProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace {

// Both ends of a pipe, closed with this object unless handed on.
struct Pipe {
    int readEnd = -1;
    int writeEnd = -1;
    Pipe()
    {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0)
            throw std::system_error(errno, std::generic_category(), "pipe");
        readEnd = ends[0];
        writeEnd = ends[1];
    }
    ~Pipe()
    {
        closeEnd(readEnd);
        closeEnd(writeEnd);
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    static void closeEnd(int& fd)
    {
        if (fd >= 0)
            close(fd);
        fd = -1;
    }
};

class SpawnSetup {
public:
    explicit SpawnSetup(int stdoutFd)
    {
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions_, stdoutFd, STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions_, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addclosefrom_np(&actions_, STDERR_FILENO + 1);

        // The helper starts with no signal blocked and SIGPIPE at its default,
        // whatever the calculator's toolkit set for itself.
        posix_spawnattr_init(&attributes_);
        sigset_t none;
        sigemptyset(&none);
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        posix_spawnattr_setsigmask(&attributes_, &none);
        posix_spawnattr_setsigdefault(&attributes_, &pipe);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnSetup()
    {
        posix_spawnattr_destroy(&attributes_);
        posix_spawn_file_actions_destroy(&actions_);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    const posix_spawn_file_actions_t* actions() const { return &actions_; }
    const posix_spawnattr_t* attributes() const { return &attributes_; }

private:
    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attributes_;
};

// Reads until the helper closes its output, the time runs out or it has
// written more than it may.
HelperRun::Ending collect(int fd, std::vector<char>& output, HelperLimits limits)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + limits.time;
    char buffer[1 << 16];
    while (true) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return HelperRun::Ending::Overran;
        pollfd ready{fd, POLLIN, 0};
        const int events = poll(&ready, 1, static_cast<int>(left.count()));
        if (events < 0 && errno == EINTR)
            continue;
        if (events == 0)
            return HelperRun::Ending::Overran;
        const ssize_t got = events < 0 ? -1 : read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return HelperRun::Ending::Exited;
        if (output.size() + static_cast<std::size_t>(got) > limits.output)
            return HelperRun::Ending::Overflowed;
        output.insert(output.end(), buffer, buffer + got);
    }
}

}  // namespace

HelperRun runHelper(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    HelperLimits limits)
{
    std::vector<std::string> words{program.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    Pipe output;
    pid_t helper = 0;
    {
        const SpawnSetup setup(output.writeEnd);
        const int failed = posix_spawn(&helper, argv[0], setup.actions(), setup.attributes(), argv.data(), environ);
        if (failed != 0)
            throw std::system_error(failed, std::generic_category(), "cannot start " + program.string());
    }
    Pipe::closeEnd(output.writeEnd);

    HelperRun run;
    run.ending = collect(output.readEnd, run.output, limits);
    Pipe::closeEnd(output.readEnd);
    const bool finished = run.ending == HelperRun::Ending::Exited;
    if (!finished)
        kill(helper, SIGKILL);
    int status = 0;
    while (waitpid(helper, &status, 0) < 0 && errno == EINTR) {
    }
    if (!finished)
        return run;
    if (WIFSIGNALED(status))
        run.ending = HelperRun::Ending::Crashed;
    else
        run.exitStatus = WEXITSTATUS(status);
    return run;
}
