#pragma once
// Every control of the editor window as a plain value, by role. Arrays run by band - 1
// (bands 6 and 7 are the low-pass and high-pass slots), the crossover lists by slot (0: band 6,
// 1: band 7) and the compressor controls by kind (threshold, attack, release, ratio).
#include <array>

#include "editor/FormControls.h"
#include "model/ParameterStore.h"

namespace sonavel {

constexpr int kCompressorControls = 4;
constexpr int kFunctionSwitches = 4;

struct ChannelControls {
    std::array<TextValue, kBandCount> frequencyBoxes;
    std::array<ArrowValue, kBandCount> frequencyArrows;
    std::array<TextValue, kEqBandCount> gainBoxes;
    std::array<ArrowValue, kEqBandCount> gainArrows;
    std::array<TextValue, kEqBandCount> qBoxes;
    std::array<ArrowValue, kEqBandCount> qArrows;
    std::array<ListValue, kEqBandCount> typeLists;
    std::array<CheckValue, kEqBandCount> offBoxes;
    std::array<ListValue, 2> crossoverLists;
    std::array<TextValue, kCompressorControls> compressorBoxes;
    std::array<ArrowValue, kCompressorControls> compressorArrows;
    TextValue inputGainBox, outputGainBox, delayBox;
    ArrowValue inputGain, outputGain, delay;
    CheckValue invert, mute;
};

struct EditorControls {
    std::array<ChannelControls, kChannelCount> channels;
    // Boxes 0, 1 switch function 6 of channel 1, 2 ("ByPass"); boxes 2, 3 function 3 (compressor "OFF").
    std::array<CheckValue, kFunctionSwitches> functionSwitches;

    // Preset files.
    FileListValue files{"", "*.bin"};
    ButtonValue load, save, browse;
    // The preset panel: its caption, title line, name box and buttons.
    TextValue presetPanel, presetTitle, presetName;
    ListValue presetList;
    ButtonValue enter, remove, exit;

    // The link strip.
    ButtonValue connect, update, recall, loadToDsp;
    ListValue ports, addresses, recallSlots, loadSlots;
    LampValue onlineLamp, portLamp;

    ChannelControls& channel(int channel) { return channels.at(channel - 1); }
};

}  // namespace sonavel
