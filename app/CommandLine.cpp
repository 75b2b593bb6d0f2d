#include "CommandLine.h"

#include "NumberText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <functional>
#include <string_view>

namespace {

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

struct Option {
    std::string_view letter;     // the one-letter name, if any
    std::string_view name;       // without dashes
    std::string_view valueName;  // empty for a switch
    std::string_view description;
};

// Every option, in the order --help lists them. Constant tables, so that an
// answer on the command line makes nothing of them before it starts.
constexpr std::array kOptions = {
    Option{"h", "help", "", "Displays help on commandline options."},
    Option{"v", "version", "", "Displays version information."},
    Option{"", "bestiary", "file", "Read the foes from <file> instead of the usual bestiary."},
    Option{"", "foe", "name", "Print the stat block of the foe <name> (\"[Generic]\" for none); may be repeated."},
    Option{"", "category", "category", "The threat category: a caption or its number 0 to 6 (default: Equal)."},
    Option{"", "tally", "stat=n", "Add <n> to the statistic: Init, Atk, Dfn, Dam, Soak, HP or Res; may be repeated."},
    Option{"", "format", "format", "How --foe prints: text, markdown, html or json (default: text)."},
    Option{"", "list", "", "Print the names offered at the category, one a line."},
    Option{"", "sheet", "file.pdf", "Write the stat blocks of the --foe foes to one printable PDF."},
};

// Qt's own options for a window; the toolkit reads them from the arguments
// itself when it starts.
constexpr std::array<std::string_view, 13> kQtValueOptions = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle",
    "session",  "style",              "stylesheet",    "display", "geometry",        "title"};
constexpr std::array<std::string_view, 2> kQtSwitches = {"reverse", "widgetcount"};

template <typename Names>
bool contains(const Names& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

const Option* optionNamed(std::string_view name)
{
    for (const Option& option : kOptions) {
        if (name == option.name || (!option.letter.empty() && name == option.letter))
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
        const std::string_view key = option->name;
        given.emplace_back(key);
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
        if (!option.letter.empty())
            names.append("-").append(option.letter).append(", ");
        names.append("--").append(option.name);
        if (!option.valueName.empty())
            names.append(" <").append(option.valueName).append(">");
        width = std::max(width, names.size());
        rows.emplace_back(names, option.description);
    }
    for (const auto& [names, description] : rows)
        help += "  " + names + std::string(width - names.size() + 2, ' ') + description + "\n";
    return help;
}
