#include "TypedFoeName.h"

#include "FoeList.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

QString listedSpelling(const QComboBox& foes, const QString& typed)
{
    const QString generic = genericFoeName();
    const QAbstractItemModel& listed = *foes.model();
    const QModelIndexList sameLetters = listed.match(listed.index(0, foes.modelColumn()), Qt::DisplayRole, typed,
                                                     -1, Qt::MatchFixedString);
    QString spelling;
    for (const QModelIndex& entry : sameLetters) {
        const QString name = entry.data().toString();
        if (name == typed)
            return typed;
        if (name == generic)
            continue;
        if (!spelling.isEmpty() && name != spelling)
            return typed;  // two spellings: nothing says which one was meant
        spelling = name;
    }
    return spelling.isEmpty() ? typed : spelling;
}

}  // namespace

void giveTypedFoeNamesTheirListedSpelling(QComboBox* foes)
{
    QLineEdit* edit = foes->lineEdit();
    QObject::connect(edit, &QLineEdit::editingFinished, foes, [foes, edit] {
        const QString spelling = listedSpelling(*foes, edit->text());
        if (spelling != edit->text())
            foes->setEditText(spelling);
    });
}
