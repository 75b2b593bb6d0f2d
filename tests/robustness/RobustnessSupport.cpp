#include "RobustnessSupport.h"

#include "Recompute.h"
#include "SheetRules.h"

#include <gtest/gtest.h>

FileState stateOf(const TestBestiary& bestiary)
{
    return {bestiary.bytes(), bestiary.folderEntries()};
}

void PrintTo(const FileState& state, std::ostream* os)
{
    *os << state.bytes.size() << " bytes, beside:";
    for (const std::string& entry : state.folder)
        *os << ' ' << entry;
}

std::string foesTable(const std::string& rows)
{
    return "CREATE TABLE Foes (Name TEXT, Max_Threat, Init, Atk, Dfn, Dam, Soak, HP, Res, Mix, Move, Missile);"
           + rows;
}

FoeSheet recomputeAs(FoeDatabase& bestiary, FoeSheet sheet, const std::string& foeName, ThreatCategory category)
{
    sheet.foeName = foeName;
    const FoeSheet before = sheet;
    recomputeSheet(sheet, category, [&](const std::string& name) { return bestiary.findFoe(name); });
    EXPECT_EQ(brokenSheetRule(before, sheet), "") << "foe box: " << foeName.substr(0, 40);
    return sheet;
}

FoeSheet recompute(FoeDatabase& bestiary, const std::string& foeName, ThreatCategory category,
                   const std::string& tally)
{
    FoeSheet sheet;
    sheet.tally.fill(tally);
    sheet.foe.fill("Text1");  // the window's boxes before the first pass
    sheet.mix = sheet.move = "Text1";
    return recomputeAs(bestiary, sheet, foeName, category);
}
