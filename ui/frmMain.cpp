#include "frmMain.h"

#include "AboutBox.h"
#include "AccessibleComboBox.h"
#include "AccessibleNames.h"
#include "AppIcon.h"
#include "BestiaryMenu.h"
#include "BestiarySettings.h"
#include "BestiarySources.h"
#include "BoxFit.h"
#include "ControlBehaviour.h"
#include "FoeList.h"
#include "FoeLookup.h"
#include "FoeOffers.h"
#include "InputMarks.h"
#include "PassingNote.h"
#include "ScreenFit.h"
#include "SheetBinding.h"
#include "SheetCompanions.h"
#include "StatBlockActions.h"
#include "TypedFoeName.h"
#include "ZoomMenu.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QWindow>

#include <new>

frmMain::frmMain(std::unique_ptr<FoeDatabase> bestiary, std::filesystem::path file, QWidget* parent)
    : QMainWindow(parent), bestiary_(std::move(bestiary)), bestiaryFile_(std::move(file))
{
    setObjectName("frmMain");
    setWindowTitle("Vorn Foe Calculator");
    setWindowIcon(appIcon());
    auto* clientArea = new QWidget(this);
    setCentralWidget(clientArea);
    nameComboBoxesByTheirOwnName();
    controls_ = buildMainWindowControls(clientArea);
    nameControlsForScreenReaders(controls_);
    buildMenu();
    connectEvents();
    fitWindowToSheet();
    move(204, 144);

    // Start-up: every change raised here finds Ready false, so the one
    // recomputation is the last step.
    controls_.cboFoes->setEditText(genericFoeName());
    Ready = false;
    Category = kDefaultCategory;
    const std::optional<BestiaryFailure> listing = GetFoes();
    for (QLineEdit* tally : controls_.txtTally)
        tally->setText("0");
    Ready = true;
    recomputeAfterListing(listing);
    controls_.txtTally[0]->setFocus();
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
    QMenu* mnuFile = addBestiaryMenu(menuBar(), this, [this](const QString& file) { openBestiary(file); },
                                     [this] { return bestiaryFile_.empty() ? QString() : fileName(bestiaryFile_); });
    addStatBlockActions(mnuFile, this, [this] { return statBlockOf(sheet_, Category); });
    const auto chooseZoom = [this](int percent) {
        // A step the screen has no room for changes nothing, not even what
        // is remembered for a larger screen.
        if (zoomTo(percent) == percent)
            rememberZoom(percent);
    };
    QMenu* mnuView = addZoomMenu(menuBar(), [this] { return zoom_; }, chooseZoom);
    companions_ = std::make_unique<SheetCompanions>(SheetCompanions::Calculator{
        this,
        [this]() -> const FoeSheet& { return sheet_; },
        [this] { return Category; },
        [this](const std::string& name, ThreatCategory category) { return lookUp(name, category); },
        [this](ThreatCategory category) { controls_.optCategory[static_cast<std::size_t>(category)]->click(); },
        [this] { return zoom_; },
        chooseZoom,
    });
    companions_->addActions(mnuFile, mnuView);
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
        connect(controls_.optCategory[static_cast<std::size_t>(category)], &QRadioButton::clicked, this,
                [this, category] { chooseCategory(category); });
    tabToCheckedButtonOnly(controls_.optCategory);
    offerMatchingFoeNames(controls_.cboFoes);  // first: it drops Qt's completer, which a new list would reset
    foeList_ = holdFoeNamesInOneList(controls_.cboFoes);
    giveTypedFoeNamesTheirListedSpelling(controls_.cboFoes, foeList_);

    auto recomputeOnceReady = [this] {
        if (Ready)
            MakeFoe();
    };
    connect(controls_.cboFoes, &QComboBox::editTextChanged, this, recomputeOnceReady);
    connect(controls_.cboFoes, &QComboBox::activated, this, recomputeOnceReady);
    for (QLineEdit* tally : controls_.txtTally) {
        connect(tally, &QLineEdit::textChanged, tally, [tally] { fitNumberToBox(tally); });
        connect(tally, &QLineEdit::textChanged, this, recomputeOnceReady);
        selectAllOnEntry(tally);
    }
    // The statistics are the calculator's answer: no typed character reaches them.
    for (QLineEdit* result : controls_.txtFoe)
        result->setReadOnly(true);

    acceptBestiaryDrops(this, [this](const QString& file) { openBestiary(file); });

    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuAbout, &QAction::triggered, this, [] { showAboutBox(); });
}

