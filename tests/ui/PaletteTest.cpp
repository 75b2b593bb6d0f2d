#include "GuiFixture.h"

#include <QPalette>
#include <QStyle>

#include <cmath>

namespace {

// WCAG relative luminance and contrast ratio: 4.5 is the floor for body text.
double luminance(const QColor& c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    dark.setColor(QPalette::ButtonText, Qt::white);
    return dark;
}

}  // namespace

class PaletteTest : public QObject {
    Q_OBJECT

private slots:
    void outOfRangeMarkIsLegible_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("light") << QApplication::style()->standardPalette();
        QTest::newRow("dark") << darkPalette();
    }

    // State: the desktop's palette. Action: mark a tally, then clear it.
    // Expected: the mark reads well on the box's own background; once cleared
    // the box takes the desktop's palette again, also when that changes.
    void outOfRangeMarkIsLegible()
    {
        QFETCH(QPalette, palette);
        const QPalette original = QApplication::palette();
        QApplication::setPalette(palette);
        {
            OpenWindow w;
            w.showActive();
            QLineEdit* init = w.box("txtTally", 0);
            init->setText("40000");
            const QPalette marked = init->palette();
            QVERIFY(contrast(marked.color(QPalette::Text), marked.color(QPalette::Base)) >= 4.5);
            QCOMPARE(marked.color(QPalette::Base), palette.color(QPalette::Base));

            init->setText("1");
            QApplication::setPalette(original);
            QTRY_COMPARE(init->palette().color(QPalette::Text), original.color(QPalette::Text));
            QCOMPARE(init->palette().color(QPalette::Base), original.color(QPalette::Base));
        }
        QApplication::setPalette(original);
    }
};

QTEST_MAIN(PaletteTest)
#include "PaletteTest.moc"
