#include "cli/PlotPicture.h"

#include <QFont>
#include <QPainter>

#include "render/PlotPainter.h"

namespace sonavel::cli {

namespace {

// The legend sits in the top right corner, over the grid's high frequencies.
constexpr int kLegendRight = kPlotWidthPixels - 12;
constexpr int kLegendTop = 10;
constexpr int kLegendLineHeight = 14;
constexpr int kSampleLength = 18;

void PaintLegend(QPainter& painter, CurveColours colours) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    painter.setFont(font);
    const int textWidth = painter.fontMetrics().horizontalAdvance(QStringLiteral("Channel 2"));
    const int width = kSampleLength + textWidth + 18;
    const QRect box(kLegendRight - width, kLegendTop, width, 2 * kLegendLineHeight + 4);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(kPlotBackground));
    painter.drawRect(box);
    const QRgb curve[] = {colours.channel1, colours.channel2};
    for (int channel = 0; channel < 2; ++channel) {
        const int middle = box.top() + 2 + kLegendLineHeight * channel + kLegendLineHeight / 2;
        painter.setPen(QPen(QColor::fromRgb(curve[channel]), kCurveLineWidthPixels));
        painter.drawLine(box.left() + 5, middle, box.left() + 5 + kSampleLength, middle);
        painter.setPen(Qt::black);
        painter.drawText(QRect(box.left() + 10 + kSampleLength, middle - kLegendLineHeight / 2,
                               textWidth + 4, kLegendLineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Channel %1").arg(channel + 1));
    }
}

}  // namespace

QImage PlotPicture(const std::vector<PlotSegment>& segments) {
    const CurveColours colours{kCurveColourRgb, kChannel2CurveRgb};
    QImage image = RenderPlot(segments, colours);
    QPainter painter(&image);
    PaintLegend(painter, colours);
    return image;
}

}  // namespace sonavel::cli
