#pragma once

// What the program is asked on its command line:
//
//   vorn-foe [--bestiary FILE]                                   the window
//   vorn-foe --foe NAME [--foe NAME ...] [--category CAT] [--tally STAT=N ...]
//            [--format text|markdown|html|json] [--bestiary FILE]   stat blocks
//   vorn-foe --list [--category CAT] [--bestiary FILE]           the names offered
//   vorn-foe --sheet FILE.pdf --foe NAME [...] [--category CAT] [--tally STAT=N ...] [--bestiary FILE]
//   vorn-foe --encounter FILE [--format ...] [--bestiary FILE]      an encounter's blocks
//   vorn-foe --sheet FILE.pdf --encounter FILE [--bestiary FILE]
//   vorn-foe --help | --version
//
// Read with QCommandLineParser before the application object is made, since
// the task decides which one it is: a window needs QApplication, an answer
// only QCoreApplication. Qt's own window options (-platform, -style, ...)
// are let through to the window, which reads them itself.

#include "FoeSheet.h"
#include "ThreatCategory.h"

#include <QString>
#include <QStringList>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

enum class BlockFormat { Text, Markdown, Html, Json };

// How the program ends, for scripts.
enum ExitStatus { kAnswered = 0, kDataFailed = 1, kCommandLineWrong = 2 };

struct CommandLine {
    enum class Task { Window, Foes, Encounter, List, Sheet, Help, Version };
    Task task = Task::Window;
    std::optional<std::filesystem::path> bestiary;
    ThreatCategory category = kDefaultCategory;
    std::vector<std::string> foes;
    std::array<std::string, kStatCount> tallies{"0", "0", "0", "0", "0", "0", "0"};  // as typed
    BlockFormat format = BlockFormat::Text;
    std::filesystem::path sheet;
    std::optional<std::filesystem::path> encounter;  // the blocks come from this file, not --foe
};


// The arguments, the program's name first. Nothing, with `problem` saying
// what is wrong in one sentence, when they do not make a command.
std::optional<CommandLine> readCommandLine(const QStringList& arguments, QString& problem);

// --help: Qt's help for the options, then the categories and exit statuses.
QString commandLineHelp();
