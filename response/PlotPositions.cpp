#include "response/PlotPositions.h"

#include <stdexcept>
#include <string>

namespace sonavel {

namespace {
constexpr double kMarkerGainDb = 12.0;
constexpr double kMarkerQ = 3.0;
}  // namespace

int PlotPositions::pointOf(int frequencyPosition) const {
    return static_cast<int>(PlotPos.at(frequencyPosition));
}

void GetPresetFreqPosition(FilterSection& section, PlotPositions& positions) {
    constexpr int N = kPlotPoints;
    int p = 0;
    for (int s = 0; s < kFrequencyPositions; ++s) {
        const SectionStatus designed = section.EQCofficents(1, FregDataB[s], kMarkerGainDb, kMarkerQ);
        const SectionStatus evaluated = designed == SectionStatus::Ok ? section.EQFFT() : designed;
        if (evaluated != SectionStatus::Ok)
            throw std::logic_error(std::string("plot position table: ") +
                                   SectionStatusText(evaluated));
        // Plot point i shows grid position N - i; the first of equal minima wins.
        const ResponseArray& r = section.EQFFTData;
        double lowest = r[N - 2];
        for (int i = 3; i <= N; ++i) {
            if (r[N - i] < lowest) {
                lowest = r[N - i];
                p = i;
            }
        }
        positions.PlotPos[s] = p;
    }
    for (int i = 2; i <= kGridHalf; ++i) positions.PlotX[i - 1] = PlotXOf(i);
}

}  // namespace sonavel
