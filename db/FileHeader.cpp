#include "FileHeader.h"

#include "FoeDatabase.h"

FileHeader readFileHeader(const std::filesystem::path& file)
{
    try {
        FileStart start = readFileStart(file, kFileHeaderSize);
        return {std::move(start.bytes), start.stamp};
    } catch (const FileFault& fault) {
        throw DatabaseError(file, fault.what());
    }
}
