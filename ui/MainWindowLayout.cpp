#include "MainWindowControls.h"

#include "DesignFonts.h"
#include "SheetZoom.h"
#include "ZoomedStyle.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <vector>

// Places are in pixels at 96 dpi, as the sheet was drawn; Qt scales them with
// the screen, and the zoom scales them again. Tab indexes are the sheet's:
// controls that never take the focus hold one too, so the numbers run with
// gaps.
namespace {

struct Place {
    int x, y, width, height;
};

constexpr int kBoxWidth = 33;
constexpr int kBoxHeight = 20;

struct CaptionPlace {
    int index;  // into label2
    const char* caption;
    Place place;
    FontRole font;
};

constexpr CaptionPlace kLabel2[] = {
    {0, "Init", {88, 0, 38, 19}, FontRole::Heading},
    {1, "Atk", {152, 0, 28, 19}, FontRole::Heading},
    {2, "Dfn", {208, 0, 29, 19}, FontRole::Heading},
    {3, "Dam", {264, 0, 34, 19}, FontRole::Heading},
    {4, "Soak", {320, 0, 38, 19}, FontRole::Heading},
    {5, "HP", {384, 0, 19, 19}, FontRole::Heading},
    {6, "Res", {432, 0, 28, 19}, FontRole::Heading},
    {13, "Init", {80, 104, 38, 19}, FontRole::Heading},
    {12, "Atk", {144, 104, 28, 19}, FontRole::Heading},
    {11, "Dfn", {200, 104, 29, 19}, FontRole::Heading},
    {10, "Dam", {256, 104, 34, 19}, FontRole::Heading},
    {16, "Melee", {16, 128, 49, 18}, FontRole::RowCaption},
    {14, "Move", {24, 208, 42, 19}, FontRole::Heading},
    {9, "Soak", {80, 208, 38, 19}, FontRole::Heading},
    {8, "HP", {152, 208, 19, 19}, FontRole::Heading},
    {7, "Res", {200, 208, 28, 19}, FontRole::Heading},
    {18, "Wound", {248, 208, 54, 21}, FontRole::Heading},
    {15, "Mix", {320, 208, 34, 19}, FontRole::Heading},
    {19, "Might", {376, 208, 52, 19}, FontRole::Heading},
};

constexpr Place kTallyTitle{8, 8, 67, 25};
constexpr Place kFoeTitle{24, 72, 38, 25};
constexpr Place kBowCaption{16, 152, 49, 18};
constexpr Place kXBowCaption{17, 176, 48, 18};
constexpr Place kFoes{88, 72, 201, 21};
constexpr Place kFrame{312, 56, 145, 137};

struct BoxPlace {
    int x, y;
    int tabIndex;
};

constexpr BoxPlace kTally[kStatCount] = {
    {88, 24, 8}, {145, 24, 9}, {203, 24, 10}, {260, 24, 11}, {317, 24, 12}, {375, 24, 13}, {432, 24, 14},
};
constexpr BoxPlace kFoe[kStatCount] = {
    {81, 128, 31}, {139, 128, 32}, {198, 128, 33}, {256, 128, 34},  // the Melee row
    {81, 232, 35}, {139, 232, 36}, {198, 232, 37},                  // Soak, HP, Res below
};
constexpr BoxPlace kBow[kRangedColumns] = {{81, 152, 44}, {139, 152, 45}, {198, 152, 46}, {256, 152, 47}};
constexpr BoxPlace kXBow[kRangedColumns] = {{81, 176, 50}, {139, 176, 51}, {198, 176, 52}, {256, 176, 53}};
constexpr BoxPlace kMove{24, 232, 39};
constexpr BoxPlace kWound{256, 232, 55};
constexpr BoxPlace kMix{320, 232, 40};
constexpr BoxPlace kMight{384, 232, 57};
constexpr int kFoesTab = 38;
constexpr int kFirstCategoryTab = 16;  // Pitiful; Terrifying is 22

// Each edge is scaled and rounded on its own, so controls that do not
// touch on the sheet do not touch at any zoom.
QRect zoomedPlace(const Place& p, int percent)
{
    return {QPoint(zoomed(p.x, percent), zoomed(p.y, percent)),
            QPoint(zoomed(p.x + p.width, percent) - 1, zoomed(p.y + p.height, percent) - 1)};
}

// A stand-in face can run wider than the one the sheet was drawn for; the
// label then widens to its caption, away from the box it heads or captions
// (left-aligned ones to the right, right-aligned ones to the left), so no
// caption is cut off and nothing else moves.
QRect fitted(const QLabel* label, QRect r)
{
    const int needed = label->fontMetrics().horizontalAdvance(label->text());
    if (needed > r.width()) {
        if (label->alignment() & Qt::AlignRight)
            r.setLeft(r.right() + 1 - needed);
        else
            r.setWidth(needed);
    }
    return r;
}

void placeLabel(QLabel* label, const Place& p, FontRole font, int percent)
{
    label->setFont(designFont(font, percent));
    label->setGeometry(fitted(label, zoomedPlace(p, percent)));
}

QLabel* makeLabel(QWidget* parent, const QString& name, const char* caption,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setAlignment(alignment);
    return label;
}

class TabOrder {
public:
    void add(int tabIndex, QWidget* widget) { chain_.push_back({tabIndex, widget}); }

