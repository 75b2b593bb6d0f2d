#include "StatBlock.h"

#include "NumberText.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <string_view>
#include <vector>

namespace {

// The table of every form: the melee row, then the ranged rows when shown.
struct TableRow {
    std::string_view label;
    std::array<std::string, kRangedColumns> cells;
};

// Soak, HP and Res on one line; Move, Mix, Wound and Might on the next.
struct Item {
    std::string_view label;
    std::string value;
};

// What every form shows, in its order; each form only escapes and lays it out.
struct Layout {
    std::string title;
    std::string tallies;  // "" when every tally is 0
    std::vector<TableRow> rows;
    std::array<std::vector<Item>, 2> bottom;
    std::string stopped;  // "" when the pass ran through
};

std::string signedTally(double value)
{
    std::string text = value > 0 ? "+" : "";
    return text.append(formatDouble(value));
}

Layout layoutOf(const StatBlock& block)
{
    Layout layout;
    layout.title = block.foe + " at " + block.category;
    for (int slot = 0; slot < kStatCount; ++slot) {
        const double tally = block.tallies[static_cast<std::size_t>(slot)];
        if (tally == 0)
            continue;
        layout.tallies += layout.tallies.empty() ? "Tallies: " : ", ";
        layout.tallies += std::string(kStatNames[static_cast<std::size_t>(slot)]) + ' ' + signedTally(tally);
    }
    TableRow melee{"Melee", {}};
    std::copy_n(block.stats.begin(), kRangedColumns, melee.cells.begin());
    layout.rows.push_back(melee);
    if (block.rangedShown) {
        layout.rows.push_back({"Bow", block.bow});
        layout.rows.push_back({"X-Bow", block.xbow});
    }
    layout.bottom[0] = {{"Soak", block.stats[Soak]}, {"HP", block.stats[HP]}, {"Res", block.stats[Res]}};
    layout.bottom[1] = {{"Move", block.move}, {"Mix", block.mix}, {"Wound", block.wound},
                        {"Might", block.might}};
    if (block.fault)
        layout.stopped = "Stopped: " + block.fault->reason;
    return layout;
}

// An empty box shows its label alone, never a stand-in value.
std::string joinItems(const std::vector<Item>& items, std::string_view separator,
                      std::string (*escape)(std::string_view))
{
    std::string line;
    for (const Item& item : items) {
        if (!line.empty())
            line += separator;
        line += item.label;
        if (!item.value.empty())
            line += ' ' + escape(item.value);
    }
    return line;
}

std::string asIs(std::string_view text) { return std::string(text); }

std::string padLeft(std::string_view text, std::size_t width)
{
    return std::string(width - std::min(width, text.size()), ' ') + std::string(text);
}

std::string padRight(std::string_view text, std::size_t width)
{
    return std::string(text) + std::string(width - std::min(width, text.size()), ' ');
}

// Blanks after the last value would only travel along into chat and notes.
void appendLine(std::string& out, std::string line)
{
    line.erase(line.find_last_not_of(' ') + 1);
    out += line;
    out += '\n';
}

// The widest header or cell of the table, so that every column lines up even
// for a cell far outside the game's usual numbers.
std::size_t cellWidth(const Layout& layout)
{
    std::size_t width = 0;
    for (int c = 0; c < kRangedColumns; ++c)
        width = std::max(width, kStatNames[static_cast<std::size_t>(c)].size());
    for (const TableRow& row : layout.rows)
        for (const std::string& cell : row.cells)
            width = std::max(width, cell.size());
    return width;
}

constexpr std::size_t kLabelWidth = 5;  // "Melee", "X-Bow"

std::string markdownEscape(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (std::string_view("\\`*_[]<>#|~&").find(c) != std::string_view::npos)
            out += '\\';
        out += c;
    }
    return out;
}

