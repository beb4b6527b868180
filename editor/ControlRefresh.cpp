// The two refreshes after a bulk change of the store (a preset load, a read-back from the
// unit, and once after start-up). The store is in line already (clamped, crossover codes,
// derived fields); the refreshes only show it. They set the controls through their ordinary
// properties, so each control's own handler runs nested, with the gates closed: EditEnabled
// keeps the equalizer handlers from storing, drawing and sending, and the line holds back
// every single-parameter message meanwhile.
#include <QCheckBox>
#include <QSignalBlocker>
#include <iterator>

#include "editor/Controls.h"
#include "editor/MainWindow.h"
#include "editor/WindowLayout.h"
#include "model/ListEntries.h"
#include "model/ValueScales.h"

namespace sonavel {

// The level part: gains, delays, compressor, invert and function switches.
void MainWindow::UpDateDraw() {
    const auto held = session_.HoldParameterMessages();
    state_.EditEnabled = false;
    for (int c = 1; c <= kChannelCount; ++c) {
        auto* arrows = control<ArrowPair>(MemberName("VScroll4", c - 1));
        arrows->setValue(arrows->maximum() - store_.GainLevel(c));
    }
    for (int c = 1; c <= kChannelCount; ++c) {
        auto* arrows = control<ArrowPair>(MemberName("VScroll9", c - 1));
        arrows->setValue(arrows->maximum() - store_.GainLevel(c + 2));
    }
    for (int c = 1; c <= kChannelCount; ++c) {
        auto* arrows = control<ArrowPair>(MemberName("VScroll5", c - 1));
        arrows->setValue(arrows->maximum() - store_.DelaySamples(c) + 1);
    }
    for (int c = 1; c <= kChannelCount; ++c) {
        ArrowPair* threshold = CompressorArrow(c, 0);
        threshold->setValue(threshold->maximum() - store_.CompThreshold(c));
        ArrowPair* attack = CompressorArrow(c, 1);
        attack->setValue(attack->maximum() - store_.CompAttack(c));
        ArrowPair* release = CompressorArrow(c, 2);
        release->setValue(release->maximum() - store_.CompRelease(c) + 1);
        ArrowPair* ratio = CompressorArrow(c, 3);
        const bool limiter = store_.CompRatio(c) + 1 > ratio->maximum();
        ratio->setValue(limiter ? 1 : ratio->maximum() - store_.CompRatio(c) + 1);
    }
    for (int c = 1; c <= kChannelCount; ++c)
        control<QCheckBox>(ChannelControls(c).invertBox)->setChecked(store_.InvertStatus(c) != 0);
    control<QCheckBox>("Check1_0")->setChecked(store_.FuncByPass6(1) != 0);
    control<QCheckBox>("Check1_1")->setChecked(store_.FuncByPass6(2) != 0);
    control<QCheckBox>("Check1_2")->setChecked(store_.FuncByPass3(1) != 0);
    control<QCheckBox>("Check1_3")->setChecked(store_.FuncByPass3(2) != 0);
}

// One band's controls (bands 1..5 also gain, Q, type and "OFF").
void MainWindow::RefreshBand(int channel, int band) {
    const int i = band - 1;
    ArrowPair* frequency = FrequencyArrow(channel, i);
    frequency->setValue(ArrowFromFrequency(frequency->maximum(), store_.EqFrequency(channel, band)));
    ShowFrequencyText(channel, band);
    if (band > kEqBandCount) return;

    GainArrow(channel, i)->setValue(store_.EqGain(channel, band));
    ArrowPair* q = QArrow(channel, i);
    q->setValue(ArrowFromQPosition(q->maximum(), store_.EqQFactor(channel, band)));
    ShowGainText(channel, band);
    ShowQText(channel, band);
    // The type list shows the band's type and only a peak takes a Q, as when the user picks
    // it; a crossover code in an equalizer band touches neither.
    for (int position = 0; position < static_cast<int>(std::size(kEqTypeListEntries)); ++position) {
        if (EqTypeForListPosition(position) != store_.EqType(channel, band)) continue;
        TypeList(channel, i)->setListIndex(position);
        q->setEnabled(position == 0);
    }
    OffBox(channel, i)->setChecked(store_.EqByPass(channel, band) != 0);
}

void MainWindow::UpDateEQDis() {
    const auto held = session_.HoldParameterMessages();
    state_.EditEnabled = false;

    for (int number = 1; number <= 2 * kChannelCount; ++number) StoreGainLevelFromArrows(number);
    // Each mute box shows its own channel's MuteState. The box is set quietly, because
    // unticking through its handler would overwrite the output gain just loaded with 0 dB.
    for (int i = 0; i < kChannelCount; ++i) {
        auto* box = control<QCheckBox>(MemberName("Check7", i));
        const QSignalBlocker quiet(box);
        box->setChecked(store_.MuteState(i + 1) != 0);
    }
    for (int i = 0; i < kChannelCount; ++i) StoreDelayFromArrows(i);

    for (int channel = 1; channel <= kChannelCount; ++channel) {
        state_.CurrentChannel = channel;
        for (int band = 1; band <= kBandCount; ++band) RefreshBand(channel, band);
        CrossoverList(channel, 1)->setListIndex(store_.HpType(channel));
        CrossoverList(channel, 0)->setListIndex(store_.LpType(channel));
    }

    control<QCheckBox>("Check1_0")->setChecked(store_.FuncByPass6(1) != 0);
    control<QCheckBox>("Check1_1")->setChecked(store_.FuncByPass6(2) != 0);
    control<QCheckBox>("Check1_2")->setChecked(store_.FuncByPass3(1) != 0);
    control<QCheckBox>("Check1_3")->setChecked(store_.FuncByPass3(2) != 0);

    // Rebuild all fourteen band curves without drawing, then draw both channels once each
    // (through channel 1 band 7, then channel 2 band 7, which stays the current band).
    state_.EditEnabled = true;
    plot_.RefreshAllBands(store_);
    ShowPlot();
    state_.CurrentChannel = kChannelCount;
    state_.CurrentBand = kBandCount;
}

}  // namespace sonavel
