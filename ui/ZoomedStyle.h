#pragma once

#include <QProxyStyle>

// The desktop's style, with the parts it draws at one size whatever their
// widget's (the category buttons' circles, the foe box's frame and arrow)
// scaled with the sheet, so that they grow with the zoom as the boxes and
// captions do. Given to those controls alone: every other widget keeps the
// desktop's style untouched.
class ZoomedStyle final : public QProxyStyle {
public:
    ZoomedStyle();

    void setZoom(int percent);

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget = nullptr) const override;

private:
    qreal scale() const { return zoom_ / 100.0; }

    int zoom_ = 100;
    // While the desktop's style draws a combo box at its own size under a
    // scaled painter, the places it asks for are at that size too.
    mutable bool drawingUnscaled_ = false;
};
