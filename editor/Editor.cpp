#include "editor/Editor.h"

#include "model/BulkChange.h"
#include "model/ListEntries.h"
#include "model/ValueScales.h"

namespace sonavel {
namespace {

constexpr int kRedrawTickWrap = 30;
constexpr int kRefreshTicks = 20;

std::string TwoDigits(int number) { return (number < 10 ? "0" : "") + std::to_string(number); }

}  // namespace

Editor::Editor(SerialPort& port, Sleeper& sleeper, const Clock& clock, LinkSession::EventPump pumpEvents,
               EditorView& view)
    : session_(store_, port, sleeper, clock, std::move(pumpEvents), {}),
      bands_(store_, state_, plot_, session_, view),
      context_{store_, state_, controls_, session_, port, bands_, view},
      panel_(controls_),
      equalizer_(context_),
      levels_(context_),
      refresh_(context_, equalizer_, levels_),
      linkStrip_(context_, refresh_, panel_, presetRecord_),
      presets_(context_, refresh_, panel_, presetRecord_) {
    SetStartValues();
    equalizer_.Attach();
    levels_.Attach();
    linkStrip_.Attach();
    presets_.Attach();
}

void Editor::SetStartValues() {
    panel_.Close();
    for (ListValue* slots : {&controls_.loadSlots, &controls_.recallSlots}) {
        std::vector<std::string> entries;
        for (int slot = 1; slot <= kSlotCount; ++slot) entries.push_back("User" + TwoDigits(slot));
        slots->SetEntries(entries);
        slots->SetPosition(0);
        slots->SetEnabled(false);
    }
    controls_.loadToDsp.SetEnabled(false);
    controls_.recall.SetEnabled(false);
    linkStrip_.ShowLinkOff();

    state_.RefreshRequest = 1;
    context_.port.SetCommPort(1);  // Connect before any port is chosen opens COM1

    InitDSPPremeter(store_);
    BringStoreInLine(store_);  // the derived fields and output levels the first refresh shows

    const std::vector<std::string> types(std::begin(kEqTypeListEntries), std::end(kEqTypeListEntries));
    const std::vector<std::string> crossovers(std::begin(kCrossoverListEntries), std::end(kCrossoverListEntries));
    for (ChannelControls& channel : controls_.channels) {
        for (ArrowValue& arrows : channel.frequencyArrows) arrows.SetRange(kFrequencyArrowMin, kFrequencyArrowMax);
        for (ArrowValue& arrows : channel.gainArrows) arrows.SetRange(0, kGainArrowMax);
        for (ArrowValue& arrows : channel.qArrows) arrows.SetRange(0, kQArrowMax);
        for (ListValue& list : channel.typeLists) list.SetEntries(types);
        for (ListValue& list : channel.crossoverLists) list.SetEntries(crossovers);
    }

    // Design-time bounds of the level arrow pairs: Max, then the Value that shows the default.
    struct Bounds {
        int max, value;
    };
    const auto setBounds = [](ArrowValue& arrows, Bounds bounds) {
        arrows.SetRange(0, bounds.max);
        arrows.SetValue(bounds.value);
    };
    const Bounds compressorBounds[] = {{100, 0}, {200, 200}, {999, 999}, {21, 21}};  // threshold .. ratio
    for (ChannelControls& channel : controls_.channels) {
        setBounds(channel.inputGain, {145, 24});
        setBounds(channel.outputGain, {145, 24});
        setBounds(channel.delay, {150, 150});
        for (int kind = 0; kind < kCompressorControls; ++kind) setBounds(channel.compressorArrows[kind], compressorBounds[kind]);
    }
    for (ArrowValue& arrows : controls_.channel(1).qArrows) arrows.SetValue(kQArrowMax);

    std::vector<std::string> ports, addresses;
    for (int number = 1; number <= kMaxPortNumber; ++number) ports.push_back("COM" + std::to_string(number));
    for (int address = 1; address <= kMaxAddress; ++address) addresses.push_back("Addr=" + TwoDigits(address));
    controls_.ports.SetEntries(ports);
    controls_.addresses.SetEntries(addresses);
}

void Editor::Tick() {
    if (++state_.RedrawTicks > kRedrawTickWrap) state_.RedrawTicks = 0;
    if (state_.RedrawPending && state_.RedrawTicks >= 2) {
        bands_.Apply(state_.CurrentChannel, state_.CurrentBand);
        state_.RedrawPending = false;
    }

    if (++state_.RefreshTicks > kRefreshTicks) {
        state_.RefreshTicks = 0;
        if (state_.RefreshRequest != 0) refresh_.UpDateEQDis();
        state_.RefreshRequest = 0;
    }

    session_.Tick();
}

void Editor::PlotUncovered() {
    state_.RedrawPending = true;
    state_.RedrawTicks = 0;
}

}  // namespace sonavel
