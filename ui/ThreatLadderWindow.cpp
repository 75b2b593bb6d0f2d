#include "ThreatLadderWindow.h"

#include "SheetZoom.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The grid's rows: Init..Res and Mix, then the boxes that stand alone on the sheet.
const QStringList kRowNames = [] {
    QStringList names;
    for (std::string_view name : kStatNames)  // Init..Res, then Mix
        names << QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    return names << "Move" << "Wound" << "Might";
}();

std::string boxOf(const StatBlock& block, int row)
{
    if (row < kStatCount)
        return block.stats[static_cast<std::size_t>(row)];
    return std::array{block.mix, block.move, block.wound, block.might}[static_cast<std::size_t>(row - kStatCount)];
}

QString captionOf(int column)
{
    const std::string_view caption = kCategoryCaptions[static_cast<std::size_t>(column)];
    return QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
}

}  // namespace

class ThreatLadderModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(kRowNames.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : kCategoryCount; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        const LadderRung& rung = ladder_[static_cast<std::size_t>(index.column())];
        const QString value = rung.offered ? QString::fromStdString(boxOf(rung.block, index.row())) : QString();
        const QString where = captionOf(index.column()) + ", " + kRowNames[index.row()];
        switch (role) {
        case Qt::DisplayRole:
            return rung.offered ? value : QString(QChar(0x2013));  // an en dash
        case Qt::AccessibleTextRole:
            if (!rung.offered)
                return tr("%1: not offered").arg(where);
            return value.isEmpty() ? tr("%1: blank").arg(where) : where + ' ' + value;
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return remark(index.column());
        case Qt::TextAlignmentRole:
            return Qt::AlignCenter;
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Vertical)
            return role == Qt::DisplayRole ? QVariant(kRowNames[section]) : QVariant();
        const bool current = section == current_;
        switch (role) {
        case Qt::DisplayRole:
            return captionOf(section);
        case Qt::FontRole: {
            QFont caption = captionFont_;
            caption.setBold(current);
            return caption;
        }
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return current ? tr("Current category") : remark(section);
        default:
            return {};
        }
    }

    // In place: the grid's shape never changes, so the view keeps its selection.
    void showLadder(const QString& foe, const ThreatLadder& ladder, ThreatCategory current)
    {
        foe_ = foe;
        ladder_ = ladder;
        current_ = current;
        emit dataChanged(index(0, 0), index(rowCount() - 1, kCategoryCount - 1));
        emit headerDataChanged(Qt::Horizontal, 0, kCategoryCount - 1);
    }

    // The header draws a caption in its font whole, so the bold one must carry the zoomed size.
    void setCaptionFont(const QFont& font)
    {
        captionFont_ = font;
        emit headerDataChanged(Qt::Horizontal, 0, kCategoryCount - 1);
    }

    bool offers(int column) const { return isThreatCategory(column) && ladder_[static_cast<std::size_t>(column)].offered; }

private:
    // Why a column has no numbers, or fewer than it should; "" when it has them all.
    QString remark(int column) const
    {
        const LadderRung& rung = ladder_[static_cast<std::size_t>(column)];
        if (!rung.offered)
            return tr("%1 is not offered at %2").arg(foe_, captionOf(column));
        return rung.block.fault ? QString::fromStdString(rung.block.fault->reason) : QString();
    }

    QString foe_;
    ThreatLadder ladder_{};
    ThreatCategory current_ = kDefaultCategory;
    QFont captionFont_;
};

ThreatLadderWindow::ThreatLadderWindow(QWidget* parent)
    : QDialog(parent), model_(new ThreatLadderModel(this)), grid_(new QTableView(this)),
      basePointSize_(QFontInfo(QApplication::font()).pointSize())
{
    setObjectName("frmThreatLadder");
    setWindowTitle(tr("Threat Ladder"));
    grid_->setObjectName("grdLadder");
    grid_->setAccessibleName(tr("Threat ladder"));
    grid_->setModel(model_);
    // A column is a category: Left and Right step from one to the next.
    grid_->setSelectionBehavior(QAbstractItemView::SelectColumns);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Bold marks the current category alone; the selection shows where the keyboard is.
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->installEventFilter(this);
    connect(grid_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& cell) { choose(cell.column()); });
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, &ThreatLadderWindow::choose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // the window follows the grid
    setZoom(kActualSize);
}

void ThreatLadderWindow::showLadder(const std::string& foe, const ThreatLadder& ladder, ThreatCategory current)
{
    const QString name = QString::fromStdString(foe);
    setWindowTitle(tr("Threat Ladder: %1").arg(name));
    model_->showLadder(name, ladder, current);
    const int row = std::max(grid_->currentIndex().row(), 0);
    grid_->selectionModel()->setCurrentIndex(model_->index(row, current),
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Columns);
    fitToGrid();
}

void ThreatLadderWindow::setZoom(int percent)
{
    QFont zoomedFont = font();
    zoomedFont.setPointSize(zoomed(basePointSize_, percent));
    setFont(zoomedFont);
    model_->setCaptionFont(zoomedFont);
    fitToGrid();
}

bool ThreatLadderWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Return takes the column the keyboard is on, as a double-click takes
    // the one under the mouse. The view itself would report an activation,
    // which some desktops also send for a single click.
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            choose(grid_->currentIndex().column());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ThreatLadderWindow::choose(int column)
{
    if (model_->offers(column))
        emit categoryChosen(static_cast<ThreatCategory>(column));
}

// The grid as large as its cells and captions, so that it needs no scroll
// bar. Columns first: a row is as tall as its cells wrap in their columns.
void ThreatLadderWindow::fitToGrid()
{
    grid_->resizeColumnsToContents();
    grid_->resizeRowsToContents();
    const int frame = 2 * grid_->frameWidth();
    grid_->setFixedSize(frame + grid_->verticalHeader()->sizeHint().width() + grid_->horizontalHeader()->length(),
                        frame + grid_->horizontalHeader()->sizeHint().height() + grid_->verticalHeader()->length());
}
