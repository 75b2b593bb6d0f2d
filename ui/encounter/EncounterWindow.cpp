#include "EncounterWindow.h"

#include "EncounterDocument.h"
#include "EncounterModels.h"
#include "PassingNote.h"
#include "SheetZoom.h"
#include "StatBlockActions.h"
#include "ZoomMenu.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr const char* kFileFilter = "Encounters (*.json);;All files (*)";

// Count is edited in a spin box of the counts an entry may hold, Category
// in a list of the seven captions.
class EntryEditorDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.column() == EncounterEntriesModel::Category) {
            auto* captions = new QComboBox(parent);
            captions->addItems(categoryCaptions());
            return captions;
        }
        auto* count = qobject_cast<QSpinBox*>(QStyledItemDelegate::createEditor(parent, option, index));
        if (count)
            count->setRange(1, kMostCreatures);
        return count;
    }
};

void showFailure(QWidget* window, const QString& message)
{
    QMessageBox box(QMessageBox::Critical, "Vorn_Foe", message, QMessageBox::Ok, window);
    box.exec();
}

QTableView* tableView(const char* name, QAbstractItemModel* model, QWidget* parent)
{
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    // Tab leaves the table for the next pane; arrows move within it.
    view->setTabKeyNavigation(false);
    view->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
    // Columns fit the rows in sight: measuring every row of a large fight
    // would take longer than a frame each time its numbers change.
    view->horizontalHeader()->setResizeContentsPrecision(0);
    return view;
}

}  // namespace

EncounterWindow::EncounterWindow(EncounterDocument& document, const std::function<int()>& zoom,
                                 const std::function<void(int)>& zoomTo, QWidget* parent)
    : QMainWindow(parent), document_(document)
{
    setObjectName("frmEncounter");
    entries_ = new EncounterEntriesModel(document_, this);
    creatures_ = new EncounterCreaturesModel(document_, this);

    auto* panes = new QSplitter(Qt::Vertical, this);
    grdEntries_ = tableView("grdEntries", entries_, panes);
    grdEntries_->setAccessibleName("Entries");
    grdEntries_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdEntries_->setSelectionMode(QAbstractItemView::SingleSelection);
    grdEntries_->setItemDelegate(new EntryEditorDelegate(grdEntries_));
    panes->addWidget(grdEntries_);
    panes->addWidget(buildCreaturesPane());
    panes->setStretchFactor(0, 3);
    panes->setStretchFactor(1, 2);

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->addWidget(panes);
    lblTotals_ = new QLabel(client);
    lblTotals_->setObjectName("lblTotals");
    layout->addWidget(lblTotals_);
    setCentralWidget(client);
    basePointSize_ = client->font().pointSizeF();

    buildMenus(zoom, zoomTo);
    connect(entries_, &EncounterEntriesModel::rescaled, this,
            [this](const QString& changes) { showPassingNote(grdEntries_, changes); });
    connect(&document_, &EncounterDocument::changed, this, [this] {
        showTotals();
        fitColumns();
    });
    connect(&document_.history(), &QUndoStack::cleanChanged, this, &EncounterWindow::showTitle);
    // Entries come and go as a whole table; the place in it stays.
    connect(entries_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { rowBeforeReset_ = currentEntry(); });
    connect(entries_, &QAbstractItemModel::modelReset, this,
            [this] { showEntry(std::min(rowBeforeReset_, entries_->rowCount() - 1)); });
    showTitle();
    showTotals();
    setZoom(kActualSize);
    resize(760, 520);
}

QWidget* EncounterWindow::buildCreaturesPane()
{
    auto* pane = new QWidget(this);
    auto* layout = new QHBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    grdCreatures_ = tableView("grdCreatures", creatures_, pane);
    grdCreatures_->setAccessibleName("Creatures");
    grdCreatures_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdCreatures_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    layout->addWidget(grdCreatures_, 1);

    auto* tools = new QVBoxLayout;
    auto* amountLabel = new QLabel("A&mount:", pane);
    spnAmount_ = new QSpinBox(pane);
    spnAmount_->setObjectName("spnAmount");
    spnAmount_->setRange(1, 9999);
    amountLabel->setBuddy(spnAmount_);
    auto* damage = new QPushButton("&Damage", pane);
    damage->setObjectName("cmdDamage");
    auto* heal = new QPushButton("&Heal", pane);
    heal->setObjectName("cmdHeal");
    connect(damage, &QPushButton::clicked, this, [this] { changeSelectedHp(-1); });
    connect(heal, &QPushButton::clicked, this, [this] { changeSelectedHp(+1); });
    for (QWidget* tool : std::initializer_list<QWidget*>{amountLabel, spnAmount_, damage, heal})
        tools->addWidget(tool);
    tools->addStretch();
    layout->addLayout(tools);
    return pane;
}

