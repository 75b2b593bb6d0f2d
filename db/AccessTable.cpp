#include "AccessTable.h"

#include "HelperProcess.h"
#include "HexText.h"
#include "PathText.h"
#include "ProgramFolder.h"

namespace {

constexpr std::size_t kVersionAt = 0x14;
constexpr unsigned char kJet3 = 0;  // Access 97
constexpr unsigned char kJet4 = 1;  // Access 2000, 2002 and 2003
constexpr std::uintmax_t kJet3PageSize = 2048;
constexpr std::uintmax_t kJet4PageSize = 4096;
// A table of a million foes is about 70 MiB as the reader sends it.
constexpr HelperLimits kReaderLimits{kOpenBudget, std::size_t{128} << 20};
constexpr const char* kReaderProgram = "vorn-foe-mdb-reader";

// Checks what can be checked without libmdb, which reads a page past the end
// of the file, and the missing part of a cut page, as zeros without a word.
void checkJetFile(const std::filesystem::path& file, const FileHeader& header)
{
    if (header.bytes.size() <= kVersionAt)
        throw DatabaseError(file, "it is a damaged or incomplete Access file: it holds only "
                                      + std::to_string(header.stamp.size) + " bytes");
    const auto version = static_cast<unsigned char>(header.bytes[kVersionAt]);
    if (version != kJet3 && version != kJet4)
        throw DatabaseError(file, "it is an Access file of an unknown kind (version byte 0x"
                                      + hexDigits(header.bytes.substr(kVersionAt, 1))
                                      + "); only Access 97 to 2003 files (Jet 3 and Jet 4) are read");
    const std::uintmax_t pageSize = version == kJet3 ? kJet3PageSize : kJet4PageSize;
    if (header.stamp.size % pageSize != 0)
        throw DatabaseError(file, "it is a damaged or incomplete Access file: its size, "
                                      + std::to_string(header.stamp.size) + " bytes, is not a whole number of "
                                      + std::to_string(pageSize) + "-byte pages");
}

}  // namespace

AccessTable readAccessTable(const std::filesystem::path& file, const FileHeader& header, std::string_view table)
{
    checkJetFile(file, header);

    // An absolute name keeps libmdb from looking for the file along $MDBPATH.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    HelperRun run;
    try {
        run = runHelper(programFolder() / kReaderProgram, {pathText(error ? file : absolute), std::string(table)},
                        kReaderLimits);
    } catch (const std::system_error& failure) {
        throw DatabaseError(file, "it cannot be read now: the Access reader " + std::string(kReaderProgram)
                                      + " does not start (" + failure.code().message() + ")");
    }
    if (run.ending == HelperRun::Ending::Overran)
        throw DatabaseError(file, "it is a damaged Access file: mdbtools did not finish reading it in time ("
                                      + openBudgetInWords() + ")");
    if (run.ending == HelperRun::Ending::Overflowed)
        throw DatabaseError(file, "its table " + std::string(table) + " is larger than the calculator reads ("
                                      + std::to_string(kReaderLimits.output >> 20) + " MiB as text)");

    auto sent = run.ending == HelperRun::Ending::Exited && run.exitStatus == 0
        ? parseAccessTable(std::move(run.output)) : std::nullopt;
    if (!sent)
        throw DatabaseError(file, "it is a damaged Access file: mdbtools broke down reading it");
    if (auto* fault = std::get_if<AccessReadFault>(&*sent))
        throw DatabaseError(file, fault->fault);
    return std::move(std::get<AccessTable>(*sent));
}
