#include "WatchedFoeDatabase.h"

#include "OpenFoeDatabase.h"

WatchedFoeDatabase::WatchedFoeDatabase(std::filesystem::path file)
    : file_(std::move(file)), header_(readFileHeader(file_)), read_(openFoeDatabase(file_, header_))
{
}

FoeDatabase& WatchedFoeDatabase::current()
{
    // The header is read before the foes: a change made while they are read
    // shows as a different header at the next question.
    FileHeader now = readFileHeader(file_);
    if (!now.sameAs(header_) || !read_) {
        read_.reset();  // what it held is no longer the file's
        read_ = openFoeDatabase(file_, now);
        header_ = std::move(now);
    }
    return *read_;
}

std::vector<std::string> WatchedFoeDatabase::listNames(ThreatCategory category)
{
    return current().listNames(category);
}

std::optional<FoeRecord> WatchedFoeDatabase::findFoe(const std::string& name, ThreatCategory category)
{
    return current().findFoe(name, category);
}
