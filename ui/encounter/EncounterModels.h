#pragma once

// The encounter as two tables a view shows and a screen reader reads cell
// by cell, each cell with its column's name:
//
//   EncounterEntriesModel    one row per entry: Count, Foe, Category, the
//                            seven statistics, Move, Wound, Might, Note;
//                            Count and Category are edited in place
//   EncounterCreaturesModel  one row per creature: "Bandit 2", "18 / 25", "down"
//
// Both follow the document: an edit in place becomes a step of its history.

#include "FoeStats.h"

#include <QAbstractTableModel>

#include <functional>
#include <utility>
#include <vector>

class EncounterDocument;

class EncounterTableModel : public QAbstractTableModel {
protected:
    using QAbstractTableModel::QAbstractTableModel;
    // Resets the model when rows came or went; else tells the views that
    // every cell may have changed, so that they keep their selection and
    // place. `take` takes the document's new state in.
    void followRows(int rowsBefore, int rowsNow, const std::function<void()>& take);
};

class EncounterEntriesModel final : public EncounterTableModel {
    Q_OBJECT

public:
    enum Column { Count, Foe, Category, FirstStatistic, Move = FirstStatistic + kStatCount, Wound, Might, Note, ColumnCount };

    explicit EncounterEntriesModel(EncounterDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // An entry's category was changed in place: what each statistic did.
    void rescaled(const QString& changes);

private:
    QString cellText(int row, int column) const;
    void follow();

    EncounterDocument& document_;
    int rows_ = 0;
};

class EncounterCreaturesModel final : public EncounterTableModel {
    Q_OBJECT

public:
    enum Column { Creature, Hp, State, ColumnCount };

    explicit EncounterCreaturesModel(EncounterDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The entry and the creature within it that `row` shows.
    std::pair<std::size_t, int> creatureAt(int row) const { return creatures_.at(static_cast<std::size_t>(row)); }
    int rowOf(std::size_t entry, int creature) const;

private:
    QString cellText(int row, int column) const;
    void follow();

    EncounterDocument& document_;
    std::vector<std::pair<std::size_t, int>> creatures_;
};

// The category captions an entry's Category cell offers when edited.
QStringList categoryCaptions();
