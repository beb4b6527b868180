#pragma once
// The editor without its widgets: the store, the line, the plot, every control as a plain
// value, and the handler classes attached to them. The window binds the controls to its
// widgets, implements the EditorView, and drives Tick() and TickWaits() from its 20 ms
// timers and PlotUncovered() from paints, exposes and resizes.
#include "editor/ControlRefresh.h"
#include "editor/EditorContext.h"
#include "editor/EqualizerHandlers.h"
#include "editor/LevelHandlers.h"
#include "editor/LinkStrip.h"
#include "editor/PresetCommands.h"
#include "editor/PresetPanel.h"
#include "link/Clock.h"
#include "link/Sleeper.h"
#include "presets/PresetRecord.h"

namespace sonavel {

class Editor {
public:
    // Start-up: the store and the controls get their start values, then the handlers are
    // attached; nothing is selected, drawn or sent. The controls keep their design-time
    // contents until Tick() runs the first refresh.
    Editor(SerialPort& port, Sleeper& sleeper, const Clock& clock, LinkSession::EventPump pumpEvents, EditorView& view);
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    EditorControls& controls() { return controls_; }
    const ParameterStore& store() const { return store_; }
    const EditorState& state() const { return state_; }
    LinkSession& session() { return session_; }
    const ResponsePlot& plot() const { return plot_; }
    const PresetRecord& presetRecord() const { return presetRecord_; }

    // Timer1, every 20 ms: the deferred redraw, the deferred first refresh, then the line's
    // presence schedule.
    void Tick();
    // Timer2: the transfers' wait counters.
    void TickWaits() { session_.TickWaits(); }
    // A paint, an expose or a resize asks Tick() for a redraw two ticks later.
    void PlotUncovered();

private:
    void SetStartValues();

    ParameterStore store_;
    EditorState state_;
    EditorControls controls_;
    LinkSession session_;
    ResponsePlot plot_;
    PresetRecord presetRecord_;
    BandPath bands_;
    EditorContext context_;
    PresetPanel panel_;
    EqualizerHandlers equalizer_;
    LevelHandlers levels_;
    ControlRefresh refresh_;
    LinkStrip linkStrip_;
    PresetCommands presets_;
};

}  // namespace sonavel
