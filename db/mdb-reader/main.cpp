// vorn-foe-mdb-reader FILE TABLE
//
// Reads one table of an Access file and writes it to standard output in the
// form AccessTableStream.h describes, for the calculator that started it.
// Whatever libmdb prints itself (complaints on standard error, page dumps on
// standard output for some damaged files) goes to a private buffer instead,
// and its first line is quoted in a fault. Exits 0 when it could say
// everything it had to say, the table or the fault; any other ending tells
// the calculator that mdbtools broke down.
//
// The reader never calls setlocale(), so it stays in the "C" locale in which
// libmdb writes numbers with a ".", whatever the desktop's language.

#include "AccessTableStream.h"
#include "AddressSanitizer.h"
#include "MdbTable.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

constexpr std::size_t kMaxQuotedOutput = 4096;

// Far above what reading a sound table takes (a few MiB, a fraction of a
// second of processor time), far below what would hurt the machine.
constexpr rlim_t kProcessorSeconds = 5;
constexpr rlim_t kAddressSpaceBytes = rlim_t{512} << 20;

// A damaged file can send libmdb round a loop or allocating without end. The
// calculator kills a reader that overruns its time while it waits, but these
// limits hold even when nobody waits any more: past them the system ends the
// reader (SIGXCPU), or its allocations fail and it ends. Under
// AddressSanitizer the reader keeps the time limit only.
void limitOwnResources()
{
    const rlimit processor{kProcessorSeconds, kProcessorSeconds};
    setrlimit(RLIMIT_CPU, &processor);
    if (!kAddressSanitized) {
        const rlimit addressSpace{kAddressSpaceBytes, kAddressSpaceBytes};
        setrlimit(RLIMIT_AS, &addressSpace);
    }
}

// Takes over standard output and standard error for what libmdb prints.
class Chatter {
public:
    Chatter()
    {
        sink_ = memfd_create("vorn-libmdb-output", MFD_CLOEXEC);
        if (sink_ < 0)
            sink_ = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (sink_ >= 0) {
            dup2(sink_, STDOUT_FILENO);
            dup2(sink_, STDERR_FILENO);
        }
    }
    Chatter(const Chatter&) = delete;
    Chatter& operator=(const Chatter&) = delete;

    // The start of what was printed so far.
    std::string text() const
    {
        std::fflush(stdout);
        std::fflush(stderr);
        std::string text(kMaxQuotedOutput, '\0');
        const ssize_t got = sink_ < 0 ? 0 : pread(sink_, text.data(), text.size(), 0);
        text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        return text;
    }

private:
    int sink_ = -1;
};

}  // namespace

int main(int argc, char** argv)
{
    limitOwnResources();
    if (argc != 3)
        return 2;
    const int table = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    if (table < 0)
        return 2;
    const Chatter chatter;
    AccessTableWriter out(table);
    try {
        readMdbTable(argv[1], argv[2], [&chatter] { return chatter.text(); },
                     {[&out](std::span<const AccessColumn> columns) { out.columns(columns); },
                      [&out](std::span<const std::string_view> cells) { out.row(cells); }});
        out.end();
    } catch (const MdbFault& fault) {
        out.fail(fault.what());
    } catch (const std::exception& error) {
        out.fail(std::string("mdbtools cannot read it (") + error.what() + ")");
    }
    return out.flush() ? 0 : 1;
}
