#pragma once
// How one band's curve is made: a reference curve read backwards, scaled for the band's gain,
// reflected for shapes that have no reference curve of their own, slid to the band's frequency
// position and corrected per shape.
#include "model/ParameterStore.h"
#include "response/PlotGeometry.h"
#include "response/PlotPositions.h"
#include "response/ReferenceCurves.h"

namespace sonavel {

// Points 1..100 of a high-pass slot whose corner is drawn at or beyond this point lie below
// the visible plot; points 1..100 of a low-pass slot there are flat.
constexpr int kFarCornerPoint = 435;
constexpr double kFarCornerHighPassValue = 4338.0;
constexpr int kFarCornerPoints = 100;

// Work space of one synthesis, allocated once by its owner.
struct SynthesisScratch {
    Curve work{};
    Curve scratch{};
};

// Builds the curve of (channel, band) from the store into `out` (points 1..510).
// Positions from the store outside the tables are clamped into them.
void SynthesizeBandCurve(const ParameterStore& store, int channel, int band,
                         const PlotPositions& positions, ReferenceCurves& references,
                         SynthesisScratch& scratch, Curve& out);

}  // namespace sonavel
