#include "DesignFonts.h"

#include "SheetZoom.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// The decorative face the window was drawn for, and its stand-in: Debian's
// fonts-gotico-antiqua, or the program's own copy where the system has none.
// The stand-in's family also names a roman face of the same package, so the
// style is asked for by name.
constexpr auto kDecorativeFace = "Mystic Etchings";
constexpr auto kStandInFamily = "Rusch";
constexpr auto kStandInStyle = "Gotico-Antiqua 100G";
constexpr auto kBundledStandIn = ":/fonts/Rusch-GoticoAntiqua100G.otf";

struct FontStyle {
    const char* family;
    int pixelSize;
    int weight;  // on the 100..900 scale
    const char* styleName = nullptr;
};

FontStyle styleFor(FontRole role)
{
    switch (role) {
    case FontRole::Box:
        return {"MS Sans Serif", 11, 400};
    case FontRole::Title:
        return {kDecorativeFace, 21, 700, kStandInStyle};
    case FontRole::Heading:
        return {kDecorativeFace, 16, 500, kStandInStyle};
    case FontRole::RowCaption:
        return {kDecorativeFace, 15, 500, kStandInStyle};
    case FontRole::Frame:
        return {"MS Sans Serif", 13, 700};
    case FontRole::Option:
        return {"MS Serif", 13, 400};
    }
    return {"MS Sans Serif", 11, 400};
}

}  // namespace

void installDesignFonts()
{
    // A build for a system that has the stand-in carries no copy of its own.
    if (!QFontDatabase::styles(kStandInFamily).contains(kStandInStyle))
        QFontDatabase::addApplicationFont(kBundledStandIn);
    QFont::insertSubstitution(kDecorativeFace, kStandInFamily);
    // The narrow metric-compatible faces first: they keep captions inside
    // the rectangles the window was drawn for.
    QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "Arial", "DejaVu Sans"});
    QFont::insertSubstitutions("MS Serif", {"Liberation Serif", "Times New Roman", "DejaVu Serif"});
}

QFont designFont(FontRole role, int percent)
{
    const FontStyle style = styleFor(role);
    QFont font(style.family);
    font.setPixelSize(zoomed(style.pixelSize, percent));
    font.setWeight(static_cast<QFont::Weight>(style.weight));
    // Where the decorative face itself is installed, it has no style of this
    // name and is matched by weight as before.
    if (style.styleName)
        font.setStyleName(style.styleName);
    return font;
}
