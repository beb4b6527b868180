#include "editor/BandPath.h"

namespace sonavel {

void BandPath::Apply(int channel, int band) {
    plot_.DoEQFFTDraw(store_, state_.EditEnabled, channel, band);
    if (!state_.EditEnabled) return;
    ShowPlot();  // the plot is on screen before the band's message pauses the window
    if (band == kLowPassBand || band == kHighPassBand)
        session_.Sender().LoadLPHPPrameter(channel, band);
    else
        session_.Sender().LoadEQPrameter(channel, band);
}

void BandPath::RefreshAll() {
    plot_.ClearBandCurves();
    plot_.SetDrawEnabled(false);
    for (int channel = 1; channel <= kChannelCount; ++channel)
        for (int band = 1; band <= kBandCount; ++band) Apply(channel, band);
    plot_.SetDrawEnabled(true);
    Apply(1, kBandCount);
    Apply(2, kBandCount);
}

void BandPath::ShowPlot() {
    if (plot_.drawCount() == shownDrawing_) return;
    shownDrawing_ = plot_.drawCount();
    view_.ShowPlot(plot_.segments());
}

}  // namespace sonavel
