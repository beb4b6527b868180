#include "editor/ControlRefresh.h"

#include <iterator>

#include "model/ListEntries.h"
#include "model/ValueScales.h"

namespace sonavel {

void ControlRefresh::UpDateDraw() {
    const auto held = c_.session.HoldParameterMessages();
    const ParameterStore& s = c_.store;
    c_.state.EditEnabled = false;
    for (int c = 1; c <= kChannelCount; ++c) {
        ArrowValue& arrows = c_.controls.channel(c).inputGain;
        arrows.SetValue(arrows.maximum() - s.GainLevel(c));
    }
    for (int c = 1; c <= kChannelCount; ++c) {
        ArrowValue& arrows = c_.controls.channel(c).outputGain;
        arrows.SetValue(arrows.maximum() - s.GainLevel(c + kChannelCount));
    }
    for (int c = 1; c <= kChannelCount; ++c) {
        ArrowValue& arrows = c_.controls.channel(c).delay;
        arrows.SetValue(arrows.maximum() - s.DelaySamples(c) + 1);
    }
    for (int c = 1; c <= kChannelCount; ++c) {
        auto& compressor = c_.controls.channel(c).compressorArrows;
        compressor[0].SetValue(compressor[0].maximum() - s.CompThreshold(c));
        compressor[1].SetValue(compressor[1].maximum() - s.CompAttack(c));
        compressor[2].SetValue(compressor[2].maximum() - s.CompRelease(c) + 1);
        ArrowValue& ratio = compressor[3];
        const bool limiter = s.CompRatio(c) + 1 > ratio.maximum();
        ratio.SetValue(limiter ? 1 : ratio.maximum() - s.CompRatio(c) + 1);
    }
    for (int c = 1; c <= kChannelCount; ++c) c_.controls.channel(c).invert.SetChecked(s.InvertStatus(c) != 0);
    ShowFunctionSwitches();
}

void ControlRefresh::ShowFunctionSwitches() {
    auto& switches = c_.controls.functionSwitches;
    switches[0].SetChecked(c_.store.FuncByPass6(1) != 0);
    switches[1].SetChecked(c_.store.FuncByPass6(2) != 0);
    switches[2].SetChecked(c_.store.FuncByPass3(1) != 0);
    switches[3].SetChecked(c_.store.FuncByPass3(2) != 0);
}

// One band's controls (bands 1..5 also gain, Q, type and "OFF").
void ControlRefresh::RefreshBand(int channel, int band) {
    const int i = band - 1;
    ChannelControls& controls = c_.controls.channel(channel);
    ArrowValue& frequency = controls.frequencyArrows[i];
    frequency.SetValue(ArrowFromFrequency(frequency.maximum(), c_.store.EqFrequency(channel, band)));
    equalizer_.ShowFrequencyText(channel, band);
    if (band > kEqBandCount) return;

    controls.gainArrows[i].SetValue(c_.store.EqGain(channel, band));
    ArrowValue& q = controls.qArrows[i];
    q.SetValue(ArrowFromQPosition(q.maximum(), c_.store.EqQFactor(channel, band)));
    equalizer_.ShowGainText(channel, band);
    equalizer_.ShowQText(channel, band);
    // The type list shows the band's type and only a peak takes a Q, as when the user picks
    // it; a crossover code in an equalizer band touches neither.
    for (int position = 0; position < static_cast<int>(std::size(kEqTypeListEntries)); ++position) {
        if (EqTypeForListPosition(position) != c_.store.EqType(channel, band)) continue;
        controls.typeLists[i].SetPosition(position);
        q.SetEnabled(position == 0);
    }
    controls.offBoxes[i].SetChecked(c_.store.EqByPass(channel, band) != 0);
}

void ControlRefresh::UpDateEQDis() {
    const auto held = c_.session.HoldParameterMessages();
    c_.state.EditEnabled = false;

    for (int number = 1; number <= 2 * kChannelCount; ++number) levels_.StoreGainLevelFromArrows(number);
    // Each mute box shows its own channel's MuteState. The box is set quietly, because
    // unticking through its handler would overwrite the output gain just loaded with 0 dB.
    for (int c = 1; c <= kChannelCount; ++c) c_.controls.channel(c).mute.SetCheckedQuietly(c_.store.MuteState(c) != 0);
    for (int c = 1; c <= kChannelCount; ++c) levels_.StoreDelayFromArrows(c);

    for (int channel = 1; channel <= kChannelCount; ++channel) {
        c_.state.CurrentChannel = channel;
        for (int band = 1; band <= kBandCount; ++band) RefreshBand(channel, band);
        auto& crossover = c_.controls.channel(channel).crossoverLists;
        crossover[1].SetPosition(c_.store.HpType(channel));
        crossover[0].SetPosition(c_.store.LpType(channel));
    }
    ShowFunctionSwitches();

    // Rebuild all fourteen band curves without drawing, then draw both channels once each
    // (through channel 1 band 7, then channel 2 band 7, which stays the current band).
    c_.state.EditEnabled = true;
    c_.bands.RefreshAll();
    c_.state.CurrentChannel = kChannelCount;
    c_.state.CurrentBand = kBandCount;
}

}  // namespace sonavel
