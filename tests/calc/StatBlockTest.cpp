// A stat block leaves the calculator as text, Markdown, HTML and JSON; each
// row runs a real pass and checks that every form shows what the window
// shows: no ranged rows the window hides, no number in a box the pass
// emptied, and a foe name that cannot break out of its markup.

#include "NumberText.h"
#include "Recompute.h"
#include "StatBlock.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using Tallies = std::array<std::string, kStatCount>;
const Tallies kZeros = {"0", "0", "0", "0", "0", "0", "0"};

// Init 3, Atk 4, Dfn 2, Dam 5, Soak 2, HP 20, Res 1, Mix 5, Move 12, shoots.
const FoeRecord kArcher{{3, 4, 2, 5, 2, 20, 1, 5}, "12", 1};
const FoeRecord kSpearman{{3, 4, 2, 5, 2, 20, 1, 5}, "12", 0};
const FoeRecord kFlyer{{0, 0, 0, 0, 0, 0, 0, 0}, "12\tv\xC3\xB4l", 0};

struct BlockCase {
    const char* tag;
    std::string foeName;
    FoeRecord stored;  // what the bestiary holds under foeName
    ThreatCategory category;
    Tallies tallies;
    std::string text;
    std::string markdown;
    std::string json;
    std::vector<std::string> htmlParts;
    std::optional<std::string> bestiaryFailure = std::nullopt;  // the bestiary cannot answer
};
void PrintTo(const BlockCase& c, std::ostream* os) { *os << c.tag; }

class StatBlockForms : public testing::TestWithParam<BlockCase> {};

TEST_P(StatBlockForms, ShowWhatThePassLeft)
{
    const BlockCase& c = GetParam();
    FoeSheet sheet;
    sheet.foeName = c.foeName;
    sheet.tally = c.tallies;
    const bool generic = c.foeName == kGenericFoe;
    recomputeSheet(sheet, c.category,
                   c.bestiaryFailure ? FoeLookupResult(BestiaryFailure{*c.bestiaryFailure})
                   : generic         ? FoeLookupResult()
                                     : FoeLookupResult(c.stored));
    const StatBlock block = statBlockOf(sheet, c.category);
    EXPECT_EQ(statBlockText(block), c.text);
    EXPECT_EQ(statBlockMarkdown(block), c.markdown);
    EXPECT_EQ(statBlockJson(block), c.json);
    const std::string html = statBlockHtml(block);
    for (const std::string& part : c.htmlParts)
        EXPECT_NE(html.find(part), std::string::npos) << part << "\nnot in\n" << html;
}

