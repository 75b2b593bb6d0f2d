#pragma once

#include "BestiarySources.h"
#include "ThreatCategory.h"

#include <QString>

#include <optional>

// What the program was asked on its command line:
//   vorn-foe [--bestiary FILE]                          the window
//   vorn-foe --list [--category CAT] [--bestiary FILE]  the names the window would offer
//   vorn-foe --help | --version
struct CommandLine {
    enum class Task { Window, List, Help, Version };
    Task task = Task::Window;
    std::optional<std::filesystem::path> bestiary;
    ThreatCategory category = kDefaultCategory;
    QString helpText;  // for --help
};

// Reads the arguments (the program's name first). Nothing, with `problem`
// saying what is wrong in one line, when they cannot be read.
std::optional<CommandLine> readCommandLine(const QStringList& arguments, QString& problem);

// A caption ("superior", letter case aside) or its number 0 to 6.
std::optional<ThreatCategory> readCategory(const QString& text);

// --list: the names the window would offer at the category, one a line,
// "[Generic]" left out. Returns the exit status: 1 when no bestiary opens,
// each refusal told on standard error.
int listFoes(const BestiarySources& sources, ThreatCategory category);
