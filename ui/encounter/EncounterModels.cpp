#include "EncounterModels.h"

#include "EncounterDocument.h"

#include <algorithm>

#include <QFont>
#include <QGuiApplication>
#include <QPalette>

namespace {

QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

QString captionOf(ThreatCategory category)
{
    return QString::fromLatin1(kCategoryCaptions[static_cast<std::size_t>(category)]);
}

// A screen reader reads a cell with its column's name: "HP: 25".
QVariant spoken(const QAbstractItemModel& model, const QModelIndex& index, const QString& shown)
{
    const QString column = model.headerData(index.column(), Qt::Horizontal, Qt::DisplayRole).toString();
    return QStringLiteral("%1: %2").arg(column, shown.isEmpty() ? QStringLiteral("empty") : shown);
}

}  // namespace

void EncounterTableModel::followRows(int rowsBefore, int rowsNow, const std::function<void()>& take)
{
    if (rowsBefore != rowsNow) {
        beginResetModel();
        take();
        return endResetModel();
    }
    take();
    if (rowsNow > 0)
        emit dataChanged(index(0, 0), index(rowsNow - 1, columnCount() - 1));
}

QStringList categoryCaptions()
{
    QStringList captions;
    for (ThreatCategory category = 0; category < kCategoryCount; ++category)
        captions << captionOf(category);
    return captions;
}

EncounterEntriesModel::EncounterEntriesModel(EncounterDocument& document, QObject* parent)
    : EncounterTableModel(parent), document_(document), rows_(static_cast<int>(document.entries().size()))
{
    connect(&document_, &EncounterDocument::changed, this, &EncounterEntriesModel::follow);
}

void EncounterEntriesModel::follow()
{
    followRows(rows_, static_cast<int>(document_.entries().size()),
               [this] { rows_ = static_cast<int>(document_.entries().size()); });
}

int EncounterEntriesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int EncounterEntriesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString EncounterEntriesModel::cellText(int row, int column) const
{
    const EncounterEntry& entry = document_.entries().at(static_cast<std::size_t>(row));
    switch (column) {
    case Count:
        return QString::number(entry.count());
    case Foe:
        return text(entry.foe);
    case Category:
        return captionOf(entry.category);
    case Move:
        return text(entry.block.move);
    case Wound:
        return text(entry.block.wound);
    case Might:
        return text(entry.block.might);
    case Note:
        return text(entry.stale);
    default:
        return text(entry.block.stats.at(static_cast<std::size_t>(column - FirstStatistic)));
    }
}

QVariant EncounterEntriesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const EncounterEntry& entry = document_.entries().at(static_cast<std::size_t>(index.row()));
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row(), index.column());
    case Qt::EditRole:
        return index.column() == Count ? QVariant(entry.count()) : QVariant(cellText(index.row(), index.column()));
    case Qt::AccessibleTextRole:
        return spoken(*this, index, cellText(index.row(), index.column()));
    case Qt::ToolTipRole:
        return entry.stale.empty() ? QVariant() : QVariant("Last numbers shown: " + text(entry.stale));
    case Qt::FontRole: {
        // Numbers the bestiary no longer gives are set apart from fresh ones.
        if (entry.stale.empty())
            return {};
        QFont font;
        font.setItalic(true);
        return font;
    }
    case Qt::TextAlignmentRole:
        return index.column() == Foe || index.column() == Category || index.column() == Note
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant EncounterEntriesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (role != Qt::DisplayRole)
        return {};
    if (section >= FirstStatistic && section < Move)
        return QString::fromLatin1(kStatNames[static_cast<std::size_t>(section - FirstStatistic)]);
    static const QStringList kOthers = {"Count", "Foe", "Category", "Move", "Wound", "Might", "Note"};
    return kOthers.value(section < Move ? section : section - kStatCount);
}

Qt::ItemFlags EncounterEntriesModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.column() == Count || index.column() == Category ? flags | Qt::ItemIsEditable : flags;
}

