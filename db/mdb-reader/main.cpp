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
#include "MdbTable.h"
#include "ReaderProcess.h"

#include <string>

namespace {

constexpr std::size_t kMaxQuotedOutput = 4096;

}  // namespace

int main(int argc, char** argv)
{
    limitOwnResources();
    const std::vector<std::string> arguments = readerArguments(argc, argv);
    if (arguments.size() != 2)
        return 2;
    const int table = keepTableOutput();
    if (table < 0)
        return 2;
    const Chatter chatter;
    AccessTableWriter out(table);
    try {
        readMdbTable(pathForLibmdb(arguments[0]), arguments[1],
                     [&chatter] { return chatter.start(kMaxQuotedOutput); },
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
