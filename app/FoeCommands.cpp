#include "FoeCommands.h"

#include "HelperProcess.h"
#include "Recompute.h"
#include "UserFolders.h"

#include <cstdio>

std::optional<ChosenBestiary> openBestiaryForCommand(const CommandLine& command)
{
    // The command line only reads what the window remembers; it never forgets
    // on the window's behalf.
    const BestiaryCandidates candidates{command.bestiary, rememberedBestiary(), dataFolderBestiaryFile(),
                                        programFolder() / kDatabaseFileName};
    return openFirstBestiary(
        candidates, [](const std::string& message) { std::fprintf(stderr, "vorn-foe: %s\n", message.c_str()); },
        [] {});
}

int listFoes(FoeDatabase& bestiary, ThreatCategory category)
{
    std::string names;
    try {
        for (const std::string& name : bestiary.listNames(category))
            names += name + "\n";
    } catch (const DatabaseError& error) {
        std::fprintf(stderr, "vorn-foe: %s\n", error.what());
        return 1;
    }
    std::fputs(names.c_str(), stdout);
    return 0;
}

std::optional<std::vector<StatBlock>> computeBlocks(const CommandLine& command, FoeDatabase& bestiary,
                                                    std::string& problem)
{
    std::vector<StatBlock> blocks;
    try {
        for (const std::string& name : command.foes) {
            // Asked once: the pass takes the same answer.
            const std::optional<FoeRecord> foe = name == kGenericFoe ? std::nullopt : bestiary.findFoe(name);
            if (name != kGenericFoe && !foe) {
                problem = "There is no foe named \"" + name + "\" in the bestiary.";
                return std::nullopt;
            }
            FoeSheet sheet;
            sheet.foeName = name;
            sheet.tally = command.tallies;
            recomputeSheet(sheet, command.category, [&](const std::string&) { return foe; });
            blocks.push_back(statBlockOf(sheet, command.category));
        }
    } catch (const DatabaseError& error) {
        problem = error.what();
        return std::nullopt;
    }
    return blocks;
}

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
