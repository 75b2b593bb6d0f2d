#include "BestiaryChoice.h"

#include "WatchedFoeDatabase.h"

namespace {

bool holdsDataFolderFile(const BestiaryCandidates& candidates)
{
    std::error_code error;
    return !candidates.dataFolderFile.empty() && std::filesystem::exists(candidates.dataFolderFile, error);
}

}  // namespace

std::optional<ChosenBestiary> openFirstBestiary(const BestiaryCandidates& candidates,
                                                const std::function<void(const std::string&)>& report,
                                                const std::function<void()>& forgetRemembered)
{
    const auto attempt = [&](const std::filesystem::path& file) -> std::optional<ChosenBestiary> {
        try {
            return ChosenBestiary{file, std::make_unique<WatchedFoeDatabase>(file)};
        } catch (const DatabaseError& error) {
            report(error.what());
            return std::nullopt;
        }
    };

    if (candidates.commandLine)
        return attempt(*candidates.commandLine);

    if (candidates.remembered) {
        if (auto chosen = attempt(*candidates.remembered))
            return chosen;
        forgetRemembered();
    }

    if (holdsDataFolderFile(candidates)) {
        if (auto chosen = attempt(candidates.dataFolderFile))
            return chosen;
    }

    return attempt(candidates.besideProgram);
}

std::filesystem::path intendedBestiary(const BestiaryCandidates& candidates)
{
    if (candidates.commandLine)
        return *candidates.commandLine;
    if (candidates.remembered)
        return *candidates.remembered;
    return holdsDataFolderFile(candidates) ? candidates.dataFolderFile : candidates.besideProgram;
}
