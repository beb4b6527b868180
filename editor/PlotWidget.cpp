#include "editor/PlotWidget.h"

#include <QPainter>

#include "render/PlotPainter.h"

namespace sonavel {

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotWidget::ShowSegments(const std::vector<PlotSegment>& segments) {
    segments_ = segments;
    if (!isVisible()) return;
    ownRepaint_ = true;
    repaint();  // the plot must be on screen before the band's message pauses the window
}

void PlotWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintPlot(painter, segments_);
    if (ownRepaint_) {
        ownRepaint_ = false;
        return;
    }
    emit PaintRequested();
}

}  // namespace sonavel
