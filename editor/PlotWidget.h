#pragma once
// Picture1: shows the response plot. It keeps the segments of the last drawing and paints
// them over the background whenever the window system asks; a paint the window system asks
// for is also reported (PaintRequested), so the window can schedule its deferred redraw.
#include <QWidget>
#include <vector>

#include "response/PlotDrawing.h"

namespace sonavel {

class PlotWidget : public QWidget {
    Q_OBJECT
public:
    explicit PlotWidget(QWidget* parent);

    // Shows a new drawing at once.
    void ShowSegments(const std::vector<PlotSegment>& segments);

signals:
    void PaintRequested();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::vector<PlotSegment> segments_;
    bool ownRepaint_ = false;  // the next paint shows our own drawing, not an uncovering
};

}  // namespace sonavel
