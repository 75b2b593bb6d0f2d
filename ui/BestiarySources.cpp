#include "BestiarySources.h"

#include "BestiarySettings.h"
#include "WatchedFoeDatabase.h"

#include <QFile>
#include <QStandardPaths>

QString fileName(const std::filesystem::path& file)
{
    return QFile::decodeName(file.c_str());
}

std::filesystem::path filePath(const QString& name)
{
    return QFile::encodeName(name).toStdString();
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

std::optional<ChosenBestiary> chooseBestiary(const BestiarySources& sources, const RefusalReport& report)
{
    const auto attempt = [&](const std::filesystem::path& file) -> std::optional<ChosenBestiary> {
        try {
            return ChosenBestiary{file, openChosenBestiary(file)};
        } catch (const DatabaseError& error) {
            report(QString::fromUtf8(error.what()));
            return std::nullopt;
        }
    };

    if (sources.commandLine)
        return attempt(*sources.commandLine);

    const QString remembered = BestiarySettings::lastOpened();
    if (!remembered.isEmpty()) {
        if (auto chosen = attempt(filePath(remembered)))
            return chosen;
        BestiarySettings::forget(remembered);
    }

    const std::filesystem::path ownFile = dataFolderBestiary();
    std::error_code error;
    if (!ownFile.empty() && std::filesystem::exists(ownFile, error)) {
        if (auto chosen = attempt(ownFile))
            return chosen;
    }

    return attempt(sources.besideProgram);
}
