#include "EncounterFile.h"

#include "NumberText.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cmath>

namespace {

constexpr const char* kFormatName = "vorn-foe-encounter";
// A fight of a hundred entries takes some 100 KiB; anything near this size
// is not an encounter, and is refused before it is read into memory.
constexpr qint64 kLargestFile = 16 << 20;

QString statName(std::size_t slot)
{
    return QString::fromLatin1(kStatNames[slot]);
}

// A whole number within [least, most], or nothing.
std::optional<int> wholeNumber(const QJsonValue& value, int least, int most)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (number != std::floor(number) || number < least || number > most)
        return std::nullopt;
    return static_cast<int>(number);
}

std::optional<ThreatCategory> categoryNamed(const QJsonValue& value)
{
    for (ThreatCategory category = 0; category < kCategoryCount; ++category) {
        if (value.toString() == QLatin1String(kCategoryCaptions[static_cast<std::size_t>(category)]))
            return category;
    }
    return std::nullopt;
}

// A box of the saved block: a number as the sheet shows it, "" for null.
std::string boxText(const QJsonValue& value)
{
    return value.isDouble() ? formatDouble(value.toDouble()) : std::string();
}

template <std::size_t N>
void readBoxes(const QJsonValue& row, std::array<std::string, N>& boxes)
{
    for (std::size_t slot = 0; slot < N; ++slot)
        boxes[slot] = boxText(row[statName(slot)]);
}

// The numbers saved under "last". They only stand in while the bestiary
// cannot answer, so a missing or odd one leaves a box empty rather than
// costing the game master the whole fight.
void readLastNumbers(const QJsonObject& last, EncounterEntry& entry)
{
    StatBlock& block = entry.block;
    block.foe = entry.foe;
    block.category = kCategoryCaptions[static_cast<std::size_t>(entry.category)];
    for (std::size_t slot = 0; slot < block.tallies.size(); ++slot)
        block.tallies[slot] = entry.tallies[slot];
    readBoxes(last["stats"], block.stats);
    block.rangedShown = last["bow"].isObject();
    readBoxes(last["bow"], block.bow);
    readBoxes(last["xbow"], block.xbow);
    block.move = last["move"].toString().toStdString();
    block.mix = boxText(last["mix"]);
    block.wound = boxText(last["wound"]);
    block.might = boxText(last["might"]);
}

// One entry, or the reason it cannot be read.
std::optional<EncounterEntry> readEntry(const QJsonValue& value, QString& problem)
{
    const auto fail = [&problem](const QString& why) -> std::optional<EncounterEntry> {
        problem = why;
        return std::nullopt;
    };
    const QJsonObject object = value.toObject();
    EncounterEntry entry;
    entry.foe = object["foe"].toString().toStdString();
    if (entry.foe.empty())
        return fail("it has no foe name");
    const auto category = categoryNamed(object["category"]);
    if (!category)
        return fail("its category is not one of Pitiful to Terrifying");
    entry.category = *category;
    const QJsonObject tallies = object["tallies"].toObject();
    for (std::size_t slot = 0; slot < entry.tallies.size(); ++slot) {
        const QJsonValue tally = tallies[statName(slot)];
        const auto number = tally.isUndefined() ? 0 : wholeNumber(tally, -32768, 32767);
        if (!number)
            return fail("its " + statName(slot) + " tally is not a whole number from -32768 to 32767");
        entry.tallies[slot] = static_cast<std::int16_t>(*number);
    }
    const auto count = wholeNumber(object["count"], 1, kMostCreatures);
    if (!count)
        return fail(QStringLiteral("its count is not a whole number from 1 to %1").arg(kMostCreatures));
    const QJsonArray hp = object["hp"].toArray();
    if (hp.size() != *count)
        return fail(QStringLiteral("it counts %1 creatures but gives the HP of %2").arg(*count).arg(hp.size()));
    for (const QJsonValue& creature : hp) {
        const auto current = wholeNumber(creature, -32768, 32767);
        if (!current)
            return fail("a creature's HP is not a whole number from -32768 to 32767");
        entry.hp.push_back(*current);
    }
    readLastNumbers(object["last"].toObject(), entry);
    return entry;
}

QJsonObject entryObject(const EncounterEntry& entry)
{
    QJsonObject tallies;
    for (std::size_t slot = 0; slot < entry.tallies.size(); ++slot)
        tallies[statName(slot)] = entry.tallies[slot];
    QJsonArray hp;
    for (int current : entry.hp)
        hp.append(current);
    return {
        {"foe", QString::fromStdString(entry.foe)},
        {"category", QLatin1String(kCategoryCaptions[static_cast<std::size_t>(entry.category)])},
        {"tallies", tallies},
        {"count", entry.count()},
        {"hp", hp},
        {"last", QJsonDocument::fromJson(QByteArray::fromStdString(statBlockJson(entry.block))).object()},
    };
}

QString shownPath(const QString& file)
{
    return QDir::toNativeSeparators(file);
}

}  // namespace

std::optional<Encounter> encounterFromJson(const QByteArray& json, QString& problem)
{
    const auto fail = [&problem](const QString& why) -> std::optional<Encounter> {
        problem = why;
        return std::nullopt;
    };
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull())
        return fail(QStringLiteral("it is damaged: %1 at byte %2").arg(error.errorString()).arg(error.offset));
    const QJsonObject root = document.object();
    if (root["format"].toString() != QLatin1String(kFormatName))
        return fail("it is not an encounter file");
    const auto version = wholeNumber(root["version"], 1, 1 << 30);
    if (!version)
        return fail("it is damaged: its version is not a whole number");
    if (*version > kEncounterFileVersion)
        return fail(QStringLiteral("it was saved by a later version of the calculator "
                                   "(file version %1; this one reads version %2)")
                        .arg(*version)
                        .arg(kEncounterFileVersion));
    if (!root["entries"].isArray())
        return fail("it is damaged: it has no list of entries");
    Encounter encounter;
    const QJsonArray entries = root["entries"].toArray();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        QString fault;
        auto entry = readEntry(entries[i], fault);
        if (!entry)
            return fail(QStringLiteral("it is damaged: entry %1: %2").arg(i + 1).arg(fault));
        encounter.push_back(std::move(*entry));
    }
    return encounter;
}

QByteArray encounterJson(const Encounter& encounter)
{
    QJsonArray entries;
    for (const EncounterEntry& entry : encounter)
        entries.append(entryObject(entry));
    const QJsonObject root{{"format", kFormatName}, {"version", kEncounterFileVersion}, {"entries", entries}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<Encounter> readEncounterFile(const QString& file, QString& problem)
{
    const auto refuse = [&](const QString& fault) -> std::optional<Encounter> {
        problem = QStringLiteral("The encounter \"%1\" cannot be opened: %2.").arg(shownPath(file), fault);
        return std::nullopt;
    };
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return refuse(in.errorString());
    if (in.size() > kLargestFile)
        return refuse("it is too large to be an encounter");
    const QByteArray json = in.read(kLargestFile + 1);
    if (in.error() != QFileDevice::NoError || json.size() > kLargestFile)
        return refuse(in.error() != QFileDevice::NoError ? in.errorString() : "it is too large to be an encounter");
    QString fault;
    auto encounter = encounterFromJson(json, fault);
    if (!encounter)
        return refuse(fault);
    return encounter;
}

QString writeEncounterFile(const Encounter& encounter, const QString& file)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return out.errorString();
    const QByteArray json = encounterJson(encounter);
    if (out.write(json) != json.size() || !out.commit())
        return out.errorString();
    return {};
}
