#include "UserFolders.h"

#include "FoeDatabase.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// An XDG base folder: the variable when it holds an absolute path, else
// `fallback` below the home folder.
std::filesystem::path baseFolder(const char* variable, const char* fallback)
{
    const char* set = std::getenv(variable);
    if (set && std::filesystem::path(set).is_absolute())
        return set;
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        return {};
    return std::filesystem::path(home) / fallback;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// A text value as QSettings writes it to an INI file: in quotes when it holds
// a comma, semicolon, equals sign or outer blank; backslash escapes for
// quotes, backslashes and control characters; \x and hexadecimal digits for
// other UTF-16 units; "@@" for a leading "@". Nothing for any other kind of
// value ("@Variant(...)", a list).
std::optional<std::string> iniText(std::string_view raw)
{
    std::string text;
    bool quoted = false;
    char16_t pendingHigh = 0;
    for (std::size_t at = 0; at < raw.size(); ++at) {
        const char c = raw[at];
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (c == ',' && !quoted)
            return std::nullopt;  // a list
        if (c != '\\' || at + 1 == raw.size()) {
            text += c;
            continue;
        }
        const char escaped = raw[++at];
        static constexpr std::string_view kLetters = "abfnrtv0", kMeanings = "\a\b\f\n\r\t\v";
        if (const auto letter = kLetters.find(escaped); letter != std::string_view::npos) {
            text += letter < kMeanings.size() ? kMeanings[letter] : '\0';
        } else if (escaped == 'x') {
            char32_t unit = 0;
            while (at + 1 < raw.size() && std::isxdigit(static_cast<unsigned char>(raw[at + 1]))) {
                const char digit = raw[++at];
                unit = unit * 16 + static_cast<char32_t>(std::isdigit(static_cast<unsigned char>(digit))
                                                             ? digit - '0'
                                                             : (digit | 0x20) - 'a' + 10);
            }
            if (unit >= 0xD800 && unit < 0xDC00) {
                pendingHigh = static_cast<char16_t>(unit);
                continue;
            }
            if (unit >= 0xDC00 && unit < 0xE000 && pendingHigh)
                unit = 0x10000 + ((pendingHigh - 0xD800u) << 10) + (unit - 0xDC00);
            appendUtf8(text, unit);
        } else {
            text += escaped;
        }
        pendingHigh = 0;
    }
    if (text.starts_with("@@"))
        return text.substr(1);
    if (text.starts_with("@"))
        return std::nullopt;
    return text;
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

std::filesystem::path dataFolderBestiaryFile()
{
    const std::filesystem::path base = baseFolder("XDG_DATA_HOME", ".local/share");
    return base.empty() ? base : base / "vorn-foe" / kDatabaseFileName;
}

std::optional<std::filesystem::path> rememberedBestiary()
{
    const std::filesystem::path base = baseFolder("XDG_CONFIG_HOME", ".config");
    if (base.empty())
        return std::nullopt;
    std::ifstream in(base / "vorn-foe" / "vorn-foe.ini");
    std::string line;
    bool inBestiary = false;
    while (std::getline(in, line)) {
        const std::string_view entry = trimmed(line);
        if (entry.starts_with('[')) {
            inBestiary = entry == "[bestiary]";
            continue;
        }
        const auto equals = entry.find('=');
        if (!inBestiary || equals == std::string_view::npos || trimmed(entry.substr(0, equals)) != "last")
            continue;
        const auto text = iniText(trimmed(entry.substr(equals + 1)));
        if (!text || text->empty())
            return std::nullopt;
        return std::filesystem::path(*text);
    }
    return std::nullopt;
}
