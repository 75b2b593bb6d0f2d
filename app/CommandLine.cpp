#include "CommandLine.h"

#include <QCommandLineParser>

#include <cstdio>

std::optional<ThreatCategory> readCategory(const QString& text)
{
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (isNumber)
        return isThreatCategory(number) ? std::optional<ThreatCategory>(static_cast<ThreatCategory>(number))
                                        : std::nullopt;
    for (ThreatCategory category = 0; category < kCategoryCount; ++category) {
        const std::string_view caption = kCategoryCaptions[static_cast<std::size_t>(category)];
        if (text.compare(QLatin1String(caption.data(), static_cast<qsizetype>(caption.size())), Qt::CaseInsensitive)
            == 0)
            return category;
    }
    return std::nullopt;
}

namespace {

// Qt's own options for a window ("-platform offscreen", "-style Fusion"):
// the toolkit takes them itself, so they are let through, unlisted.
void letQtOptionsThrough(QCommandLineParser& parser)
{
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                             "qwindowicon", "qwindowtitle", "session", "style", "stylesheet", "display",
                             "geometry", "title"}) {
        QCommandLineOption option(name, {}, "value");
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : {"reverse", "widgetcount"}) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

}  // namespace

std::optional<CommandLine> readCommandLine(const QStringList& arguments, QString& problem)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    letQtOptionsThrough(parser);
    parser.setApplicationDescription("Vorn Foe Calculator: a foe's statistics at a threat category.");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption bestiary("bestiary", "Read the foes from <file> instead of the usual bestiary.", "file");
    const QCommandLineOption list("list", "Print the names offered at the category, one a line, and end.");
    const QCommandLineOption category("category", "The threat category: a caption or its number 0 to 6 (Equal).",
                                      "category");
    parser.addOptions({bestiary, list, category});

    if (!parser.parse(arguments)) {
        problem = parser.errorText();
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        problem = "Unexpected argument: " + parser.positionalArguments().first();
        return std::nullopt;
    }
    CommandLine command;
    if (parser.isSet(bestiary))
        command.bestiary = filePath(parser.value(bestiary));
    if (parser.isSet(category)) {
        const auto chosen = readCategory(parser.value(category));
        if (!chosen) {
            problem = "Unknown category: " + parser.value(category)
                      + " (a caption from Pitiful to Terrifying, or a number from 0 to 6)";
            return std::nullopt;
        }
        command.category = *chosen;
    }
    if (parser.isSet(help)) {
        command.task = CommandLine::Task::Help;
        command.helpText = parser.helpText();
    } else if (parser.isSet(version)) {
        command.task = CommandLine::Task::Version;
    } else if (parser.isSet(list)) {
        command.task = CommandLine::Task::List;
    }
    return command;
}

int listFoes(const BestiarySources& sources, ThreatCategory category)
{
    const auto chosen = chooseBestiary(sources, [](const QString& message) {
        std::fprintf(stderr, "%s\n", message.toUtf8().constData());
    });
    if (!chosen)
        return 1;
    try {
        for (const std::string& name : chosen->database->listNames(category))
            std::printf("%s\n", name.c_str());
    } catch (const DatabaseError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
