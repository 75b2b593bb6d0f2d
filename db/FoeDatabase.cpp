#include "FoeDatabase.h"

#include "AccessFoeDatabase.h"
#include "SqliteFoeDatabase.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>

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

}  // namespace

DatabaseError::DatabaseError(const std::filesystem::path& file, const std::string& fault)
    : std::runtime_error("The foe database \"" + file.string() + "\" cannot be used: " + fault + "."),
      fault_(fault)
{
}

std::filesystem::path foeDatabasePath(const std::filesystem::path& programDirectory)
{
    return programDirectory / kDatabaseFileName;
}

FileHeader readFileHeader(const std::filesystem::path& file)
{
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (!std::filesystem::exists(status))
        throw DatabaseError(file, "the file does not exist");
    if (std::filesystem::is_directory(status))
        throw DatabaseError(file, "it is a folder, not a file");

    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw DatabaseError(file, std::string("the file cannot be read (") + std::strerror(errno) + ")");
    std::array<char, kFileHeaderSize> bytes{};
    in.read(bytes.data(), bytes.size());
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error)
        throw DatabaseError(file, "its size cannot be read (" + error.message() + ")");
    return {std::string(bytes.data(), static_cast<std::size_t>(in.gcount())), size};
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
    const FileHeader header = readFileHeader(file);
    const ReadFoes readFoes = backendFor(file, header);
    auto index = std::make_unique<FoeIndex>();
    readFoes(file, header, *index);
    index->seal();
    return index;
}