void frmMain::chooseCategory(ThreatCategory category)
{
    Category = category;
    recomputeAfterListing(GetFoes());
}

std::optional<BestiaryFailure> frmMain::GetFoes()
{
    const QString saved = controls_.cboFoes->currentText();
    // Refilling the list passes the box through other texts on the way back
    // to the foe it keeps, and every caller recomputes once the list is
    // rebuilt: a change event from here would only run the same pass twice.
    const QSignalBlocker quiet(controls_.cboFoes);
    // The old list goes first: with a large bestiary, the old and the new
    // list held together would double the memory the box takes.
    foeList_->replaceNames({});
    std::optional<BestiaryFailure> failure;
    try {
        if (bestiary_)
            foeList_->replaceNames(bestiary_->listNames(Category));
    } catch (const DatabaseError& error) {
        failure = BestiaryFailure{error.what()};
    } catch (const std::bad_alloc&) {
        failure = BestiaryFailure{DatabaseError(bestiaryFile_, "there is not enough memory to list its foes").what()};
    }
    if (failure || foeList_->offers(saved)) {
        controls_.cboFoes->setEditText(saved);
        return failure;
    }
    // The rule keeps a foe the category does not offer out of the box; the
    // game master is told at once why every number just changed.
    controls_.cboFoes->setEditText(genericFoeName());
    if (!saved.isEmpty()) {
        const QString category = QString::fromLatin1(kCategoryCaptions[static_cast<std::size_t>(Category)]);
        showPassingNote(controls_.cboFoes,
                        QStringLiteral("%1 is not offered at %2: showing %3").arg(saved, category, genericFoeName()));
    }
    return failure;
}

void frmMain::MakeFoe()
{
    runPass([this](FoeSheet& sheet) { recomputeSheet(sheet, Category, lookUp(sheet.foeName, Category)); });
}

void frmMain::openBestiary(const QString& file)
{
    const QString absolute = QFileInfo(file).absoluteFilePath();
    std::unique_ptr<FoeDatabase> opened;
    try {
        opened = openChosenBestiary(filePath(absolute));
    } catch (const DatabaseError& error) {
        showBestiaryRefusal(this, QString::fromUtf8(error.what()));
        return;
    }
    bestiary_ = std::move(opened);
    bestiaryFile_ = filePath(absolute);
    BestiarySettings::remember(absolute);
    recomputeAfterListing(GetFoes());
    companions_->bestiaryChanged();
}

int frmMain::zoomTo(int percent)
{
    chosenZoom_ = percent;
    refitToScreen();
    return zoom_;
}

void frmMain::refitToScreen()
{
    showZoom(largestZoomThatFits(this, chosenZoom_, [this](int step) { return windowSizeAt(step); }));
}

void frmMain::showZoom(int percent)
{
    if (percent != zoom_) {
        zoom_ = percent;
        placeMainWindowControls(controls_, centralWidget(), percent);
        fitSheetBoxes(controls_);
        fitWindowToSheet();
        companions_->zoomChanged(percent);
    }
    keepInsideScreen(this);
}

QSize frmMain::windowSizeAt(int percent) const
{
    return clientAreaSize(percent) + QSize(0, menuBar()->sizeHint().height());
}

void frmMain::fitWindowToSheet()
{
    resize(windowSizeAt(zoom_));
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Shown, the window knows its screen and its frame; moved to another
    // screen, it may have more room, or less.
    refitToScreen();
    connect(windowHandle(), &QWindow::screenChanged, this, &frmMain::refitToScreen, Qt::UniqueConnection);
}

void frmMain::recomputeAfterListing(const std::optional<BestiaryFailure>& listing)
{
    if (!listing)
        return MakeFoe();
    runPass([&listing](FoeSheet& sheet) { stopOnBestiaryFailure(sheet, *listing); });
}

void frmMain::runPass(const std::function<void(FoeSheet&)>& compute)
{
    readInputs(controls_, sheet_);
    compute(sheet_);
    showSheet(controls_, sheet_);
    markInputs(controls_, sheet_.fault);
    companions_->sheetChanged();
}

FoeLookupResult frmMain::lookUp(const std::string& name, ThreatCategory category)
{
    if (!bestiary_)  // closed with the window; Qt may still report the foe box's last change
        return std::nullopt;
    return lookUpFoe(*bestiary_, name, category);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (!companions_->mayQuit())
        return event->ignore();
    bestiary_.reset();  // shutdown: the bestiary is closed with the window
    event->accept();
}
