#include "BestiaryMenu.h"

#include "BestiarySettings.h"

#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

namespace {

const QString kFilter = QStringLiteral("Bestiaries (*.mdb *.sqlite *.db);;All files (*)");

// Where the file dialog starts: beside the bestiary last opened, else home.
QString startFolder()
{
    const QString last = BestiarySettings::lastOpened();
    return last.isEmpty() ? QDir::homePath() : QFileInfo(last).absolutePath();
}

// A file that has gone stays listed, marked and out of reach, until the
// user clears the list: it may be on a drive that is not mounted just now.
void fillRecent(QMenu* menu, const std::function<void(const QString&)>& open, const QString& current)
{
    menu->clear();
    const QStringList files = BestiarySettings::recent();
    for (const QString& file : files) {
        const bool missing = !QFileInfo::exists(file);
        QAction* entry = menu->addAction(QStringLiteral("&%1 %2%3")
                                             .arg(menu->actions().size() + 1)
                                             .arg(file, missing ? QStringLiteral(" (missing)") : QString()));
        entry->setEnabled(!missing);
        entry->setCheckable(true);
        entry->setChecked(file == current);
        QObject::connect(entry, &QAction::triggered, menu, [open, file] { open(file); });
    }
    if (files.isEmpty())
        menu->addAction(QStringLiteral("(none)"))->setEnabled(false);
    menu->addSeparator();
    QAction* clear = menu->addAction(QStringLiteral("&Clear Recent"));
    clear->setObjectName("mnuClearRecent");
    clear->setEnabled(!files.isEmpty());
    QObject::connect(clear, &QAction::triggered, menu, [] { BestiarySettings::clearRecent(); });
}

// The first local file among the dragged data, if any.
QString droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

class BestiaryDrops : public QObject {
public:
    BestiaryDrops(QObject* parent, std::function<void(const QString&)> open) : QObject(parent), open_(std::move(open)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (droppedFile(drag->mimeData()).isEmpty())
                return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString file = droppedFile(drop->mimeData());
            if (file.isEmpty())
                return false;
            drop->acceptProposedAction();
            open_(file);
            return true;
        }
        default:
            return false;
        }
    }

private:
    std::function<void(const QString&)> open_;
};

}  // namespace

QMenu* addBestiaryMenu(QMenuBar* bar, QWidget* dialogParent, const std::function<void(const QString&)>& open,
                       const std::function<QString()>& current)
{
    QMenu* mnuFile = bar->addMenu("&File");
    mnuFile->setObjectName("mnuFile");
    QAction* mnuOpen = mnuFile->addAction("&Open Bestiary...");
    mnuOpen->setObjectName("mnuOpenBestiary");
    mnuOpen->setShortcut(QKeySequence::Open);
    QObject::connect(mnuOpen, &QAction::triggered, dialogParent, [dialogParent, open] {
        const QString file = QFileDialog::getOpenFileName(dialogParent, "Open Bestiary", startFolder(), kFilter);
        if (!file.isEmpty())
            open(file);
    });
    QMenu* mnuRecent = mnuFile->addMenu("Open &Recent");
    mnuRecent->setObjectName("mnuRecent");
    QObject::connect(mnuRecent, &QMenu::aboutToShow, mnuRecent,
                     [mnuRecent, open, current] { fillRecent(mnuRecent, open, current()); });
    return mnuFile;
}

void showBestiaryRefusal(QWidget* parent, const QString& message)
{
    QMessageBox box(QMessageBox::Critical, "Vorn_Foe", message, QMessageBox::Ok, parent);
    box.exec();
}

void acceptBestiaryDrops(QWidget* window, const std::function<void(const QString&)>& open)
{
    auto* drops = new BestiaryDrops(window, open);
    window->setAcceptDrops(true);
    window->installEventFilter(drops);
    for (QWidget* child : window->findChildren<QWidget*>())
        child->installEventFilter(drops);
}
