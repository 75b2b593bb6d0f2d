#include "frmAbout.h"

#include "AppIcon.h"
#include "DesktopSysInfoPlatform.h"
#include "SysInfo.h"
#include "Version.h"

#include <QColor>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>

#include <cstdint>

namespace {

// All sizes and positions are in device-independent pixels.
constexpr QSize kClientSize(382, 237);
constexpr QPoint kClientPosition(156, 129);  // from the screen's top-left corner

const QString kProductName = QStringLiteral("Vorn Foe Calculator");

const QString kRightsNotice = QStringLiteral(
    "The Vorn role-playing game and all rights to it belong to their owners. This calculator "
    "is an unofficial aid for game masters, neither made nor endorsed by them.");
const QString kDistributionNotice =
    QStringLiteral("This calculator may be copied and shared freely, but not sold.");

// "Version 1.0.0": plain decimal numbers, the same in every locale.
QString versionText(std::uint16_t major, std::uint16_t minor, std::uint16_t revision)
{
    return QStringLiteral("Version %1.%2.%3").arg(major).arg(minor).arg(revision);
}

enum class TextColour { Standard, Black };

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// Text from the top-left corner, wrapped at word boundaries and cut off at
// the label's bottom edge.
QLabel* addLabel(QWidget* box, const char* name, const QRect& geometry, TextColour colour,
                 const QString& text = {})
{
    auto* label = new QLabel(text, box);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (colour == TextColour::Black)
        setColour(label, QPalette::WindowText, Qt::black);
    return label;
}

QPushButton* addButton(QWidget* box, const char* name, const QRect& geometry, const QString& text)
{
    auto* button = new QPushButton(text, box);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}

QLabel* addIcon(QWidget* box)
{
    auto* icon = new QLabel(box);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setGeometry(16, 16, 36, 36);
    icon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    icon->setLineWidth(2);
    icon->setAlignment(Qt::AlignCenter);
    icon->setPixmap(appIconPixmap());
    // The icon sits in the tab chain between the two buttons.
    icon->setFocusPolicy(Qt::StrongFocus);
    return icon;
}

// One line of the etched separator, as a strip of solid colour.
void addLine(QWidget* box, const char* name, const QRect& geometry, const QColor& colour)
{
    auto* line = new QWidget(box);
    line->setObjectName(QLatin1String(name));
    line->setGeometry(geometry);
    setColour(line, QPalette::Window, colour);
    line->setAutoFillBackground(true);
}

}  // namespace

frmAbout::frmAbout()
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                           | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kClientSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QRect(screen->geometry().topLeft() + kClientPosition, kClientSize));

    auto* cmdOK = addButton(this, "cmdOK", {283, 175, 84, 23}, tr("OK"));
    auto* picIcon = addIcon(this);
    picIcon->setAccessibleName(tr("%1 icon").arg(kProductName));  // a tab stop, so it needs a name
    auto* cmdSysInfo = addButton(this, "cmdSysInfo", {284, 205, 83, 23}, tr("&System Info..."));
    auto* lblTitle = addLabel(this, "lblTitle", {70, 16, 259, 32}, TextColour::Black);
    auto* lblVersion = addLabel(this, "lblVersion", {70, 52, 259, 15}, TextColour::Standard);
    addLabel(this, "lblDescription", {70, 75, 259, 78}, TextColour::Black, kRightsNotice);
    addLabel(this, "lblDisclaimer", {17, 175, 258, 55}, TextColour::Black, kDistributionNotice);

    // The etched separator: a 2-pixel pen covers the row above its line as
    // well, so the white line spans rows 163 and 164 and the grey line,
    // created later and so lying on top, hides its upper row.
    addLine(this, "Line1(0)", {7, 163, 370, 2}, QColor(255, 255, 255));
    addLine(this, "Line1(1)", {6, 163, 371, 1}, QColor(128, 128, 128));

    cmdOK->setDefault(true);
    setTabOrder(cmdOK, picIcon);
    setTabOrder(picIcon, cmdSysInfo);
    cmdOK->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);

    // Loading: the texts that depend on this build.
    setWindowTitle(tr("About %1").arg(kProductName));
    lblVersion->setText(versionText(kVersionMajor, kVersionMinor, kVersionRevision));
    lblTitle->setText(kProductName);
}

void frmAbout::StartSysInfo()
{
    DesktopSysInfoPlatform platform(this);
    ::StartSysInfo(platform);
}
