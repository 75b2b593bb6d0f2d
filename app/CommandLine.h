#pragma once

// What the program is asked on its command line:
//
//   vorn-foe [--bestiary FILE]                                   the window
//   vorn-foe --foe NAME [--foe NAME ...] [--category CAT] [--tally STAT=N ...]
//            [--format text|markdown|html|json] [--bestiary FILE]   stat blocks
//   vorn-foe --list [--category CAT] [--bestiary FILE]           the names offered
//   vorn-foe --sheet FILE.pdf --foe NAME [...] [--category CAT] [--tally STAT=N ...] [--bestiary FILE]
//   vorn-foe --help | --version
//
// Read without Qt, so that an answer on the command line does not wait for
// the toolkit to load; the options follow Qt's command-line conventions
// (--name value, --name=value), and Qt's own window options (-platform,
// -style, ...) are let through to the window.

#include "FoeSheet.h"
#include "ThreatCategory.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

enum class BlockFormat { Text, Markdown, Html, Json };

struct CommandLine {
    enum class Task { Window, Foes, List, Sheet, Help, Version };
    Task task = Task::Window;
    std::optional<std::filesystem::path> bestiary;
    ThreatCategory category = kDefaultCategory;
    std::vector<std::string> foes;
    std::array<std::string, kStatCount> tallies{"0", "0", "0", "0", "0", "0", "0"};  // as typed
    BlockFormat format = BlockFormat::Text;
    std::filesystem::path sheet;
};

// The arguments without the program's name. Nothing, with `problem` saying
// what is wrong in one sentence, when they do not make a command.
std::optional<CommandLine> readCommandLine(const std::vector<std::string>& arguments, std::string& problem);

// A caption ("superior", letter case aside) or its number 0 to 6.
std::optional<ThreatCategory> readCategory(const std::string& text);

// --help, in the layout of Qt's command-line help.
std::string commandLineHelp();
