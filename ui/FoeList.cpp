#include "FoeList.h"

#include <QComboBox>
#include <QListView>
#include <QStringListModel>

void holdFoeNamesInOneList(QComboBox* foes)
{
    foes->setModel(new QStringListModel(foes));
    foes->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* popup = static_cast<QListView*>(foes->view());
    popup->setUniformItemSizes(true);
    popup->setEditTriggers(QAbstractItemView::NoEditTriggers);  // the list offers names; it does not edit them
}

void replaceFoeNames(QComboBox* foes, const QStringList& names)
{
    static_cast<QStringListModel*>(foes->model())->setStringList(names);
}
