#include "editor/WindowStyle.h"

#include <QStyleFactory>

namespace sonavel {

WindowStyle::WindowStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

int WindowStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight: return 13;
        case PM_CheckBoxLabelSpacing: return 3;
        default: return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

}  // namespace sonavel
