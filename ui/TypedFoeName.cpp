#include "TypedFoeName.h"

#include "FoeList.h"

#include <QComboBox>
#include <QLineEdit>

void giveTypedFoeNamesTheirListedSpelling(QComboBox* foes, const FoeListModel* list)
{
    QLineEdit* edit = foes->lineEdit();
    QObject::connect(edit, &QLineEdit::editingFinished, foes, [foes, edit, list] {
        const QString spelling = list->listedSpelling(edit->text());
        if (spelling != edit->text())
            foes->setEditText(spelling);
    });
}