std::string htmlEscape(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c; break;
        }
    }
    return out;
}

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            constexpr std::string_view kHex = "0123456789abcdef";
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out + '"';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A JSON number without exponent: -?(0|[1-9][0-9]*)(\.[0-9]+)?, which
// readNumber reads as well.
bool isJsonNumber(std::string_view text)
{
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    std::size_t whole = 0;
    while (whole < text.size() && isDigit(text[whole]))
        ++whole;
    if (whole == 0 || (whole > 1 && text.front() == '0'))
        return false;
    text.remove_prefix(whole);
    if (text.empty())
        return true;
    if (text.front() != '.' || text.size() == 1)
        return false;
    return std::all_of(text.begin() + 1, text.end(), isDigit);
}

// A box as the window shows it, written as it stands: the pass fills result
// boxes only with formatInt and formatDouble texts, which are JSON numbers.
// Any other text becomes null rather than invalid JSON.
std::string jsonBox(const std::string& box)
{
    return isJsonNumber(box) ? box : "null";
}

// A tally the pass could not use may be an infinity, which JSON cannot hold.
std::string jsonTally(double value)
{
    return std::isfinite(value) ? formatDouble(value) : "null";
}

template <std::size_t N>
std::string jsonStatObject(const std::array<std::string, N>& boxes)
{
    std::string out = "{";
    for (std::size_t i = 0; i < N; ++i)
        out += (i ? ", " : "") + jsonString(kStatNames[i]) + ": " + jsonBox(boxes[i]);
    return out + '}';
}

std::string jsonFault(const std::optional<InputFault>& fault)
{
    if (!fault)
        return "null";
    std::string input;
    switch (fault->input) {
    case InputFault::Input::Tally: input = "tally"; break;
    case InputFault::Input::Foe: input = "foe"; break;
    case InputFault::Input::Bestiary: input = "bestiary"; break;
    }
    // A bestiary that cannot be read is no fault of any one statistic.
    const bool namesStatistic = fault->input != InputFault::Input::Bestiary && fault->slot >= 0
                                && fault->slot < kFoeStatsSize;
    const std::string statistic =
        namesStatistic ? jsonString(kStatNames[static_cast<std::size_t>(fault->slot)]) : "null";
    return "{\"input\": " + jsonString(input) + ", \"statistic\": " + statistic
           + ", \"reason\": " + jsonString(fault->reason) + '}';
}

}  // namespace

StatBlock statBlockOf(const FoeSheet& sheet, ThreatCategory category)
{
    assert(isThreatCategory(category));
    StatBlock block;
    block.foe = sheet.foeName;
    block.category = std::string(kCategoryCaptions[static_cast<std::size_t>(category)]);
    for (std::size_t i = 0; i < kStatCount; ++i) {
        if (const std::optional<double> typed = readNumber(sheet.tally[i])) {
            const std::optional<std::int16_t> counted = toInt16(*typed);
            block.tallies[i] = counted ? *counted : *typed;
        }
    }
    block.stats = sheet.foe;
    block.rangedShown = sheet.rangedVisible;
    block.bow = sheet.bow;
    block.xbow = sheet.xbow;
    block.move = sheet.move;
    block.mix = sheet.mix;
    block.wound = sheet.wound;
    block.might = sheet.might;
    block.fault = sheet.fault;
    return block;
}

std::string statBlockText(const StatBlock& block)
{
    const Layout layout = layoutOf(block);
    const std::size_t labelWidth = kLabelWidth + 3;  // the labels stand apart from the numbers
    const std::size_t width = cellWidth(layout) + 1;
    std::string out;
    appendLine(out, layout.title);
    if (!layout.tallies.empty())
        appendLine(out, layout.tallies);
    std::string header(labelWidth, ' ');
    for (int c = 0; c < kRangedColumns; ++c)
        header += padLeft(kStatNames[static_cast<std::size_t>(c)], width);
    appendLine(out, header);
    for (const TableRow& row : layout.rows) {
        std::string line = padRight(row.label, labelWidth);
        for (const std::string& cell : row.cells)
            line += padLeft(cell, width);
        appendLine(out, line);
    }
    for (const auto& items : layout.bottom)
        appendLine(out, joinItems(items, "   ", asIs));
    if (!layout.stopped.empty())
        appendLine(out, layout.stopped);
    return out;
}