void EncounterWindow::buildMenus(const std::function<int()>& zoom, const std::function<void(int)>& zoomTo)
{
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&Open Encounter...", QKeySequence::Open, this, &EncounterWindow::openFile);
    file->addAction("&Save Encounter", QKeySequence::Save, this, &EncounterWindow::save);
    file->addAction("Save Encounter &As...", QKeySequence("Ctrl+Shift+S"), this, &EncounterWindow::saveAs);
    addPrintActions(file, this, [this] {
        std::vector<StatBlock> blocks;
        for (const EncounterEntry& entry : document_.entries())
            blocks.push_back(shownBlock(entry));
        return blocks;
    });
    file->addSeparator();
    file->addAction("&Close", QKeySequence::Close, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu("&Edit");
    QAction* undo = document_.history().createUndoAction(this);
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = document_.history().createRedoAction(this);
    redo->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
    edit->addActions({undo, redo});
    edit->addSeparator();
    edit->addAction("&Duplicate Entry", QKeySequence("Ctrl+D"), this, &EncounterWindow::duplicateEntry);
    edit->addAction("&Remove Entry", QKeySequence::Delete, this, &EncounterWindow::removeEntry);
    edit->addAction("Move Entry &Up", QKeySequence("Alt+Up"), this, [this] { moveEntry(-1); });
    edit->addAction("Move Entry Do&wn", QKeySequence("Alt+Down"), this, [this] { moveEntry(+1); });

    addZoomMenu(menuBar(), zoom, zoomTo);
}

void EncounterWindow::setZoom(int percent)
{
    QFont font = centralWidget()->font();
    font.setPointSizeF(basePointSize_ * percent / kActualSize);
    centralWidget()->setFont(font);
    // Rows are one line high; measuring each row's cells instead would cost
    // a large fight more than a frame on every change.
    const int rowHeight = QFontMetrics(font).lineSpacing() * 3 / 2;
    for (QTableView* view : {grdEntries_, grdCreatures_})
        view->verticalHeader()->setDefaultSectionSize(rowHeight);
    fitColumns();
}

void EncounterWindow::fitColumns()
{
    grdEntries_->resizeColumnsToContents();
    grdCreatures_->resizeColumnsToContents();
}

void EncounterWindow::showTotals()
{
    const EncounterTotals totals = totalsOf(document_.entries());
    lblTotals_->setText(QStringLiteral("Creatures: %1    Standing: %2    HP: %3 / %4    Might: %5")
                            .arg(totals.creatures)
                            .arg(totals.standing)
                            .arg(totals.hp)
                            .arg(totals.fullHp)
                            .arg(totals.might));
}

void EncounterWindow::showTitle()
{
    const QString file = document_.file().isEmpty() ? QStringLiteral("Untitled") : QFileInfo(document_.file()).fileName();
    setWindowTitle(QStringLiteral("Encounter: %1[*] - Vorn Foe Calculator").arg(file));
    setWindowModified(document_.isModified());
}

int EncounterWindow::currentEntry() const
{
    return grdEntries_->currentIndex().isValid() ? grdEntries_->currentIndex().row() : -1;
}

void EncounterWindow::showEntry(int row)
{
    if (row < 0 || row >= entries_->rowCount())
        return;
    const int column = std::max(grdEntries_->currentIndex().column(), 0);
    grdEntries_->setCurrentIndex(entries_->index(row, column));
    grdEntries_->selectRow(row);
}

void EncounterWindow::duplicateEntry()
{
    const int row = currentEntry();
    if (row < 0)
        return;
    const auto at = static_cast<std::size_t>(row);
    document_.edit("Duplicate " + QString::fromStdString(document_.entries()[at].foe), [at](Encounter& entries) {
        const EncounterEntry copy = entries[at];
        entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(at) + 1, copy);
    });
    showEntry(row + 1);
}

