#include "FoeCommands.h"

#include "BestiarySources.h"
#include "Encounter.h"
#include "EncounterFile.h"
#include "FoeLookup.h"
#include "FoeNameOrder.h"
#include "OpenFoeDatabase.h"
#include "ProgramFolder.h"
#include "StatBlock.h"
#include "StatBlockPdf.h"

#include <cstdio>

namespace {

// The bestiary the window would start on, or the one named with --bestiary;
// nothing after saying why it cannot be used. Unlike the window, an answer
// never passes over a file that fails: a script would take another
// bestiary's numbers for the game master's own.
std::unique_ptr<FoeDatabase> openBestiary(const CommandLine& command)
{
    const std::filesystem::path file
        = intendedBestiary(bestiaryCandidates({command.bestiary, programFolder() / kDatabaseFileName}));
    try {
        return openFoeDatabase(file);
    } catch (const DatabaseError& error) {
        const QString advice = command.bestiary ? QString() : QStringLiteral(" Name another with --bestiary FILE.");
        tellProblem(kDataFailed, QString::fromStdString(error.what()) + advice);
        return nullptr;
    }
}

// One pass per --foe, in the order given; nothing after saying why not. A
// typed name takes its listed spelling, as in the window. A name the
// bestiary does not hold ("[Generic]" aside) is a mistake to report, not a
// foe to guess at.
std::optional<std::vector<StatBlock>> blocksOf(const CommandLine& command)
{
    const std::unique_ptr<FoeDatabase> bestiary = openBestiary(command);
    if (!bestiary)
        return std::nullopt;
    std::vector<std::string> offered;
    try {
        offered = bestiary->listNames(command.category);
    } catch (const DatabaseError& error) {
        tellProblem(kDataFailed, QString::fromStdString(error.what()));
        return std::nullopt;
    }
    std::vector<StatBlock> blocks;
    for (const std::string& typed : command.foes) {
        const std::string name = typed == kGenericFoe ? typed : listedSpelling(offered, typed);
        const FoeLookupResult foe = lookUpFoe(*bestiary, name, command.category);
        if (const auto* failure = std::get_if<BestiaryFailure>(&foe)) {
            tellProblem(kDataFailed, QString::fromStdString(failure->reason));
            return std::nullopt;
        }
        if (name != kGenericFoe && !std::get<std::optional<FoeRecord>>(foe)) {
            tellProblem(kDataFailed, QString::fromStdString("There is no foe named \"" + name + "\" in the bestiary."));
            return std::nullopt;
        }
        FoeSheet sheet;
        sheet.foeName = name;
        sheet.tally = command.tallies;
        recomputeSheet(sheet, command.category, foe);
        blocks.push_back(statBlockOf(sheet, command.category));
    }
    return blocks;
}

// The encounter of --encounter, each entry asked of the bestiary again;
// nothing after saying why not. As with --foe, an entry the bestiary no
// longer gives numbers for is a mistake to report: the numbers saved with
// it may no longer be the bestiary's.
std::optional<Encounter> encounterOf(const CommandLine& command)
{
    QString problem;
    std::optional<Encounter> encounter = readEncounterFile(fileName(*command.encounter), problem);
    if (!encounter) {
        tellProblem(kDataFailed, problem);
        return std::nullopt;
    }
    const std::unique_ptr<FoeDatabase> bestiary = openBestiary(command);
    if (!bestiary)
        return std::nullopt;
    for (std::size_t i = 0; i < encounter->size(); ++i) {
        EncounterEntry& entry = (*encounter)[i];
        refreshEntry(entry, lookUpFoe(*bestiary, entry.foe, entry.category));
        if (!entry.stale.empty()) {
            tellProblem(kDataFailed, QStringLiteral("Entry %1 of the encounter: %2")
                                         .arg(i + 1)
                                         .arg(QString::fromStdString(entry.stale)));
            return std::nullopt;
        }
    }
    return encounter;
}

std::vector<StatBlock> shownBlocks(const Encounter& encounter)
{
    std::vector<StatBlock> blocks;
    for (const EncounterEntry& entry : encounter)
        blocks.push_back(shownBlock(entry));
    return blocks;
}

// --encounter --format json: the --foe object of each entry, with its count
// and its creatures' current HP.
std::string encounterJsonArray(const Encounter& encounter)
{
    std::string out;
    for (const EncounterEntry& entry : encounter) {
        std::string object = statBlockJson(entry.block);
        object.pop_back();  // its closing brace
        object += ", \"count\": " + std::to_string(entry.count()) + ", \"hp\": [";
        for (std::size_t i = 0; i < entry.hp.size(); ++i)
            object += (i ? ", " : "") + std::to_string(entry.hp[i]);
        out += (out.empty() ? "" : ", ") + object + "]}";
    }
    return "[" + out + "]\n";
}

// The blocks in the asked format: a JSON array when there are several.
std::string formatBlocks(const std::vector<StatBlock>& blocks, BlockFormat format)
{
    std::string out;
    if (format == BlockFormat::Json) {
        for (const StatBlock& block : blocks)
            out += (out.empty() ? "" : ", ") + statBlockJson(block);
        return (blocks.size() == 1 ? out : "[" + out + "]") + "\n";
    }
    for (const StatBlock& block : blocks) {
        if (!out.empty())
            out += "\n";
        out += format == BlockFormat::Markdown ? statBlockMarkdown(block)
             : format == BlockFormat::Html     ? statBlockHtml(block)
                                               : statBlockText(block);
        if (!out.ends_with('\n'))
            out += '\n';
    }
    return out;
}

}  // namespace

int tellProblem(ExitStatus status, const QString& problem)
{
    std::fprintf(stderr, "vorn-foe: %s\n", problem.toLocal8Bit().constData());
    return status;
}

int listFoesCommand(const CommandLine& command)
{
    const std::unique_ptr<FoeDatabase> bestiary = openBestiary(command);
    if (!bestiary)
        return kDataFailed;
    std::string names;
    try {
        for (const std::string& name : bestiary->listNames(command.category))
            names += name + "\n";
    } catch (const DatabaseError& error) {
        return tellProblem(kDataFailed, QString::fromStdString(error.what()));
    }
    std::fputs(names.c_str(), stdout);
    return kAnswered;
}

int printBlocksCommand(const CommandLine& command)
{
    const auto blocks = blocksOf(command);
    if (!blocks)
        return kDataFailed;
    std::fputs(formatBlocks(*blocks, command.format).c_str(), stdout);
    return kAnswered;
}

int printEncounterCommand(const CommandLine& command)
{
    const auto encounter = encounterOf(command);
    if (!encounter)
        return kDataFailed;
    const std::string out = command.format == BlockFormat::Json ? encounterJsonArray(*encounter)
                                                                : formatBlocks(shownBlocks(*encounter), command.format);
    std::fputs(out.c_str(), stdout);
    return kAnswered;
}

int writeSheetCommand(const CommandLine& command)
{
    std::optional<std::vector<StatBlock>> blocks;
    if (command.encounter) {
        if (const auto encounter = encounterOf(command))
            blocks = shownBlocks(*encounter);
    } else {
        blocks = blocksOf(command);
    }
    if (!blocks)
        return kDataFailed;
    const QString file = fileName(command.sheet);
    const QString problem = writeStatBlocksPdf(*blocks, file);
    if (!problem.isEmpty())
        return tellProblem(kDataFailed, file + " cannot be written: " + problem);
    return kAnswered;
}