std::string statBlockMarkdown(const StatBlock& block)
{
    const Layout layout = layoutOf(block);
    const std::size_t width = cellWidth(layout);
    std::string out = "### " + markdownEscape(layout.title) + "\n\n";
    if (!layout.tallies.empty())
        out += markdownEscape(layout.tallies) + "\n\n";
    std::string header = "| " + std::string(kLabelWidth, ' ') + " |";
    std::string rule = "| " + std::string(kLabelWidth, '-') + " |";
    for (int c = 0; c < kRangedColumns; ++c) {
        header += ' ' + padLeft(kStatNames[static_cast<std::size_t>(c)], width) + " |";
        rule += ' ' + std::string(width - 1, '-') + ": |";
    }
    out += header + '\n' + rule + '\n';
    for (const TableRow& row : layout.rows) {
        out += "| " + padRight(row.label, kLabelWidth) + " |";
        for (const std::string& cell : row.cells)
            out += ' ' + padLeft(markdownEscape(cell), width) + " |";
        out += '\n';
    }
    for (const auto& items : layout.bottom)
        out += '\n' + joinItems(items, ", ", markdownEscape) + '\n';
    if (!layout.stopped.empty())
        out += '\n' + markdownEscape(layout.stopped) + '\n';
    return out;
}

std::string statBlockHtml(const StatBlock& block)
{
    const Layout layout = layoutOf(block);
    std::string out = "<h3>" + htmlEscape(layout.title) + "</h3>\n";
    if (!layout.tallies.empty())
        out += "<p>" + htmlEscape(layout.tallies) + "</p>\n";
    // Numbers stand right-aligned under their headings, as in the text and
    // Markdown forms, so that their digits line up down a column.
    out += "<table>\n<tr><th></th>";
    for (int c = 0; c < kRangedColumns; ++c)
        out += "<th align=\"right\">" + htmlEscape(kStatNames[static_cast<std::size_t>(c)]) + "</th>";
    out += "</tr>\n";
    for (const TableRow& row : layout.rows) {
        out += "<tr><th align=\"left\">" + htmlEscape(row.label) + "</th>";
        for (const std::string& cell : row.cells)
            out += "<td align=\"right\">" + htmlEscape(cell) + "</td>";
        out += "</tr>\n";
    }
    out += "</table>\n<p>" + joinItems(layout.bottom[0], ", ", htmlEscape) + "<br>"
           + joinItems(layout.bottom[1], ", ", htmlEscape) + "</p>\n";
    if (!layout.stopped.empty())
        out += "<p>" + htmlEscape(layout.stopped) + "</p>\n";
    return out;
}

std::string statBlockJson(const StatBlock& block)
{
    std::string tallies = "{";
    for (std::size_t i = 0; i < kStatCount; ++i)
        tallies += (i ? ", " : "") + jsonString(kStatNames[i]) + ": " + jsonTally(block.tallies[i]);
    tallies += '}';
    const auto ranged = [&](const std::array<std::string, kRangedColumns>& row) {
        return block.rangedShown ? jsonStatObject(row) : std::string("null");
    };
    return "{\"foe\": " + jsonString(block.foe) + ", \"category\": " + jsonString(block.category)
           + ", \"tallies\": " + tallies + ", \"stats\": " + jsonStatObject(block.stats)
           + ", \"bow\": " + ranged(block.bow) + ", \"xbow\": " + ranged(block.xbow)
           + ", \"move\": " + (block.move.empty() ? "null" : jsonString(block.move))
           + ", \"mix\": " + jsonBox(block.mix) + ", \"wound\": " + jsonBox(block.wound)
           + ", \"might\": " + jsonBox(block.might) + ", \"fault\": " + jsonFault(block.fault) + '}';
}
