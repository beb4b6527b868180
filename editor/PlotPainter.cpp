#include "editor/PlotPainter.h"

#include <QFont>
#include <QPen>

#include "response/PlotGeometry.h"

namespace sonavel {
namespace {

struct Lettering {
    int position;  // pixel row of a level, pixel column of a frequency
    const char* text;
};

constexpr Lettering kLevelLabels[] = {{6, "+24"},  {26, "+18"},  {46, "+12"},
                                      {68, "+6"},  {89, "0"},    {110, "-6"},
                                      {130, "-12"}, {150, "-18"}, {172, "-24"}};
constexpr Lettering kFrequencyLabels[] = {
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
    for (const Lettering& level : kLevelLabels)
        painter.drawText(QRect(0, level.position - 7, kGridLeft - 4, 14),
                         Qt::AlignRight | Qt::AlignVCenter, QString::fromLatin1(level.text));
    for (const Lettering& frequency : kFrequencyLabels)
        painter.drawText(QRect(frequency.position - 20, kGridBottom + 2, 40, 14),
                         Qt::AlignHCenter | Qt::AlignTop, QString::fromLatin1(frequency.text));
}

}  // namespace

void PaintPlot(QPainter& painter, const std::vector<PlotSegment>& segments) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintBackground(painter);
    const QColor red = QColor::fromRgb(kCurveColourRgb);
    painter.setPen(QPen(red, kCurveLineWidthPixels, Qt::SolidLine, Qt::RoundCap));
    // The response core lists channel 1 first, so channel 2 ends up on top.
    for (const PlotSegment& segment : segments)
        painter.drawLine(QPointF(segment.x1 / kTwipsPerPixel, segment.y1 / kTwipsPerPixel),
                         QPointF(segment.x2 / kTwipsPerPixel, segment.y2 / kTwipsPerPixel));
    painter.restore();
}

QImage RenderPlot(const std::vector<PlotSegment>& segments) {
    QImage image(kPlotWidthPixels, kPlotHeightPixels, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintPlot(painter, segments);
    return image;
}

}  // namespace sonavel
