#include "OpenFoeDatabase.h"

#include "AccessFoeDatabase.h"
#include "SqliteFoeDatabase.h"

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
