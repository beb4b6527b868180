#pragma once
// The response plot as an exported picture: the editor's plot with channel 2 in a colour of
// its own and a small legend naming the two channels.
#include <QImage>
#include <vector>

#include "response/PlotDrawing.h"

namespace sonavel::cli {

constexpr QRgb kChannel2CurveRgb = 0x0000C0;  // dark blue against the plot's lavender

// Needs a QGuiApplication for the lettering.
QImage PlotPicture(const std::vector<PlotSegment>& segments);

}  // namespace sonavel::cli
