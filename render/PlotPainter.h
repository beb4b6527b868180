#pragma once
// The response plot as the editor shows it: the background with its grid and lettering, and
// the curves' segments in red, 2 px wide, channel 2 over channel 1. Works on any QPainter,
// so the command-line tool renders exactly what the window shows (a QGuiApplication must
// exist for the lettering).
#include <QImage>
#include <QPainter>
#include <vector>

#include "response/PlotDrawing.h"

namespace sonavel {

// The plot control in pixels (15 twips a pixel).
constexpr int kPlotWidthPixels = 657;
constexpr int kPlotHeightPixels = 193;

// Grid lines: the pixel rows of +24 .. -24 dB in 6 dB steps, and the pixel columns of the
// marked frequencies from the grid's left edge to its right edge.
inline constexpr int kGridRows[] = {6, 26, 46, 68, 89, 110, 130, 150, 172};
inline constexpr int kGridColumns[] = {52,  86,  113, 137, 158, 174, 187, 200, 209, 257,
                                       285, 305, 322, 338, 352, 365, 377, 385, 394, 444,
                                       478, 502, 521, 540, 556, 570, 584, 593, 638, 649};

// The plot's colours as 0xRRGGBB.
constexpr QRgb kPlotBackground = 0xC0C0FF;
constexpr QRgb kPlotGrid = 0x008000;

// The colours of the two channels' curves as 0xRRGGBB; the editor draws both in red.
struct CurveColours {
    QRgb channel1 = kCurveColourRgb;
    QRgb channel2 = kCurveColourRgb;
};

// Paints the background, then the segments (in twips of the plot control) at (0, 0).
void PaintPlot(QPainter& painter, const std::vector<PlotSegment>& segments, CurveColours colours = {});

// The plot as a picture of kPlotWidthPixels x kPlotHeightPixels.
QImage RenderPlot(const std::vector<PlotSegment>& segments, CurveColours colours = {});

}  // namespace sonavel