INSTANTIATE_TEST_SUITE_P(Passes, StatBlockForms, testing::Values(
    BlockCase{"shooter_superior_with_tallies", "Bandit Archer", kArcher, 4,
              {"1", "0", "0", "0", "0", "5", "0"},
              "Bandit Archer at Superior\n"
              "Tallies: Init +1, HP +5\n"
              "         Init  Atk  Dfn  Dam\n"
              "Melee       6    6    4    7\n"
              "Bow         5    5    4    7\n"
              "X-Bow      -2    3    4    7\n"
              "Soak 3   HP 35   Res 2\n"
              "Move 12   Mix 2.5   Wound 15   Might 15\n",
              "### Bandit Archer at Superior\n"
              "\n"
              "Tallies: Init +1, HP +5\n"
              "\n"
              "|       | Init |  Atk |  Dfn |  Dam |\n"
              "| ----- | ---: | ---: | ---: | ---: |\n"
              "| Melee |    6 |    6 |    4 |    7 |\n"
              "| Bow   |    5 |    5 |    4 |    7 |\n"
              "| X-Bow |   -2 |    3 |    4 |    7 |\n"
              "\n"
              "Soak 3, HP 35, Res 2\n"
              "\n"
              "Move 12, Mix 2.5, Wound 15, Might 15\n",
              R"({"foe": "Bandit Archer", "category": "Superior", )"
              R"("tallies": {"Init": 1, "Atk": 0, "Dfn": 0, "Dam": 0, "Soak": 0, "HP": 5, "Res": 0}, )"
              R"("stats": {"Init": 6, "Atk": 6, "Dfn": 4, "Dam": 7, "Soak": 3, "HP": 35, "Res": 2}, )"
              R"("bow": {"Init": 5, "Atk": 5, "Dfn": 4, "Dam": 7}, )"
              R"("xbow": {"Init": -2, "Atk": 3, "Dfn": 4, "Dam": 7}, )"
              R"("move": "12", "mix": 2.5, "wound": 15, "might": 15, "fault": null})",
              {"<h3>Bandit Archer at Superior</h3>", "<p>Tallies: Init +1, HP +5</p>",
               "<tr><th></th><th align=\"right\">Init</th><th align=\"right\">Atk</th><th align=\"right\">Dfn</th>"
               "<th align=\"right\">Dam</th></tr>",
               "<tr><th align=\"left\">X-Bow</th><td align=\"right\">-2</td><td align=\"right\">3</td>"
               "<td align=\"right\">4</td><td align=\"right\">7</td></tr>",
               "<p>Soak 3, HP 35, Res 2<br>Move 12, Mix 2.5, Wound 15, Might 15</p>"}},
    BlockCase{"non_shooter_hides_ranged_rows", "Bandit Spearman", kSpearman, 3, kZeros,
              "Bandit Spearman at Equal\n"
              "         Init  Atk  Dfn  Dam\n"
              "Melee       3    4    2    5\n"
              "Soak 2   HP 20   Res 1\n"
              "Move 12   Mix 2   Wound 15   Might 9\n",
              "### Bandit Spearman at Equal\n"
              "\n"
              "|       | Init |  Atk |  Dfn |  Dam |\n"
              "| ----- | ---: | ---: | ---: | ---: |\n"
              "| Melee |    3 |    4 |    2 |    5 |\n"
              "\n"
              "Soak 2, HP 20, Res 1\n"
              "\n"
              "Move 12, Mix 2, Wound 15, Might 9\n",
              R"({"foe": "Bandit Spearman", "category": "Equal", )"
              R"("tallies": {"Init": 0, "Atk": 0, "Dfn": 0, "Dam": 0, "Soak": 0, "HP": 0, "Res": 0}, )"
              R"("stats": {"Init": 3, "Atk": 4, "Dfn": 2, "Dam": 5, "Soak": 2, "HP": 20, "Res": 1}, )"
              R"("bow": null, "xbow": null, "move": "12", "mix": 2, "wound": 15, "might": 9, "fault": null})",
              {"<tr><th align=\"left\">Melee</th><td align=\"right\">3</td><td align=\"right\">4</td>"
               "<td align=\"right\">2</td><td align=\"right\">5</td></tr>\n</table>"}},
    // Atk 2.5 counts as 2 (halves to even); Dam -2 shows as the floor 0.
    BlockCase{"generic_equal_counted_tallies", "[Generic]", {}, 3, {"0", "2.5", "0", "-2", "0", "0", "0"},
              "[Generic] at Equal\n"
              "Tallies: Atk +2, Dam -2\n"
              "         Init  Atk  Dfn  Dam\n"
              "Melee       0    2    0    0\n"
              "Bow        -1    1    0    0\n"
              "X-Bow      -8   -1    0    0\n"
              "Soak 0   HP 10   Res 0\n"
              "Move 15   Mix 1.5   Wound 12   Might 2\n",
              "### \\[Generic\\] at Equal\n"
              "\n"
              "Tallies: Atk +2, Dam -2\n"
              "\n"
              "|       | Init |  Atk |  Dfn |  Dam |\n"
              "| ----- | ---: | ---: | ---: | ---: |\n"
              "| Melee |    0 |    2 |    0 |    0 |\n"
              "| Bow   |   -1 |    1 |    0 |    0 |\n"
              "| X-Bow |   -8 |   -1 |    0 |    0 |\n"
              "\n"
              "Soak 0, HP 10, Res 0\n"
              "\n"
              "Move 15, Mix 1.5, Wound 12, Might 2\n",
              R"({"foe": "[Generic]", "category": "Equal", )"
              R"("tallies": {"Init": 0, "Atk": 2, "Dfn": 0, "Dam": -2, "Soak": 0, "HP": 0, "Res": 0}, )"
              R"("stats": {"Init": 0, "Atk": 2, "Dfn": 0, "Dam": 0, "Soak": 0, "HP": 10, "Res": 0}, )"
              R"("bow": {"Init": -1, "Atk": 1, "Dfn": 0, "Dam": 0}, )"
              R"("xbow": {"Init": -8, "Atk": -1, "Dfn": 0, "Dam": 0}, )"
              R"("move": "15", "mix": 1.5, "wound": 12, "might": 2, "fault": null})",
              {"<h3>[Generic] at Equal</h3>", "<p>Tallies: Atk +2, Dam -2</p>"}},
    // The pass stops at Dfn: Init and Atk stay, everything after them is blank.
    BlockCase{"stopped_by_out_of_range_tally", "Bandit Archer", kArcher, 4,
              {"0", "0", "40000.5", "0", "0", "0", "0"},
              "Bandit Archer at Superior\n"
              "Tallies: Dfn +40000.5\n"
              "         Init  Atk  Dfn  Dam\n"
              "Melee       5    6\n"
              "Bow         4    5\n"
              "X-Bow      -3    3\n"
              "Soak   HP   Res\n"
              "Move 12   Mix 2.5   Wound   Might\n"
              "Stopped: The Dfn tally must lie between -32768 and 32767.\n",
              "### Bandit Archer at Superior\n"
              "\n"
              "Tallies: Dfn +40000.5\n"
              "\n"
              "|       | Init |  Atk |  Dfn |  Dam |\n"
              "| ----- | ---: | ---: | ---: | ---: |\n"
              "| Melee |    5 |    6 |      |      |\n"
              "| Bow   |    4 |    5 |      |      |\n"
              "| X-Bow |   -3 |    3 |      |      |\n"
              "\n"
              "Soak, HP, Res\n"
              "\n"
              "Move 12, Mix 2.5, Wound, Might\n"
              "\n"
              "Stopped: The Dfn tally must lie between -32768 and 32767.\n",
              R"({"foe": "Bandit Archer", "category": "Superior", )"
              R"("tallies": {"Init": 0, "Atk": 0, "Dfn": 40000.5, "Dam": 0, "Soak": 0, "HP": 0, "Res": 0}, )"
              R"("stats": {"Init": 5, "Atk": 6, "Dfn": null, "Dam": null, "Soak": null, "HP": null, "Res": null}, )"
              R"("bow": {"Init": 4, "Atk": 5, "Dfn": null, "Dam": null}, )"
              R"("xbow": {"Init": -3, "Atk": 3, "Dfn": null, "Dam": null}, )"
              R"("move": "12", "mix": 2.5, "wound": null, "might": null, )"
              R"("fault": {"input": "tally", "statistic": "Dfn", )"
              R"("reason": "The Dfn tally must lie between -32768 and 32767."}})",
              {"<tr><th align=\"left\">Melee</th><td align=\"right\">5</td><td align=\"right\">6</td>"
               "<td align=\"right\"></td><td align=\"right\"></td></tr>",
               "<p>Soak, HP, Res<br>Move 12, Mix 2.5, Wound, Might</p>",
               "<p>Stopped: The Dfn tally must lie between -32768 and 32767.</p>"}},
    BlockCase{"markup_in_foe_name_and_move", "O'Gra \"Big\" <Boss> & Co\\|*Ltd*", kFlyer, 3, kZeros,
              "O'Gra \"Big\" <Boss> & Co\\|*Ltd* at Equal\n"
              "         Init  Atk  Dfn  Dam\n"
              "Melee       0    0    0    0\n"
              "Soak 0   HP 10   Res 0\n"
              "Move 12\tv\xC3\xB4l   Mix 1.5   Wound 12   Might 0\n",
              "### O'Gra \"Big\" \\<Boss\\> \\& Co\\\\\\|\\*Ltd\\* at Equal\n"
              "\n"
              "|       | Init |  Atk |  Dfn |  Dam |\n"
              "| ----- | ---: | ---: | ---: | ---: |\n"
              "| Melee |    0 |    0 |    0 |    0 |\n"
              "\n"
              "Soak 0, HP 10, Res 0\n"
              "\n"
              "Move 12\tv\xC3\xB4l, Mix 1.5, Wound 12, Might 0\n",
              R"({"foe": "O'Gra \"Big\" <Boss> & Co\\|*Ltd*", "category": "Equal", )"
              R"("tallies": {"Init": 0, "Atk": 0, "Dfn": 0, "Dam": 0, "Soak": 0, "HP": 0, "Res": 0}, )"
              R"("stats": {"Init": 0, "Atk": 0, "Dfn": 0, "Dam": 0, "Soak": 0, "HP": 10, "Res": 0}, )"
              R"("bow": null, "xbow": null, "move": "12\u0009v)" "\xC3\xB4" R"(l", )"
              R"("mix": 1.5, "wound": 12, "might": 0, "fault": null})",
              {"<h3>O&#39;Gra &quot;Big&quot; &lt;Boss&gt; &amp; Co\\|*Ltd* at Equal</h3>"}},
    // No statistic is at fault, and Move and Mix empty with the rest.
    BlockCase{"unreadable_bestiary", "Gone", {}, 4, kZeros,
              "Gone at Superior\n"
              "         Init  Atk  Dfn  Dam\n"
              "Melee\n"
              "Bow\n"
              "X-Bow\n"
              "Soak   HP   Res\n"
              "Move   Mix   Wound   Might\n"
              "Stopped: Cannot open C:\\Foes\\bestiary.mdb: \"Foes\" is locked.\n",
              "### Gone at Superior\n"
              "\n"
              "|       | Init |  Atk |  Dfn |  Dam |\n"
              "| ----- | ---: | ---: | ---: | ---: |\n"
              "| Melee |      |      |      |      |\n"
              "| Bow   |      |      |      |      |\n"
              "| X-Bow |      |      |      |      |\n"
              "\n"
              "Soak, HP, Res\n"
              "\n"
              "Move, Mix, Wound, Might\n"
              "\n"
              "Stopped: Cannot open C:\\\\Foes\\\\bestiary.mdb: \"Foes\" is locked.\n",
              R"({"foe": "Gone", "category": "Superior", )"
              R"("tallies": {"Init": 0, "Atk": 0, "Dfn": 0, "Dam": 0, "Soak": 0, "HP": 0, "Res": 0}, )"
              R"("stats": {"Init": null, "Atk": null, "Dfn": null, "Dam": null, "Soak": null, "HP": null, "Res": null}, )"
              R"("bow": {"Init": null, "Atk": null, "Dfn": null, "Dam": null}, )"
              R"("xbow": {"Init": null, "Atk": null, "Dfn": null, "Dam": null}, )"
              R"("move": null, "mix": null, "wound": null, "might": null, )"
              R"("fault": {"input": "bestiary", "statistic": null, )"
              R"("reason": "Cannot open C:\\Foes\\bestiary.mdb: \"Foes\" is locked."}})",
              {"<p>Stopped: Cannot open C:\\Foes\\bestiary.mdb: &quot;Foes&quot; is locked.</p>"},
              "Cannot open C:\\Foes\\bestiary.mdb: \"Foes\" is locked."}),
    [](const auto& info) { return std::string(info.param.tag); });

}  // namespace
