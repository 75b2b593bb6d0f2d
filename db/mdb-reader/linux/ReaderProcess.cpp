#include "ReaderProcess.h"

#include "AddressSanitizer.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

namespace {

// Far above what reading a sound table takes (a few MiB, a fraction of a
// second of processor time), far below what would hurt the machine.
constexpr rlim_t kProcessorSeconds = 5;
constexpr rlim_t kAddressSpaceBytes = rlim_t{512} << 20;

}  // namespace

// Past the processor time the system sends SIGXCPU.
void limitOwnResources()
{
    const rlimit processor{kProcessorSeconds, kProcessorSeconds};
    setrlimit(RLIMIT_CPU, &processor);
    if (!kAddressSanitized) {
        const rlimit addressSpace{kAddressSpaceBytes, kAddressSpaceBytes};
        setrlimit(RLIMIT_AS, &addressSpace);
    }
}

// Names and paths are bytes here, passed on as they came.
std::vector<std::string> readerArguments(int argc, char** argv)
{
    if (argc < 1)
        return {};
    return {argv + 1, argv + argc};
}

// Above the standard descriptors, which Chatter takes over.
int keepTableOutput()
{
    return fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
}

Chatter::Chatter()
{
    sink_ = memfd_create("vorn-libmdb-output", MFD_CLOEXEC);
    if (sink_ < 0)
        sink_ = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (sink_ >= 0) {
        dup2(sink_, STDOUT_FILENO);
        dup2(sink_, STDERR_FILENO);
    }
}

std::string Chatter::start(std::size_t limit) const
{
    std::fflush(stdout);
    std::fflush(stderr);
    std::string text(limit, '\0');
    const ssize_t got = sink_ < 0 ? 0 : pread(sink_, text.data(), text.size(), 0);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

// libmdb opens a path's bytes as they are.
std::string pathForLibmdb(const std::string& utf8Path)
{
    return utf8Path;
}
