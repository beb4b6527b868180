#include "response/ResponsePlot.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace sonavel {

ResponsePlot::ResponsePlot(SendBand sendBand, CrossoverCaching caching)
    : sendBand_(std::move(sendBand)),
      references_(caching),
      positions_(std::make_unique<PlotPositions>()),
      bandCurves_(std::make_unique<std::array<Curve, kChannelCount * kBandCount>>()),
      sums_(std::make_unique<std::array<Curve, kChannelCount>>()),
      scratch_(std::make_unique<SynthesisScratch>()) {
    FilterSection section;
    GetPresetFreqPosition(section, *positions_);
    segments_.reserve(2 * kPlotPoints);
}

void ResponsePlot::requireBand(int channel, int band) {
    if (channel < 1 || channel > kChannelCount || band < 1 || band > kBandCount)
        throw std::out_of_range("plot band: channel " + std::to_string(channel) + " band " +
                                std::to_string(band));
}

int ResponsePlot::curveIndex(int channel, int band) {
    requireBand(channel, band);
    return (channel - 1) * kBandCount + (band - 1);
}

void ResponsePlot::DoEQFFTDraw(const ParameterStore& store, bool editEnabled, int channel,
                               int band) {
    requireBand(channel, band);
    if (!editEnabled) return;
    EQFFTDraw(store, channel, band);
    if (sendBand_) sendBand_(channel, band);
}

void ResponsePlot::EQFFTDraw(const ParameterStore& store, int channel, int band) {
    Curve& curve = (*bandCurves_)[curveIndex(channel, band)];
    SynthesizeBandCurve(store, channel, band, *positions_, references_, *scratch_, curve);
    if (DrawEnabled_) draw();
}

void ResponsePlot::draw() {
    segments_.clear();
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        Curve& sum = (*sums_)[channel - 1];
        std::fill_n(sum.begin() + 1, kPlotPoints - 1, 0.0);
        for (int band = 1; band <= kBandCount; ++band) {
            const Curve& curve = (*bandCurves_)[curveIndex(channel, band)];
            for (int i = 2; i <= kPlotPoints; ++i) At(sum, i) += At(curve, i);
        }
        AppendChannelSegments(channel, sum, positions_->PlotX, segments_);
    }
    ++drawCount_;
}

void ResponsePlot::ClearBandCurves() {
    for (Curve& curve : *bandCurves_) std::fill_n(curve.begin(), kGridHalf, 0.0);
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

const Curve& ResponsePlot::SumCurve(int channel) const {
    requireBand(channel, 1);
    return (*sums_)[channel - 1];
}

const Curve& ResponsePlot::BandCurve(int channel, int band) const {
    return (*bandCurves_)[curveIndex(channel, band)];
}

}  // namespace sonavel