    // Chains the focusable controls by tab index; Qt closes the ring itself.
    void apply()
    {
        std::sort(chain_.begin(), chain_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (std::size_t i = 1; i < chain_.size(); ++i)
            QWidget::setTabOrder(chain_[i - 1].second, chain_[i].second);
    }

private:
    std::vector<std::pair<int, QWidget*>> chain_;
};

QLineEdit* makeBox(QWidget* parent, const QString& name, const BoxPlace& at, const char* text, TabOrder& order)
{
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setAlignment(Qt::AlignCenter);
    order.add(at.tabIndex, box);
    return box;
}

void placeBox(QLineEdit* box, const BoxPlace& at, int percent)
{
    box->setGeometry(zoomedPlace(Place{at.x, at.y, kBoxWidth, kBoxHeight}, percent));
}

template <std::size_t N>
void placeBoxRow(const std::array<QLineEdit*, N>& row, const BoxPlace (&places)[N], int percent)
{
    for (std::size_t i = 0; i < N; ++i)
        placeBox(row[i], places[i], percent);
}

template <std::size_t N>
void makeBoxRow(std::array<QLineEdit*, N>& row, QWidget* parent, const char* array, const BoxPlace (&places)[N],
                const char* text, TabOrder& order)
{
    for (std::size_t i = 0; i < N; ++i)
        row[i] = makeBox(parent, arrayMemberName(array, static_cast<int>(i)), places[i], text, order);
}

void buildCategoryFrame(MainWindowControls& c, QWidget* client, TabOrder& order)
{
    c.Frame1 = new QGroupBox("Category", client);
    c.Frame1->setObjectName("Frame1");
    for (ThreatCategory category = 0; category < kCategoryCount; ++category) {
        auto* option = new QRadioButton(QString::fromUtf8(kCategoryCaptions[category].data(),
                                                          static_cast<int>(kCategoryCaptions[category].size())),
                                        c.Frame1);
        option->setObjectName(arrayMemberName("optCategory", category));
        option->setLayoutDirection(Qt::RightToLeft);  // caption at the left, button at the right end
        order.add(kFirstCategoryTab + category, option);
        c.optCategory[static_cast<std::size_t>(category)] = option;
    }
    c.optCategory[kDefaultCategory]->setChecked(true);
    for (QRadioButton* option : c.optCategory)
        option->setStyle(c.zoomedStyle);
}

void placeCategoryFrame(const MainWindowControls& c, int percent)
{
    c.Frame1->setFont(designFont(FontRole::Frame, percent));
    c.Frame1->setGeometry(zoomedPlace(kFrame, percent));
    for (ThreatCategory category = 0; category < kCategoryCount; ++category) {
        QRadioButton* option = c.optCategory[static_cast<std::size_t>(category)];
        option->setFont(designFont(FontRole::Option, percent));
        // Terrifying stands at the top, Pitiful at the bottom, 16 px apart.
        option->setGeometry(zoomedPlace(Place{16, 16 + (kCategoryCount - 1 - category) * 16, 100, 17}, percent));
    }
}

}  // namespace

QString arrayMemberName(const char* array, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

MainWindowControls buildMainWindowControls(QWidget* client)
{
    MainWindowControls c;
    TabOrder order;
    // Set before the boxes exist, they are born with it; set after, each
    // would be told of the change one by one.
    client->setFont(designFont(FontRole::Box));

    c.zoomedStyle = new ZoomedStyle;
    c.zoomedStyle->setParent(client);
    c.Label1 = makeLabel(client, "Label1", "Tally");
    c.Label3 = makeLabel(client, "Label3", "Foe");
    for (const CaptionPlace& label : kLabel2) {
        const Qt::Alignment alignment =
            label.font == FontRole::RowCaption ? Qt::AlignRight | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop;
        c.label2[static_cast<std::size_t>(label.index)] =
            makeLabel(client, arrayMemberName("label2", label.index), label.caption, alignment);
    }
    const Qt::Alignment rowCaption = Qt::AlignRight | Qt::AlignTop;
    c.lblBow = makeLabel(client, "lblBow", "Bow", rowCaption);
    c.lblXBow = makeLabel(client, "lblXBow", "X-Bow", rowCaption);

    makeBoxRow(c.txtTally, client, "txtTally", kTally, "Text1", order);
    c.cboFoes = new QComboBox(client);
    c.cboFoes->setObjectName("cboFoes");
    c.cboFoes->setStyle(c.zoomedStyle);
    c.cboFoes->setEditable(true);
    c.cboFoes->setInsertPolicy(QComboBox::NoInsert);  // typing a name never adds it to the list
    c.cboFoes->setEditText("Combo1");
    order.add(kFoesTab, c.cboFoes);
    buildCategoryFrame(c, client, order);

    makeBoxRow(c.txtFoe, client, "txtFoe", kFoe, "Text1", order);
    makeBoxRow(c.txtBow, client, "txtBow", kBow, "", order);
    makeBoxRow(c.txtXBow, client, "txtXBow", kXBow, "", order);
    c.txtMove = makeBox(client, "txtMove", kMove, "Text1", order);
    c.txtWT = makeBox(client, "txtWT", kWound, "", order);
    c.txtMix = makeBox(client, "txtMix", kMix, "Text1", order);
    c.txtMight = makeBox(client, "txtMight", kMight, "", order);

    order.apply();
    placeMainWindowControls(c, client, 100);
    return c;
}

void placeMainWindowControls(const MainWindowControls& c, QWidget* client, int percent)
{
    c.zoomedStyle->setZoom(percent);  // before the foe box is placed: its edit field follows the style
    client->setFont(designFont(FontRole::Box, percent));  // every box and the foe box take it
    placeLabel(c.Label1, kTallyTitle, FontRole::Title, percent);
    placeLabel(c.Label3, kFoeTitle, FontRole::Title, percent);
    for (const CaptionPlace& label : kLabel2)
        placeLabel(c.label2[static_cast<std::size_t>(label.index)], label.place, label.font, percent);
    placeLabel(c.lblBow, kBowCaption, FontRole::RowCaption, percent);
    placeLabel(c.lblXBow, kXBowCaption, FontRole::RowCaption, percent);

    placeBoxRow(c.txtTally, kTally, percent);
    c.cboFoes->setGeometry(zoomedPlace(kFoes, percent));
    placeCategoryFrame(c, percent);
    placeBoxRow(c.txtFoe, kFoe, percent);
    placeBoxRow(c.txtBow, kBow, percent);
    placeBoxRow(c.txtXBow, kXBow, percent);
    placeBox(c.txtMove, kMove, percent);
    placeBox(c.txtWT, kWound, percent);
    placeBox(c.txtMix, kMix, percent);
    placeBox(c.txtMight, kMight, percent);
}

QSize clientAreaSize(int percent)
{
    return zoomedPlace(Place{0, 0, kClientWidth, kClientHeight}, percent).size();
}
