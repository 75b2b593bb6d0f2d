#include "frmMain.h"

#include "AboutBox.h"
#include "AccessibleNames.h"
#include "AppIcon.h"
#include "ControlBehaviour.h"
#include "InputMarks.h"
#include "MakeFoe.h"
#include "SheetBinding.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

const QString kGeneric = QString::fromUtf8(kGenericFoe.data(), static_cast<int>(kGenericFoe.size()));

}  // namespace

frmMain::frmMain(std::unique_ptr<FoeDatabase> bestiary, QWidget* parent)
    : QMainWindow(parent), Bestiary(std::move(bestiary))
{
    setObjectName("frmMain");
    setWindowTitle("Vorn Foe Calculator");
    setWindowIcon(appIcon());
    auto* clientArea = new QWidget(this);
    setCentralWidget(clientArea);
    ui = buildMainWindowControls(clientArea);
    nameControlsForScreenReaders(ui);
    buildMenu();
    connectEvents();
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    move(204, 144);

    // Start-up: every change raised here finds Ready false, so the one
    // recomputation is the last step.
    ui.cboFoes->setEditText(kGeneric);
    Ready = false;
    Category = kDefaultCategory;
    GetFoes();
    for (QLineEdit* tally : ui.txtTally)
        tally->setText("0");
    Ready = true;
    MakeFoe();
    ui.txtTally[0]->setFocus();
}

frmMain::~frmMain()
{
    // Tearing the window down moves the focus out of the foe box, which Qt
    // reports as a pick from its list; by then the bestiary and the boxes are
    // going, so nothing of the window may answer any more.
    for (QObject* control : findChildren<QObject*>())
        disconnect(control, nullptr, this, nullptr);
}

void frmMain::buildMenu()
{
    mnuExit = menuBar()->addAction("E&xit");  // a command right on the bar, no drop-down
    mnuExit->setObjectName("mnuExit");
    QMenu* mnuHelp = menuBar()->addMenu("&Help");
    mnuHelp->setObjectName("mnuHelp");
    mnuAbout = mnuHelp->addAction("&About Vorn Foe Calculator");
    mnuAbout->setObjectName("mnuAbout");
}

void frmMain::connectEvents()
{
    for (ThreatCategory category = 0; category < kCategoryCount; ++category)
        connect(ui.optCategory[static_cast<std::size_t>(category)], &QRadioButton::clicked, this,
                [this, category] { chooseCategory(category); });
    tabToCheckedButtonOnly(ui.optCategory);
    offerMatchingFoeNames(ui.cboFoes);

    auto recomputeOnceReady = [this] {
        if (Ready)
            MakeFoe();
    };
    connect(ui.cboFoes, &QComboBox::editTextChanged, this, recomputeOnceReady);
    connect(ui.cboFoes, &QComboBox::activated, this, recomputeOnceReady);
    for (QLineEdit* tally : ui.txtTally) {
        connect(tally, &QLineEdit::textChanged, this, recomputeOnceReady);
        selectAllOnEntry(tally);
    }
    // The statistics are the calculator's answer: no typed character reaches them.
    for (QLineEdit* result : ui.txtFoe)
        result->setReadOnly(true);

    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuAbout, &QAction::triggered, this, [] { showAboutBox(); });
}

void frmMain::chooseCategory(ThreatCategory category)
{
    Category = category;
    GetFoes();
    MakeFoe();
}

void frmMain::GetFoes()
{
    const QString saved = ui.cboFoes->currentText();
    QStringList names;
    if (Bestiary) {
        try {
            for (const std::string& name : Bestiary->listNames(Category))
                names << QString::fromStdString(name);
            bestiaryTrouble.clear();
        } catch (const DatabaseError& error) {
            bestiaryTrouble = QString::fromUtf8(error.what());
        }
    }
    // Refilling the list passes the box through other texts on the way back
    // to the foe it keeps, and every caller recomputes once the list is
    // rebuilt: a change event from here would only run the same pass twice.
    const QSignalBlocker quiet(ui.cboFoes);
    ui.cboFoes->clear();
    ui.cboFoes->addItem(kGeneric);
    ui.cboFoes->addItems(names);
    ui.cboFoes->setEditText(names.contains(saved) ? saved : kGeneric);
}

void frmMain::MakeFoe()
{
    FoeSheet sheet = readSheet(ui);
    ::MakeFoe(sheet, Category, [this](const std::string& name) { return lookUp(name); });
    writeSheet(ui, sheet);
    markInputs(ui, sheet.fault, bestiaryTrouble);
}

std::optional<FoeRecord> frmMain::lookUp(const std::string& name)
{
    if (!Bestiary)
        return std::nullopt;
    try {
        auto foe = Bestiary->findFoe(name);
        bestiaryTrouble.clear();
        return foe;
    } catch (const DatabaseError& error) {
        bestiaryTrouble = QString::fromUtf8(error.what());
        return std::nullopt;
    }
}

void frmMain::closeEvent(QCloseEvent* event)
{
    Bestiary.reset();  // shutdown: the bestiary is closed with the window
    event->accept();
}
