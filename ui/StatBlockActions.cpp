#include "StatBlockActions.h"

#include "CopyKey.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QToolTip>

namespace {

QString titleOf(const StatBlock& block)
{
    return QString::fromStdString(block.foe + " at " + block.category);
}

// Where the game master's eyes are after a menu command or a key, and gone
// before it is in the way.
void note(QWidget* window, const QString& text)
{
    QToolTip::showText(window->mapToGlobal(QPoint(0, 0)), text, window, {}, 2000);
}

void copyBlock(QWidget* window, const StatBlock& block)
{
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(statBlockText(block)));
    data->setHtml(QString::fromStdString(statBlockHtml(block)));
    data->setData(QStringLiteral("text/markdown"), QByteArray::fromStdString(statBlockMarkdown(block)));
    QGuiApplication::clipboard()->setMimeData(data);
    note(window, "Copied " + titleOf(block));
}

}  // namespace

void addStatBlockActions(QMenu* file, QWidget* window, std::function<StatBlock()> current)
{
    file->addSeparator();
    QAction* copy = file->addAction("&Copy Stat Block");
    copy->setObjectName("mnuCopyStatBlock");
    copy->setShortcut(QKeySequence("Ctrl+Shift+C"));
    QObject::connect(copy, &QAction::triggered, window, [window, current] { copyBlock(window, current()); });
    copyWhenNothingSelected(window, copy);
}
