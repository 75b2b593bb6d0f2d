#include "FoeList.h"

#include "FoeNameOrder.h"
#include "FoeSheet.h"

#include <QComboBox>
#include <QListView>

#include <algorithm>

QString genericFoeName()
{
    return QString::fromUtf8(kGenericFoe.data(), static_cast<qsizetype>(kGenericFoe.size()));
}

int FoeListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(names_.size()) + 1;
}

QVariant FoeListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    return row == 0 ? genericFoeName() : QString::fromStdString(names_[row - 1]);
}

void FoeListModel::replaceNames(std::vector<std::string> names)
{
    beginResetModel();
    names_ = std::move(names);
    endResetModel();
}

bool FoeListModel::offers(const QString& name) const
{
    return name == genericFoeName() || std::find(names_.begin(), names_.end(), name.toStdString()) != names_.end();
}

QString FoeListModel::listedSpelling(const QString& typed) const
{
    if (typed == genericFoeName())
        return typed;
    return QString::fromStdString(::listedSpelling(names_, typed.toStdString()));
}

FoeListModel* holdFoeNamesInOneList(QComboBox* foes)
{
    auto* list = new FoeListModel(foes);
    foes->setModel(list);
    foes->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* popup = static_cast<QListView*>(foes->view());
    popup->setUniformItemSizes(true);
    popup->setEditTriggers(QAbstractItemView::NoEditTriggers);  // the list offers names; it does not edit them
    return list;
}
