#pragma once
// The requested and the fitted response of a filter list as a PNG picture: frequency in Hz
// on a log axis, level in dB, and a legend. Needs the graphical application for its lettering.
#include <QByteArray>
#include <vector>

namespace sonavel::cli {

// Both responses on the deviation grid (20 Hz to 20 kHz).
QByteArray ResponsesPng(const std::vector<double>& requestedDb, const std::vector<double>& fittedDb);

}  // namespace sonavel::cli
