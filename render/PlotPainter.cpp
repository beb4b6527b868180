#include "render/PlotPainter.h"

#include <QFont>
#include <QPen>

#include "response/PlotGeometry.h"

namespace sonavel {
namespace {

struct FrequencyLabel {
    int column;  // pixel column of the frequency
    const char* text;
};

constexpr FrequencyLabel kFrequencyLabels[] = {
    {86, "30"},  {113, "40"}, {137, "50"}, {209, "100"}, {257, "200"},
    {285, "300"}, {305, "400"}, {322, "500"}, {394, "1K"}, {444, "2K"},
    {478, "3K"},  {502, "4K"}, {521, "5K"},  {593, "10K"}, {638, "20K"}};

constexpr int kGridLeft = kGridColumns[0];
constexpr int kGridRight = kGridColumns[std::size(kGridColumns) - 1];
constexpr int kGridTop = kGridRows[0];
constexpr int kGridBottom = kGridRows[std::size(kGridRows) - 1];

void PaintBackground(QPainter& painter) {
    painter.fillRect(0, 0, kPlotWidthPixels, kPlotHeightPixels, QColor(kPlotBackground));
    painter.setPen(QPen(QColor(kPlotGrid), 1));
    for (int row : kGridRows) painter.drawLine(kGridLeft, row, kGridRight, row);
    for (int column : kGridColumns) painter.drawLine(column, kGridTop, column, kGridBottom);

    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(Qt::black);
    // Each grid row carries its level, +24 dB at the top in 6 dB steps.
    for (size_t row = 0; row < std::size(kGridRows); ++row) {
        const int db = 24 - 6 * static_cast<int>(row);
        painter.drawText(QRect(0, kGridRows[row] - 7, kGridLeft - 4, 14), Qt::AlignRight | Qt::AlignVCenter,
                         (db > 0 ? "+" : "") + QString::number(db));
    }
    for (const FrequencyLabel& frequency : kFrequencyLabels)
        painter.drawText(QRect(frequency.column - 20, kGridBottom + 2, 40, 14),
                         Qt::AlignHCenter | Qt::AlignTop, QString::fromLatin1(frequency.text));
}

}  // namespace

void PaintPlot(QPainter& painter, const std::vector<PlotSegment>& segments, CurveColours colours) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintBackground(painter);
    // The response core lists channel 1 first, so channel 2 ends up on top.
    int penChannel = 0;
    for (const PlotSegment& segment : segments) {
        if (segment.channel != penChannel) {
            penChannel = segment.channel;
            const QRgb colour = penChannel == 2 ? colours.channel2 : colours.channel1;
            painter.setPen(QPen(QColor::fromRgb(colour), kCurveLineWidthPixels, Qt::SolidLine, Qt::RoundCap));
        }
        painter.drawLine(QPointF(segment.x1 / kTwipsPerPixel, segment.y1 / kTwipsPerPixel),
                         QPointF(segment.x2 / kTwipsPerPixel, segment.y2 / kTwipsPerPixel));
    }
    painter.restore();
}

QImage RenderPlot(const std::vector<PlotSegment>& segments, CurveColours colours) {
    QImage image(kPlotWidthPixels, kPlotHeightPixels, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintPlot(painter, segments, colours);
    return image;
}

}  // namespace sonavel
