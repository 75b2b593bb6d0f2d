#include "DesignFonts.h"

#include "SheetZoom.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

struct FontStyle {
    const char* family;
    int pixelSize;
    int weight;  // on the 100..900 scale
};

FontStyle styleFor(FontRole role)
{
    switch (role) {
    case FontRole::Box:
        return {"MS Sans Serif", 11, 400};
    case FontRole::Title:
        return {"Mystic Etchings", 21, 700};
    case FontRole::Heading:
        return {"Mystic Etchings", 16, 500};
    case FontRole::RowCaption:
        return {"Mystic Etchings", 15, 500};
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
    const int id = QFontDatabase::addApplicationFont(":/fonts/Rusch-GoticoAntiqua100G.otf");
    const QStringList bundled = QFontDatabase::applicationFontFamilies(id);
    if (!bundled.isEmpty())
        QFont::insertSubstitution("Mystic Etchings", bundled.first());
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
    return font;
}
