#pragma once

// A foe's stat block: one foe at one category with its tallies, exactly as
// the window shows it after a pass, in the forms it leaves the calculator
// in. It is made from the pass's sheet, never from widgets, so the window's
// copy and print, and the command line, show what the window shows:
//
//   recomputeSheet --> FoeSheet --> statBlockOf --> StatBlock --> text, Markdown, HTML, JSON
//
// A box the pass left empty stays empty in every form; where the pass
// stopped on a fault, the fault's sentence is part of the block.

#include "FoeSheet.h"
#include "ThreatCategory.h"

#include <array>
#include <optional>
#include <string>

struct StatBlock {
    std::string foe;       // the foe box's text, or "[Generic]"
    std::string category;  // the category's caption, "Superior"
    // Each tally as the pass counted it (a tally of 2.5 counts as 2); one the
    // pass could not use is the number typed, and one that does not read at
    // all is 0, as the pass reset it.
    std::array<double, kStatCount> tallies{};
    std::array<std::string, kStatCount> stats;  // the result boxes, "" where empty
    bool rangedShown = true;                    // the Bow and X-Bow rows
    std::array<std::string, kRangedColumns> bow;
    std::array<std::string, kRangedColumns> xbow;
    std::string move, mix, wound, might;
    std::optional<InputFault> fault;
};

StatBlock statBlockOf(const FoeSheet& sheet, ThreatCategory category);

// Plain text aligned for a monospace font, a few lines.
std::string statBlockText(const StatBlock& block);
// A heading and a table, for notes and chat programs that read Markdown.
std::string statBlockMarkdown(const StatBlock& block);
// A small HTML fragment (a heading and a table) that pastes cleanly into
// office and note programs; every text escaped.
std::string statBlockHtml(const StatBlock& block);
// The command line's JSON object (one line, no trailing newline):
//   {"foe": "Bandit Archer", "category": "Superior", "tallies": {"Init": 1, ...},
//    "stats": {"Init": 6, ...}, "bow": {"Init": 5, "Atk": 5, "Dfn": 4, "Dam": 7},
//    "xbow": {...}, "move": "12", "mix": 2.5, "wound": 15, "might": 15, "fault": null}
// Numbers are JSON numbers, Move stays text; an empty box is null, the
// ranged rows are null when hidden, and a fault is
// {"input": "tally" | "foe" | "bestiary", "statistic": "HP", "reason": "..."}.
std::string statBlockJson(const StatBlock& block);
