#include "response/ResponsePlot.h"

#include <algorithm>

namespace sonavel {

ResponsePlot::ResponsePlot(CrossoverCaching caching)
    : references_(caching),
      positions_(std::make_unique<PlotPositions>()),
      bandCurves_(std::make_unique<BandArray<Curve>>()),
      sums_(std::make_unique<ChannelArray<Curve>>()),
      scratch_(std::make_unique<SynthesisScratch>()) {
    FilterSection section;
    GetPresetFreqPosition(section, *positions_);
    segments_.reserve(2 * kPlotPoints);
}

void ResponsePlot::DoEQFFTDraw(const ParameterStore& store, bool editEnabled, int channel,
                               int band) {
    BandArray<Curve>::slot(channel, band);  // a bad band throws before anything changes
    if (!editEnabled) return;
    EQFFTDraw(store, channel, band);
}

void ResponsePlot::EQFFTDraw(const ParameterStore& store, int channel, int band) {
    Curve& curve = (*bandCurves_)(channel, band);
    SynthesizeBandCurve(store, channel, band, *positions_, references_, *scratch_, curve);
    if (DrawEnabled_) draw();
}

void ResponsePlot::draw() {
    segments_.clear();
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        Curve& sum = (*sums_)(channel);
        std::fill_n(sum.begin() + 1, kPlotPoints - 1, 0.0);
        for (int band = 1; band <= kBandCount; ++band) {
            const Curve& curve = (*bandCurves_)(channel, band);
            for (int i = 2; i <= kPlotPoints; ++i) At(sum, i) += At(curve, i);
        }
        AppendChannelSegments(channel, sum, positions_->PlotX, segments_);
    }
    ++drawCount_;
}

void ResponsePlot::ClearBandCurves() {
    for (Curve& curve : bandCurves_->raw()) std::fill_n(curve.begin(), kGridHalf, 0.0);
}

void ResponsePlot::RefreshAllBands(const ParameterStore& store) {
    ClearBandCurves();
    DrawEnabled_ = false;
    for (int channel = 1; channel <= kChannelCount; ++channel)
        for (int band = 1; band <= kBandCount; ++band) DoEQFFTDraw(store, true, channel, band);
    DrawEnabled_ = true;
    DoEQFFTDraw(store, true, 1, kBandCount);
    DoEQFFTDraw(store, true, 2, kBandCount);
}

const Curve& ResponsePlot::SumCurve(int channel) const { return (*sums_)(channel); }

const Curve& ResponsePlot::BandCurve(int channel, int band) const {
    return (*bandCurves_)(channel, band);
}

}  // namespace sonavel
