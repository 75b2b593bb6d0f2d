#include "ZoomedStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStyleFactory>

namespace {

QRect scaled(const QRect& r, qreal by)
{
    return QRectF(QPointF(r.topLeft()) * by, QSizeF(r.size()) * by).toAlignedRect();
}

}  // namespace

ZoomedStyle::ZoomedStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

void ZoomedStyle::setZoom(int percent)
{
    zoom_ = percent;
}

int ZoomedStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    const int size = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
    case PM_RadioButtonLabelSpacing:
        return qRound(size * scale());
    default:
        return size;
    }
}

// The combo box is drawn at the size it has at 100 % under a painter scaled
// to the zoom: its frame, button and arrow grow together, as drawn.
void ZoomedStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                     const QWidget* widget) const
{
    const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (control != CC_ComboBox || !combo || zoom_ == 100)
        return QProxyStyle::drawComplexControl(control, option, painter, widget);
    QStyleOptionComboBox unscaled = *combo;
    unscaled.rect = scaled(combo->rect, 1 / scale());
    painter->save();
    painter->scale(scale(), scale());
    drawingUnscaled_ = true;
    QProxyStyle::drawComplexControl(control, &unscaled, painter, widget);
    drawingUnscaled_ = false;
    painter->restore();
}

QRect ZoomedStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                                  const QWidget* widget) const
{
    const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (control != CC_ComboBox || !combo || zoom_ == 100 || drawingUnscaled_)
        return QProxyStyle::subControlRect(control, option, part, widget);
    QStyleOptionComboBox unscaled = *combo;
    unscaled.rect = scaled(combo->rect, 1 / scale());
    return scaled(QProxyStyle::subControlRect(control, &unscaled, part, widget), scale());
}
