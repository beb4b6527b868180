#pragma once
// The widget style of the editor: one that honours the window's palette colours (buttons,
// lamps, frames), with the small check-box mark and close caption spacing of the classic
// window, so that captions such as "Mute Channel01" fit their boxes. A button given a colour
// of its own (the graphical-style connect button) shows that colour flat, in a plain bevel.
#include <QProxyStyle>

namespace sonavel {

class WindowStyle : public QProxyStyle {
public:
    WindowStyle();
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace sonavel
