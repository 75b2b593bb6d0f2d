#include "CommandLine.h"

#include "NumberText.h"

#include <algorithm>
#include <cctype>
#include <functional>

namespace {

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

struct Option {
    std::vector<std::string> names;  // without dashes; one letter for a short name
    std::string valueName;           // "" for a switch
    std::string description;
};

// Every option, in the order --help lists them.
const std::vector<Option> kOptions = {
    {{"h", "help"}, "", "Displays help on commandline options."},
    {{"v", "version"}, "", "Displays version information."},
    {{"bestiary"}, "file", "Read the foes from <file> instead of the usual bestiary."},
    {{"foe"}, "name", "Print the stat block of the foe <name> (\"[Generic]\" for none); may be repeated."},
    {{"category"}, "category", "The threat category: a caption or its number 0 to 6 (default: Equal)."},
    {{"tally"}, "stat=n", "Add <n> to the statistic: Init, Atk, Dfn, Dam, Soak, HP or Res; may be repeated."},
    {{"format"}, "format", "How --foe prints: text, markdown, html or json (default: text)."},
    {{"list"}, "", "Print the names offered at the category, one a line."},
    {{"sheet"}, "file.pdf", "Write the stat blocks of the --foe foes to one printable PDF."},
};

// Qt's own options for a window; the toolkit reads them from the arguments
// itself when it starts.
const std::vector<std::string> kQtValueOptions = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                                  "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
                                                  "style", "stylesheet", "display", "geometry", "title"};
const std::vector<std::string> kQtSwitches = {"reverse", "widgetcount"};

bool contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

const Option* optionNamed(const std::string& name)
{
    for (const Option& option : kOptions) {
        if (contains(option.names, name))
            return &option;
    }
    return nullptr;
}

std::optional<std::string> readTally(const std::string& text, CommandLine& command)
{
    const auto equals = text.find('=');
    const std::string stat = lowered(text.substr(0, equals));
    for (int slot = 0; slot < kStatCount; ++slot) {
        if (stat != lowered(std::string(kStatNames[static_cast<std::size_t>(slot)])))
            continue;
        const std::string value = equals == std::string::npos ? "" : text.substr(equals + 1);
        if (!readNumber(value))
            return "The " + std::string(kStatNames[static_cast<std::size_t>(slot)]) + " tally \"" + value
                   + "\" is not a number.";
        command.tallies[static_cast<std::size_t>(slot)] = value;
        return std::nullopt;
    }
    return "Unknown statistic in --tally " + text + ": use Init, Atk, Dfn, Dam, Soak, HP or Res, as in HP=5.";
}

std::optional<BlockFormat> readFormat(const std::string& text)
{
    const std::string name = lowered(text);
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

}  // namespace

std::optional<ThreatCategory> readCategory(const std::string& text)
{
    for (ThreatCategory category = 0; category < kCategoryCount; ++category) {
        if (text == std::to_string(category)
            || lowered(text) == lowered(std::string(kCategoryCaptions[static_cast<std::size_t>(category)])))
            return category;
    }
    return std::nullopt;
}

std::optional<CommandLine> readCommandLine(const std::vector<std::string>& arguments, std::string& problem)
{
    CommandLine command;
    std::vector<std::string> given;
    const auto fail = [&](std::string sentence) -> std::optional<CommandLine> {
        problem = std::move(sentence);
        return std::nullopt;
    };

    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string& word = arguments[at];
        if (word.size() < 2 || word[0] != '-')
            return fail("Unexpected argument: " + word);
        const std::string body = word.substr(word.starts_with("--") ? 2 : 1);
        const auto equals = body.find('=');
        const std::string name = body.substr(0, equals);
        std::optional<std::string> value;
        if (equals != std::string::npos)
            value = body.substr(equals + 1);

        if (contains(kQtValueOptions, name) || contains(kQtSwitches, name)) {
            if (contains(kQtValueOptions, name) && !value)
                ++at;  // the toolkit takes the value too
            given.push_back("qt");
            continue;
        }
        const Option* option = optionNamed(name);
        if (!option)
            return fail("Unknown option '" + name + "'.");
        if (!option->valueName.empty() && !value) {
            if (++at == arguments.size())
                return fail("Missing value after '" + word + "'.");
            value = arguments[at];
        }
        const std::string& key = option->names.back();
        given.push_back(key);
        if (key == "bestiary") {
            command.bestiary = *value;
        } else if (key == "foe") {
            command.foes.push_back(*value);
        } else if (key == "category") {
            const auto category = readCategory(*value);
            if (!category)
                return fail("Unknown category: " + *value
                            + " (a caption from Pitiful to Terrifying, or a number from 0 to 6).");
            command.category = *category;
        } else if (key == "tally") {
            if (const auto wrong = readTally(*value, command))
                return fail(*wrong);
        } else if (key == "format") {
            const auto format = readFormat(*value);
            if (!format)
                return fail("Unknown format: " + *value + " (text, markdown, html or json).");
            command.format = *format;
        } else if (key == "sheet") {
            command.sheet = *value;
        }
    }

    const auto asked = [&](const char* key) { return contains(given, key); };
    using Task = CommandLine::Task;
    if (asked("help"))
        command.task = Task::Help;
    else if (asked("version"))
        command.task = Task::Version;
    else if (asked("sheet"))
        command.task = Task::Sheet;
    else if (asked("foe"))
        command.task = Task::Foes;
    else if (asked("list"))
        command.task = Task::List;

    if (command.task == Task::Sheet && command.foes.empty())
        return fail("--sheet needs at least one --foe.");
    if (asked("list") && !command.foes.empty())
        return fail("--list and --foe cannot be combined.");
    if (command.task == Task::Window) {
        for (const char* key : {"category", "tally", "format"}) {
            if (asked(key))
                return fail("--" + std::string(key) + " goes with --foe, --list or --sheet.");
        }
    } else if (asked("qt")) {
        return fail("Qt's window options go with the window alone.");
    }
    return command;
}

std::string commandLineHelp()
{
    std::string help = "Usage: vorn-foe [options]\n"
                       "Vorn Foe Calculator: a foe's statistics at a threat category.\n"
                       "Without --foe, --list, --sheet, --help or --version, the window opens.\n\nOptions:\n";
    std::vector<std::pair<std::string, std::string>> rows;
    std::size_t width = 0;
    for (const Option& option : kOptions) {
        std::string names;
        for (const std::string& name : option.names)
            names += (names.empty() ? "" : ", ") + std::string(name.size() == 1 ? "-" : "--") + name;
        if (!option.valueName.empty())
            names += " <" + option.valueName + ">";
        width = std::max(width, names.size());
        rows.emplace_back(names, option.description);
    }
    for (const auto& [names, description] : rows)
        help += "  " + names + std::string(width - names.size() + 2, ' ') + description + "\n";
    return help;
}
