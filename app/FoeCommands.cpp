#include "FoeCommands.h"

#include "BestiarySources.h"
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

int writeSheetCommand(const CommandLine& command)
{
    const auto blocks = blocksOf(command);
    if (!blocks)
        return kDataFailed;
    const QString file = fileName(command.sheet);
    const QString problem = writeStatBlocksPdf(*blocks, file);
    if (!problem.isEmpty())
        return tellProblem(kDataFailed, file + " cannot be written: " + problem);
    return kAnswered;
}
