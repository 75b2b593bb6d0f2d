#pragma once

// The foe box's list: "[Generic]", then the names the category offers. A
// large bestiary offers 100,000 names or more at every category change, so
// the list keeps the names as the bestiary gave them and makes the text of a
// row only when the box, its popup or the name suggestions ask for it: no
// second copy of every name, and one reset of the box per change instead of
// an item and its signals per name. The box never measures every name
// either: its place is fixed, and its popup takes one row's height for all.

#include <QAbstractListModel>

#include <string>
#include <vector>

class QComboBox;

// "[Generic]", the list's first entry, as the box shows it.
QString genericFoeName();

class FoeListModel final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Replaces the whole list by "[Generic]" and `names`.
    void replaceNames(std::vector<std::string> names);
    // Whether the box may keep `name`: "[Generic]" or a listed name.
    bool offers(const QString& name) const;
    // The listed spelling of a typed name (FoeNameOrder.h); "[Generic]"
    // keeps its own.
    QString listedSpelling(const QString& typed) const;

private:
    std::vector<std::string> names_;
};

// Gives `foes` the list; before anything else looks at its model.
FoeListModel* holdFoeNamesInOneList(QComboBox* foes);
