#pragma once
// The one path of a band change: the plot rebuilds the band and draws, the view shows the
// drawing, then the line sends the band.
#include "editor/EditorState.h"
#include "editor/EditorView.h"
#include "link/LinkSession.h"
#include "model/ParameterStore.h"
#include "response/ResponsePlot.h"

namespace sonavel {

// A band's fields in the store changed: the plot rebuilds the band and draws, the view shows
// the drawing, then the line sends the band, in that order. Nothing happens while the edit
// gate (EditEnabled) is closed.
class BandPath {
public:
    BandPath(const ParameterStore& store, const EditorState& state, ResponsePlot& plot, LinkSession& session,
             EditorView& view)
        : store_(store), state_(state), plot_(plot), session_(session), view_(view) {}
    void Apply(int channel, int band);
    // The plot's part of a bulk refresh (the edit gate open): every band curve cleared and
    // rebuilt without drawing, then both channels drawn through (1, 7) and (2, 7). Each band
    // takes the same path as an edit; the refresh holds its messages back, but they count as
    // messages without reply, so the presence check polls the unit afterwards.
    void RefreshAll();
    // Shows the plot's last drawing unless it is on show already.
    void ShowPlot();

private:
    const ParameterStore& store_;
    const EditorState& state_;
    ResponsePlot& plot_;
    LinkSession& session_;
    EditorView& view_;
    unsigned long shownDrawing_ = 0;
};

}  // namespace sonavel
