#include "editor/WindowStyle.h"

#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <qdrawutil.h>

namespace sonavel {

WindowStyle::WindowStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

int WindowStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight: return 11;
        case PM_CheckBoxLabelSpacing: return 1;
        default: return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

void WindowStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const {
    // A colour set on the button fills it (SetBackColor turns on its background fill). Drawn
    // here, not through the base style's picture cache, which keys each picture by palette:
    // every colour set is a new palette, so each Connect would keep one more picture.
    if (element == PE_PanelButtonCommand && qobject_cast<const QPushButton*>(widget) && widget->autoFillBackground()) {
        const QBrush face = option->palette.button();
        qDrawWinButton(painter, option->rect, option->palette, option->state & (State_Sunken | State_On), &face);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

}  // namespace sonavel
