#pragma once
// The window-level state the editor's handlers share.

namespace sonavel {

// Window-level state shared by the handlers.
struct EditorState {
    int CurrentChannel = 1;      // channel of the control last operated
    int CurrentBand = 1;         // band of the equalizer or crossover control last operated
    bool EditEnabled = false;    // equalizer and crossover changes are user edits
    bool RedrawPending = false;  // a paint or resize asked for a redraw
    int RedrawTicks = 0;         // Timer1 ticks since then, 0..30
    int RefreshRequest = 0;      // 1: the next refresh tick runs UpDateEQDis
    int RefreshTicks = 0;        // Timer1 ticks towards the refresh tick
    int PresetPanelMode = 0;     // 1 after "Load", 2 while the name panel of "Save" is open
};

}  // namespace sonavel
