#include "CommandLine.h"

#include "NumberText.h"
#include "PathText.h"

#include <QCommandLineParser>

namespace {

// Qt's own options for a window, which QApplication takes from the
// arguments itself when it starts; here they are only recognised, so that
// they reach it, and refused for every other task.
const QStringList kQtValueOptions = {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                                     "qwindowicon", "qwindowtitle", "session", "style", "stylesheet", "display",
                                     "geometry", "title"};
const QStringList kQtSwitches = {"reverse", "widgetcount"};

// The program's options, in the order --help lists them.
void addOptions(QCommandLineParser& parser)
{
    // Qt's conventions for a program of one word options: -foe is --foe, so
    // that Qt's window options keep their usual single dash.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription("Vorn Foe Calculator: a foe's statistics at a threat category.\n"
                                     "Without --foe, --encounter, --list, --sheet, --help or --version, the window opens.");
    parser.addOptions({
        {{"h", "help"}, "Displays help on commandline options."},
        {{"v", "version"}, "Displays version information."},
        {"bestiary", "Read the foes from <file> instead of the usual bestiary.", "file"},
        {"foe", "Print the stat block of the foe <name> (\"[Generic]\" for none); may be repeated.", "name"},
        {"category", "The threat category: a caption or its number 0 to 6 (default: Equal).", "category"},
        {"tally", "Add <n> to the statistic: Init, Atk, Dfn, Dam, Soak, HP or Res; may be repeated.", "stat=n"},
        {"encounter", "Print the stat blocks of the encounter saved in <file>, each with its count.", "file"},
        {"format", "How --foe and --encounter print: text, markdown, html or json (default: text).", "format"},
        {"list", "Print the names offered at the category, one a line."},
        {"sheet", "Write the stat blocks of the --foe foes, or of the --encounter, to one printable PDF.", "file.pdf"},
    });
    for (const QString& name : kQtValueOptions + kQtSwitches) {
        QCommandLineOption option(name, QString(), kQtValueOptions.contains(name) ? "value" : QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

std::string utf8(const QString& text)
{
    return text.toStdString();
}

QString captionOf(ThreatCategory category)
{
    return QString::fromLatin1(kCategoryCaptions[static_cast<std::size_t>(category)]);
}

std::optional<ThreatCategory> readCategory(const QString& text)
{
    for (ThreatCategory category = 0; category < kCategoryCount; ++category) {
        if (text == QString::number(category) || text.compare(captionOf(category), Qt::CaseInsensitive) == 0)
            return category;
    }
    return std::nullopt;
}

// "HP=5": the statistic ignoring letter case, and a number as a tally reads.
std::optional<QString> readTally(const QString& text, CommandLine& command)
{
    const qsizetype equals = text.indexOf('=');
    const QString stat = text.left(equals);
    for (int slot = 0; slot < kStatCount; ++slot) {
        const QString name = QString::fromLatin1(kStatNames[static_cast<std::size_t>(slot)]);
        if (stat.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const std::string value = equals < 0 ? "" : utf8(text.mid(equals + 1));
        if (!readNumber(value))
            return QStringLiteral("The %1 tally \"%2\" is not a number.").arg(name, QString::fromStdString(value));
        command.tallies[static_cast<std::size_t>(slot)] = value;
        return std::nullopt;
    }
    return "Unknown statistic in --tally " + text + ": use Init, Atk, Dfn, Dam, Soak, HP or Res, as in HP=5.";
}

std::optional<BlockFormat> readFormat(const QString& text)
{
    const QString name = text.toLower();
    if (name == "text")
        return BlockFormat::Text;
    if (name == "markdown")
        return BlockFormat::Markdown;
    if (name == "html")
        return BlockFormat::Html;
    if (name == "json")
        return BlockFormat::Json;
    return std::nullopt;
}

using Task = CommandLine::Task;

Task taskOf(const QCommandLineParser& parser)
{
    if (parser.isSet("help"))
        return Task::Help;
    if (parser.isSet("version"))
        return Task::Version;
    if (parser.isSet("sheet"))
        return Task::Sheet;
    if (parser.isSet("foe"))
        return Task::Foes;
    if (parser.isSet("encounter"))
        return Task::Encounter;
    if (parser.isSet("list"))
        return Task::List;
    return Task::Window;
}

constexpr unsigned bit(Task task)
{
    return 1u << static_cast<unsigned>(task);
}

// An option that shapes an answer, and the tasks it does something for.
struct Shaping {
    const char* name;
    unsigned tasks;  // bit(task) for each
    const char* goesWith;
};
constexpr Shaping kShaping[] = {
    {"category", bit(Task::Foes) | bit(Task::List) | bit(Task::Sheet), "--foe, --list or --sheet"},
    {"tally", bit(Task::Foes) | bit(Task::Sheet), "--foe or --sheet"},
    {"format", bit(Task::Foes) | bit(Task::Encounter), "--foe or --encounter"},
};

// Whether the options fit together, once each has read soundly: an option
// that would do nothing for the task is a mistake to report, not to ignore.
// --help and --version answer whatever else is given.
std::optional<QString> checkCombination(const QCommandLineParser& parser, const CommandLine& command)
{
    if (command.task == Task::Help || command.task == Task::Version)
        return std::nullopt;
    if (command.task == Task::Sheet && command.foes.empty() && !command.encounter)
        return "--sheet needs at least one --foe, or an --encounter.";
    if (parser.isSet("list") && command.task != Task::List)
        return QStringLiteral("--list and --%1 cannot be combined.")
            .arg(command.task == Task::Sheet ? "sheet" : command.encounter ? "encounter" : "foe");
    if (command.encounter && !command.foes.empty())
        return "--encounter and --foe cannot be combined.";
    if (command.encounter && (parser.isSet("category") || parser.isSet("tally")))
        return "--category and --tally go with --foe: each entry of an encounter keeps its own.";
    for (const Shaping& option : kShaping) {
        if (parser.isSet(option.name) && !(option.tasks & bit(command.task)))
            return QStringLiteral("--%1 goes with %2.").arg(option.name, option.goesWith);
    }
    if (command.task != Task::Window) {
        for (const QString& name : kQtValueOptions + kQtSwitches) {
            if (parser.isSet(name))
                return "Qt's window options go with the window alone.";
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<CommandLine> readCommandLine(const QStringList& arguments, QString& problem)
{
    QCommandLineParser parser;
    addOptions(parser);
    const auto fail = [&](QString sentence) -> std::optional<CommandLine> {
        problem = std::move(sentence);
        return std::nullopt;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return fail("Unexpected argument: " + parser.positionalArguments().constFirst());

    CommandLine command;
    command.task = taskOf(parser);
    if (parser.isSet("bestiary"))
        command.bestiary = textPath(parser.value("bestiary").toStdString());
    for (const QString& foe : parser.values("foe"))
        command.foes.push_back(utf8(foe));
    if (parser.isSet("category")) {
        const QString given = parser.value("category");
        const auto category = readCategory(given);
        if (!category)
            return fail("Unknown category: " + given + " (a caption from Pitiful to Terrifying, or a number from 0 to 6).");
        command.category = *category;
    }
    for (const QString& tally : parser.values("tally")) {
        if (const auto wrong = readTally(tally, command))
            return fail(*wrong);
    }
    if (parser.isSet("format")) {
        const auto format = readFormat(parser.value("format"));
        if (!format)
            return fail("Unknown format: " + parser.value("format") + " (text, markdown, html or json).");
        command.format = *format;
    }
    if (parser.isSet("sheet"))
        command.sheet = textPath(parser.value("sheet").toStdString());
    if (parser.isSet("encounter"))
        command.encounter = textPath(parser.value("encounter").toStdString());
    if (const auto wrong = checkCombination(parser, command))
        return fail(*wrong);
    return command;
}

QString commandLineHelp()
{
    QCommandLineParser parser;
    addOptions(parser);
    QString categories;
    for (ThreatCategory category = 0; category < kCategoryCount; ++category)
        categories += QStringLiteral("  %1  %2\n").arg(category).arg(captionOf(category));
    return parser.helpText() + "\nCategories:\n" + categories
         + "\nExit status:\n"
           "  0  the answer was given (or the window closed)\n"
           "  1  the bestiary, a foe or the PDF file could not be used; stderr says why\n"
           "  2  the command line is wrong; stderr says why\n";
}
