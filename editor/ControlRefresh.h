#pragma once
// The two refreshes after a bulk change of the store (a preset load, a read-back from the
// unit, and once after start-up). The store is in line already (clamped, crossover codes,
// derived fields); the refreshes only show it. They set the controls as the user would, so
// each control's own handler runs nested, with the gates closed: EditEnabled keeps the
// equalizer handlers from storing, drawing and sending, and the line holds back every
// single-parameter message meanwhile.
#include "editor/EditorContext.h"
#include "editor/EqualizerHandlers.h"
#include "editor/LevelHandlers.h"

namespace sonavel {

class ControlRefresh {
public:
    ControlRefresh(EditorContext& context, EqualizerHandlers& equalizer, LevelHandlers& levels)
        : c_(context), equalizer_(equalizer), levels_(levels) {}

    // The level part: gains, delays, compressor, invert and function switches.
    void UpDateDraw();
    // The rest, then the plot rebuilt and drawn.
    void UpDateEQDis();
    // Both, as after a bulk change.
    void ShowStore() {
        UpDateDraw();
        UpDateEQDis();
    }

private:
    void RefreshBand(int channel, int band);
    void ShowFunctionSwitches();

    EditorContext& c_;
    EqualizerHandlers& equalizer_;
    LevelHandlers& levels_;
};

}  // namespace sonavel
