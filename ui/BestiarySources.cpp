#include "BestiarySources.h"

#include "BestiarySettings.h"
#include "PathText.h"
#include "WatchedFoeDatabase.h"

#include <QStandardPaths>

QString fileName(const std::filesystem::path& file)
{
    return QString::fromStdString(pathText(file));
}

std::filesystem::path filePath(const QString& name)
{
    return textPath(name.toStdString());
}

std::filesystem::path dataFolderBestiary()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return folder.isEmpty() ? std::filesystem::path() : filePath(folder) / kDatabaseFileName;
}

std::unique_ptr<FoeDatabase> openChosenBestiary(const std::filesystem::path& file)
{
    return std::make_unique<WatchedFoeDatabase>(file);
}

BestiaryCandidates bestiaryCandidates(const BestiarySources& sources)
{
    const QString last = BestiarySettings::lastOpened();
    BestiaryCandidates candidates{sources.commandLine, std::nullopt, dataFolderBestiary(), sources.besideProgram};
    if (!last.isEmpty())
        candidates.remembered = filePath(last);
    return candidates;
}

std::optional<ChosenBestiary> chooseBestiary(const BestiarySources& sources, const RefusalReport& report)
{
    const BestiaryCandidates candidates = bestiaryCandidates(sources);
    return openFirstBestiary(
        candidates, [&](const std::string& message) { report(QString::fromStdString(message)); },
        [&] { BestiarySettings::forgetLastOpened(fileName(*candidates.remembered)); });
}
