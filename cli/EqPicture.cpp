#include "cli/EqPicture.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "cli/CliError.h"
#include "eqlist/FilterResponse.h"

namespace sonavel::cli {

namespace {

constexpr int kWidth = 900, kHeight = 540;
const QRectF kPlot(70, 20, kWidth - 70 - 20, kHeight - 20 - 60);
constexpr double kDbStep = 6;
constexpr double kLargestSpanDb = 60;  // deep crossover skirts are cut off below this
const QColor kRequestedColor(30, 90, 200), kFittedColor(210, 40, 30);

double X(double hz) {
    return kPlot.left() + kPlot.width() * std::log(hz / kDeviationLowHz) / std::log(kDeviationHighHz / kDeviationLowHz);
}

struct DbRange {
    double low, high;
    double Y(double db) const { return kPlot.top() + kPlot.height() * (high - db) / (high - low); }
};

DbRange RangeOf(const std::vector<double>& a, const std::vector<double>& b) {
    double low = 0, high = 0;
    for (const auto* curve : {&a, &b})
        for (double db : *curve)
            if (std::isfinite(db)) low = std::min(low, db), high = std::max(high, db);
    high = std::ceil(high / kDbStep + 0.01) * kDbStep;
    low = std::max(std::floor(low / kDbStep - 0.01) * kDbStep, high - kLargestSpanDb);
    return {low, high};
}

void DrawAxes(QPainter& p, const DbRange& range) {
    p.setPen(QPen(QColor(210, 210, 210), 1));
    p.setBrush(Qt::NoBrush);
    const std::pair<double, const char*> ticks[] = {{20, "20"},    {50, "50"},   {100, "100"}, {200, "200"},
                                                    {500, "500"},  {1000, "1k"}, {2000, "2k"}, {5000, "5k"},
                                                    {10000, "10k"}, {20000, "20k"}};
    for (const auto& [hz, label] : ticks) {
        p.setPen(QPen(QColor(210, 210, 210), 1));
        p.drawLine(QPointF(X(hz), kPlot.top()), QPointF(X(hz), kPlot.bottom()));
        p.setPen(Qt::black);
        p.drawText(QRectF(X(hz) - 30, kPlot.bottom() + 4, 60, 18), Qt::AlignHCenter | Qt::AlignTop, label);
    }
    const double step = range.high - range.low > 30 ? 2 * kDbStep : kDbStep;
    for (double db = std::floor(range.high / step) * step; db >= range.low - 1e-9; db -= step) {
        p.setPen(QPen(db == 0 ? QColor(120, 120, 120) : QColor(210, 210, 210), 1));
        p.drawLine(QPointF(kPlot.left(), range.Y(db)), QPointF(kPlot.right(), range.Y(db)));
        p.setPen(Qt::black);
        p.drawText(QRectF(kPlot.left() - 48, range.Y(db) - 9, 42, 18), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(db));
    }
    p.setPen(Qt::black);
    p.drawRect(kPlot);
    p.drawText(QRectF(kPlot.left(), kHeight - 30, kPlot.width(), 20), Qt::AlignHCenter, "Frequency (Hz)");
    p.save();
    p.translate(16, kPlot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-80, -10, 160, 20), Qt::AlignHCenter, "Level (dB)");
    p.restore();
}

void DrawCurve(QPainter& p, const DbRange& range, const std::vector<double>& db, const QPen& pen) {
    const std::vector<double>& grid = DeviationGrid();
    QPainterPath path;
    bool drawing = false;
    for (size_t i = 0; i < grid.size() && i < db.size(); ++i) {
        if (!std::isfinite(db[i])) {
            drawing = false;
            continue;
        }
        const QPointF point(X(grid[i]), range.Y(db[i]));
        drawing ? path.lineTo(point) : path.moveTo(point);
        drawing = true;
    }
    p.setPen(pen);
    p.drawPath(path);
}

void DrawLegend(QPainter& p) {
    const QRectF box(kPlot.right() - 150, kPlot.top() + 10, 140, 50);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(box);
    const std::pair<QColor, const char*> entries[] = {{kRequestedColor, "requested"}, {kFittedColor, "fitted"}};
    for (int i = 0; i < 2; ++i) {
        const double y = box.top() + 15 + 20 * i;
        p.setPen(QPen(entries[i].first, 3));
        p.drawLine(QPointF(box.left() + 10, y), QPointF(box.left() + 40, y));
        p.setPen(Qt::black);
        p.drawText(QRectF(box.left() + 50, y - 9, 90, 18), Qt::AlignLeft | Qt::AlignVCenter, entries[i].second);
    }
}

}  // namespace

QByteArray ResponsesPng(const std::vector<double>& requestedDb, const std::vector<double>& fittedDb) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        const DbRange range = RangeOf(requestedDb, fittedDb);
        DrawAxes(p, range);
        p.setClipRect(kPlot);
        DrawCurve(p, range, requestedDb, QPen(kRequestedColor, 4));
        DrawCurve(p, range, fittedDb, QPen(kFittedColor, 1.5));
        p.setClipping(false);
        DrawLegend(p);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) throw CliError("the response picture could not be encoded as PNG");
    return png;
}

}  // namespace sonavel::cli
