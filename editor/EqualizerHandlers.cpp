#include "editor/EqualizerHandlers.h"

#include "model/BulkChange.h"
#include "model/NumberReader.h"
#include "model/ScaleTables.h"
#include "model/ValueScales.h"

namespace sonavel {
namespace {

constexpr int kEnter = 13;

}  // namespace

void EqualizerHandlers::Attach() {
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        ChannelControls& controls = c_.controls.channel(channel);
        for (int band = 1; band <= kBandCount; ++band) {
            const int i = band - 1;
            controls.frequencyArrows[i].OnEvent([=, this] { FrequencyArrow_Change(channel, band); });
            controls.frequencyBoxes[i].OnClick([=, this] { FrequencyBox_Click(channel, band); });
            controls.frequencyBoxes[i].OnKey([=, this](int code) { FrequencyBox_KeyPress(channel, band, code); });
        }
        for (int band = 1; band <= kEqBandCount; ++band) {
            const int i = band - 1;
            controls.gainArrows[i].OnEvent([=, this] { GainArrow_Change(channel, band); });
            controls.qArrows[i].OnEvent([=, this] { QArrow_Change(channel, band); });
            controls.typeLists[i].OnEvent([=, this] { TypeList_Click(channel, band); });
            controls.offBoxes[i].OnEvent([=, this] { OffBox_Click(channel, band); });
        }
        for (int slot = 0; slot < 2; ++slot)
            controls.crossoverLists[slot].OnEvent([=, this] { CrossoverList_Click(channel, slot); });
    }
}

void EqualizerHandlers::ShowFrequencyText(int channel, int band) {
    c_.controls.channel(channel).frequencyBoxes[band - 1].SetText(ReturnHz(c_.store.EqFrequency(channel, band)));
}

void EqualizerHandlers::ShowGainText(int channel, int band) {
    c_.controls.channel(channel).gainBoxes[band - 1].SetText(NumberText(c_.store.EqGainDb(channel, band)) + "dB");
}

void EqualizerHandlers::ShowQText(int channel, int band) {
    c_.controls.channel(channel).qBoxes[band - 1].SetText(NumberText(c_.store.EqQValue(channel, band)));
}

void EqualizerHandlers::Operated(int channel, int band) {
    c_.state.CurrentChannel = channel;
    c_.state.CurrentBand = band;
}

void EqualizerHandlers::FrequencyArrow_Change(int channel, int band) {
    Operated(channel, band);
    if (c_.state.EditEnabled) {
        const ArrowValue& arrows = c_.controls.channel(channel).frequencyArrows[band - 1];
        const int frequency = FrequencyFromArrow(arrows.maximum(), arrows.value());
        c_.store.EqFreqPosition(channel, band) = static_cast<int16_t>(GetFregPosition(frequency));
        c_.store.EqFrequency(channel, band) = static_cast<int16_t>(frequency);
        c_.bands.Apply(channel, band);
    }
    ShowFrequencyText(channel, band);
}

void EqualizerHandlers::GainArrow_Change(int channel, int band) {
    Operated(channel, band);
    if (c_.state.EditEnabled) {
        const int value = c_.controls.channel(channel).gainArrows[band - 1].value();
        c_.store.EqGainDb(channel, band) = GainDbFromPosition(value);
        c_.store.EqGain(channel, band) = static_cast<int16_t>(value);
        c_.bands.Apply(channel, band);
    }
    ShowGainText(channel, band);
}

void EqualizerHandlers::QArrow_Change(int channel, int band) {
    Operated(channel, band);
    if (c_.state.EditEnabled) {
        const ArrowValue& arrows = c_.controls.channel(channel).qArrows[band - 1];
        const int position = QPositionFromArrow(arrows.maximum(), arrows.value());
        c_.store.EqQValue(channel, band) = QfactorData[position];
        c_.store.EqQFactor(channel, band) = static_cast<int16_t>(position);
        c_.bands.Apply(channel, band);
    }
    ShowQText(channel, band);
}

// Shelves take no Q: their Q arrows are disabled, while the stored Q still travels.
void EqualizerHandlers::TypeList_Click(int channel, int band) {
    Operated(channel, band);
    if (!c_.state.EditEnabled) return;
    ChannelControls& controls = c_.controls.channel(channel);
    const int position = controls.typeLists[band - 1].position();
    const int16_t type = EqTypeForListPosition(position);
    if (type >= 0) {
        c_.store.EqType(channel, band) = type;
        controls.qArrows[band - 1].SetEnabled(position == 0);
    }
    c_.bands.Apply(channel, band);
}

void EqualizerHandlers::OffBox_Click(int channel, int band) {
    Operated(channel, band);
    c_.store.EqByPass(channel, band) = c_.controls.channel(channel).offBoxes[band - 1].checked() ? 1 : 0;
    c_.bands.Apply(channel, band);
}

// Writes the store whatever EditEnabled is, so that the refresh, which selects the list
// positions from the store, also brings the crossover bands' filter codes in line.
void EqualizerHandlers::CrossoverList_Click(int channel, int slot) {
    const int band = slot == 0 ? kLowPassBand : kHighPassBand;
    Operated(channel, band);
    const int position = c_.controls.channel(channel).crossoverLists[slot].position();
    if (position < 0) return;  // no selection: nothing to store or send
    SetCrossoverListPosition(c_.store, channel, band, position);
    c_.bands.Apply(channel, band);
}

// A click empties the box and highlights it for typing.
void EqualizerHandlers::FrequencyBox_Click(int channel, int band) {
    TextValue& box = c_.controls.channel(channel).frequencyBoxes[band - 1];
    box.SetHighlighted(true);
    box.SetText("");
}

// Enter reads the number the text starts with and applies it like the arrow pair.
void EqualizerHandlers::FrequencyBox_KeyPress(int channel, int band, int characterCode) {
    Operated(channel, band);
    if (characterCode != kEnter) return;

    ChannelControls& controls = c_.controls.channel(channel);
    const std::optional<int16_t> typed = RoundToInt16(ReadLeadingNumber(controls.frequencyBoxes[band - 1].text()));
    if (!typed) {
        // Not a 16-bit number: show the band's frequency again and stay highlighted.
        ShowFrequencyText(channel, band);
        return;
    }
    int frequency = *typed;
    if (frequency < kFrequencyArrowMin || frequency > kFrequencyArrowMax) frequency = c_.store.EqFrequency(channel, band);
    if (!c_.state.EditEnabled) return;

    ArrowValue& arrows = controls.frequencyArrows[band - 1];
    arrows.SetValue(ArrowFromFrequency(arrows.maximum(), frequency));  // a change runs its handler
    c_.store.EqFreqPosition(channel, band) = static_cast<int16_t>(GetFregPosition(frequency));
    c_.store.EqFrequency(channel, band) = static_cast<int16_t>(frequency);
    c_.bands.Apply(channel, band);
    ShowFrequencyText(channel, band);
    controls.frequencyBoxes[band - 1].SetHighlighted(false);
}

}  // namespace sonavel
