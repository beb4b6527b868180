#pragma once
// The response plot without its widget: band curves of both channels, their sums and the
// segments a widget paints (red, 2 px, channel 2 over channel 1). Every band change enters
// through DoEQFFTDraw; the plot computes and draws, and a window only paints segments().
#include <memory>
#include <vector>

#include "model/ParameterStore.h"
#include "response/BandSynthesis.h"
#include "response/PlotDrawing.h"
#include "response/PlotGeometry.h"
#include "response/PlotPositions.h"
#include "response/ReferenceCurves.h"

namespace sonavel {

class ResponsePlot {
public:
    // Computes the position tables at once; reference curves are built on first use.
    explicit ResponsePlot(CrossoverCaching caching = CrossoverCaching::Cached);

    // The one entry for a change of one band: nothing at all while the edit gate is closed;
    // else the band's curve is rebuilt and both channels are drawn while DrawEnabled. Throws
    // std::out_of_range for a channel outside 1..2 or a band outside 1..7, before changing
    // anything.
    void DoEQFFTDraw(const ParameterStore& store, bool editEnabled, int channel, int band);

    // Rebuilds the band's curve and, while DrawEnabled, draws both channels.
    void EQFFTDraw(const ParameterStore& store, int channel, int band);

    // The plot's part of a bulk refresh: clears every band curve, rebuilds all fourteen with
    // drawing off, then draws through (1, 7) and (2, 7).
    // Leaves DrawEnabled on.
    void RefreshAllBands(const ParameterStore& store);

    // Zeroes every band curve (points 1..512), as the control refresh does first.
    void ClearBandCurves();

    bool DrawEnabled() const { return DrawEnabled_; }
    void SetDrawEnabled(bool enabled) { DrawEnabled_ = enabled; }

    // The segments of the last drawing, channel 1 then channel 2; empty before the first one.
    const std::vector<PlotSegment>& segments() const { return segments_; }
    // How many drawings there were; a widget repaints when this changes.
    unsigned long drawCount() const { return drawCount_; }

    // The sum of the seven band curves of a channel (1..2) at the last drawing, points 2..510.
    const Curve& SumCurve(int channel) const;
    // The stored curve of (channel, band), points 1..510.
    const Curve& BandCurve(int channel, int band) const;

    const PlotPositions& positions() const { return *positions_; }
    ReferenceCurves& references() { return references_; }

private:
    void draw();

    ReferenceCurves references_;
    std::unique_ptr<PlotPositions> positions_;
    std::unique_ptr<BandArray<Curve>> bandCurves_;
    std::unique_ptr<ChannelArray<Curve>> sums_;
    std::unique_ptr<SynthesisScratch> scratch_;
    std::vector<PlotSegment> segments_;
    bool DrawEnabled_ = false;
    unsigned long drawCount_ = 0;
};

}  // namespace sonavel