bool EncounterEntriesModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return false;
    const auto row = static_cast<std::size_t>(index.row());
    const EncounterEntry before = document_.entries().at(row);
    const QString foe = text(before.foe);
    if (index.column() == Count) {
        bool isNumber = false;
        const int count = value.toInt(&isNumber);
        if (!isNumber || count < 1 || count > kMostCreatures)
            return false;
        document_.edit(QStringLiteral("Count of %1").arg(foe),
                       [row, count](Encounter& entries) { setCount(entries[row], count); });
        return true;
    }
    const auto category = static_cast<ThreatCategory>(categoryCaptions().indexOf(value.toString()));
    if (index.column() != Category || !isThreatCategory(category))
        return false;
    // A category the bestiary would give no numbers for is refused, as the
    // sheet refuses a foe its category does not offer.
    EncounterEntry trial = before;
    trial.category = category;
    refreshEntry(trial, document_.lookUp(trial.foe, category));
    if (!trial.stale.empty()) {
        emit rescaled(text(trial.stale) + " It stays at " + captionOf(before.category) + ".");
        return false;
    }
    document_.edit(QStringLiteral("%1 to %2").arg(foe, captionOf(category)),
                   [row, category](Encounter& entries) { entries[row].category = category; });
    const QString heading = QStringLiteral("%1 at %2: ").arg(foe, captionOf(category));
    const std::string changes = changedStatistics(before.block, trial.block);
    emit rescaled(heading + (changes.empty() ? QStringLiteral("no statistic changed") : text(changes)));
    return true;
}

EncounterCreaturesModel::EncounterCreaturesModel(EncounterDocument& document, QObject* parent)
    : EncounterTableModel(parent), document_(document)
{
    connect(&document_, &EncounterDocument::changed, this, &EncounterCreaturesModel::follow);
    follow();
}

void EncounterCreaturesModel::follow()
{
    std::vector<std::pair<std::size_t, int>> creatures;
    const Encounter& entries = document_.entries();
    for (std::size_t entry = 0; entry < entries.size(); ++entry) {
        for (int creature = 0; creature < entries[entry].count(); ++creature)
            creatures.emplace_back(entry, creature);
    }
    followRows(static_cast<int>(creatures_.size()), static_cast<int>(creatures.size()),
               [&] { creatures_ = std::move(creatures); });
}

int EncounterCreaturesModel::rowOf(std::size_t entry, int creature) const
{
    const auto at = std::find(creatures_.begin(), creatures_.end(), std::pair{entry, creature});
    return at == creatures_.end() ? -1 : static_cast<int>(at - creatures_.begin());
}

int EncounterCreaturesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(creatures_.size());
}

int EncounterCreaturesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString EncounterCreaturesModel::cellText(int row, int column) const
{
    const auto [entry, creature] = creatureAt(row);
    const EncounterEntry& shown = document_.entries().at(entry);
    const int hp = shown.hp.at(static_cast<std::size_t>(creature));
    switch (column) {
    case Creature:
        return text(creatureName(document_.entries(), entry, creature));
    case Hp:
        return QStringLiteral("%1 / %2").arg(hp).arg(fullHp(shown));
    default:
        return hp > 0 ? QStringLiteral("standing") : QStringLiteral("down");
    }
}

QVariant EncounterCreaturesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row(), index.column());
    case Qt::AccessibleTextRole:
        return spoken(*this, index, cellText(index.row(), index.column()));
    case Qt::ForegroundRole: {
        const auto [entry, creature] = creatureAt(index.row());
        if (document_.entries().at(entry).hp.at(static_cast<std::size_t>(creature)) > 0)
            return {};
        return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
    }
    case Qt::TextAlignmentRole:
        return index.column() == Hp ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default:
        return {};
    }
}

QVariant EncounterCreaturesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical || role != Qt::DisplayRole)
        return {};
    static const QStringList kNames = {"Creature", "HP", "State"};
    return kNames.value(section);
}