void EncounterWindow::removeEntry()
{
    const int row = currentEntry();
    if (row < 0)
        return;
    const auto at = static_cast<std::size_t>(row);
    document_.edit("Remove " + QString::fromStdString(document_.entries()[at].foe),
                   [at](Encounter& entries) { entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(at)); });
}

void EncounterWindow::moveEntry(int by)
{
    const int row = currentEntry();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= entries_->rowCount())
        return;
    document_.edit("Move " + QString::fromStdString(document_.entries()[static_cast<std::size_t>(row)].foe),
                   [row, to](Encounter& entries) {
                       std::swap(entries[static_cast<std::size_t>(row)], entries[static_cast<std::size_t>(to)]);
                   });
    showEntry(to);
}

void EncounterWindow::changeSelectedHp(int sign)
{
    QModelIndexList rows = grdCreatures_->selectionModel()->selectedRows();
    if (rows.isEmpty() && grdCreatures_->currentIndex().isValid())
        rows << grdCreatures_->currentIndex();
    if (rows.isEmpty())
        return showPassingNote(grdCreatures_, "Select the creatures first");
    std::vector<std::pair<std::size_t, int>> chosen;
    for (const QModelIndex& row : rows)
        chosen.push_back(creatures_->creatureAt(row.row()));
    const int change = sign * spnAmount_->value();
    const QString what = QStringLiteral("%1 %2").arg(sign < 0 ? "Damage" : "Heal").arg(spnAmount_->value());
    document_.edit(what, [&chosen, change](Encounter& entries) {
        for (const auto& [entry, creature] : chosen)
            changeHp(entries[entry], creature, change);
    });
    // Back to the creatures, for the next to pick; and Ctrl+Z undoes the
    // blow rather than the amount typed.
    grdCreatures_->setFocus();
}

void EncounterWindow::openFile()
{
    if (!maySetAside())
        return;
    const QString file = QFileDialog::getOpenFileName(this, "Open Encounter", folder_, kFileFilter);
    if (file.isEmpty())
        return;
    QString problem;
    if (!document_.open(file, problem))
        return showFailure(this, problem);
    folder_ = QFileInfo(file).absolutePath();
    showTitle();
}

bool EncounterWindow::save()
{
    if (document_.file().isEmpty())
        return saveAs();
    const QString problem = document_.saveAs(document_.file());
    if (!problem.isEmpty()) {
        showFailure(this, QStringLiteral("Could not save %1:\n%2").arg(QDir::toNativeSeparators(document_.file()), problem));
        return false;
    }
    showPassingNote(grdEntries_, "Saved " + QFileInfo(document_.file()).fileName());
    return true;
}

bool EncounterWindow::saveAs()
{
    const QString offered = document_.file().isEmpty()
                                ? QDir(folder_.isEmpty() ? QDir::homePath() : folder_).filePath("Encounter.json")
                                : document_.file();
    QString file = QFileDialog::getSaveFileName(this, "Save Encounter", offered, kFileFilter);
    if (file.isEmpty())
        return false;
    if (QFileInfo(file).suffix().isEmpty())
        file += ".json";
    const QString problem = document_.saveAs(file);
    if (!problem.isEmpty()) {
        showFailure(this, QStringLiteral("Could not save %1:\n%2").arg(QDir::toNativeSeparators(file), problem));
        return false;
    }
    folder_ = QFileInfo(file).absolutePath();
    showTitle();
    showPassingNote(grdEntries_, "Saved " + QFileInfo(file).fileName());
    return true;
}

bool EncounterWindow::maySetAside()
{
    if (!document_.isModified())
        return true;
    QMessageBox box(QMessageBox::Warning, "Vorn_Foe", "The encounter has changes that are not saved.",
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setInformativeText("Save them?");
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void EncounterWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // The bestiary's file may have been edited while the game master was
    // elsewhere; coming back, the encounter shows what it holds now.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        document_.refresh();
}
