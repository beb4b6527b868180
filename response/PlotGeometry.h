#pragma once
// Geometry of the response plot: points, twips and the visible window.
#include <array>
#include <cstdint>

#include "response/FilterSection.h"

namespace sonavel {

// Plot points 1..510; plot point i stands for grid position 510 - i.
constexpr int kPlotPoints = kGridHalf - 2;  // N = 510

// A curve over the plot points: point p is stored at position p - 1.
using Curve = std::array<double, kGridSize>;
inline double& At(Curve& curve, int point) { return curve[point - 1]; }
inline double At(const Curve& curve, int point) { return curve[point - 1]; }

// Twips of the plot control: x of point i, y of a value v (plot units).
constexpr double kPlotXStep = 18.0;
constexpr double kPlotXOrigin = 680.0;
constexpr double kZeroDbY = 1320.0;
constexpr double PlotXOf(int point) { return kPlotXStep * point + kPlotXOrigin; }
constexpr double PlotYOf(double value) { return kZeroDbY + value; }

// The window drawn into; anything outside it is clipped or skipped.
constexpr double kDrawLeft = 780.0;
constexpr double kDrawRight = 9720.0;
constexpr double kDrawTop = 80.0;
constexpr double kDrawBottom = 2580.0;

// The plot control and how the curves look on it.
constexpr int kPlotWidthTwips = 9855;
constexpr int kPlotHeightTwips = 2895;
constexpr int kTwipsPerPixel = 15;
constexpr uint32_t kCurveColourRgb = 0xFF0000;  // red
constexpr int kCurveLineWidthPixels = 2;

}  // namespace sonavel
