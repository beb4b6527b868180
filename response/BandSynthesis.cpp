#include "response/BandSynthesis.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace sonavel {

namespace {

constexpr int N = kPlotPoints;
constexpr double kReferenceScale = 12.0;      // gain of every reference curve, in dB
constexpr int kLongCrossoverShift = 4;        // -24 dB/oct corners sit 4 points nearer
constexpr double kChebychevLift = 50.0;
constexpr double kReflectionCap = 8000.0;     // far below the visible plot
constexpr int kFirstLongListPosition = 5;     // the -24 dB/oct entries of a crossover list

bool isReflected(int type) {
    return type == 2 || type == 4 || type == 6 || type == 8 || type == 10;
}

// Column of a crossover reference code; -1 for a code without a reference curve.
int crossoverColumn(int code) {
    const auto* found = std::find(std::begin(kCrossoverCodes), std::end(kCrossoverCodes), code);
    return found == std::end(kCrossoverCodes) ? -1 : static_cast<int>(found - kCrossoverCodes);
}

double correctForShape(int type, double value) {
    switch (type) {
    case 2: return value - 11;
    case 6: return value - 50;
    case 8: return value - 30;
    case 10: return (value + 20) * 1.4;
    default: return value;
    }
}

// Mirrors C about point P into W; points below M = 2P - N, which have no mirrored source,
// continue the slope just above M as a straight line.
void reflect(int P, Curve& C, Curve& W) {
    for (int d = 1; d <= N - P - 1; ++d) {
        At(W, P - d) = At(C, P + d);
        At(W, P + d) = At(C, P - d);
    }
    const int M = 2 * P - N;
    const double slope = At(W, M + 3) - At(W, M + 4);
    for (int d = 1; d <= M - 1; ++d)
        At(W, M - d) = std::min(d * slope + At(W, M + 3), kReflectionCap);
    At(W, M) = At(W, M - 1);
    At(W, P) = At(C, P);
    for (int i = 2; i <= N; ++i) At(C, i) = At(W, i);
}

// Slides C from reference point P to band point B, filling the uncovered end.
void slide(int P, int B, Curve& C, Curve& W) {
    if (B > P) {
        const int D = B - P;
        for (int j = 1; j <= N - D; ++j) At(W, j + D) = At(C, j);
        for (int j = 1; j <= D + 1; ++j) At(W, j) = At(C, 2);
    } else if (B < P) {
        const int D = P - B;
        for (int j = 1; j <= N - D - 1; ++j) At(W, j) = At(C, j + D);
        for (int j = N - D; j <= N; ++j) At(W, j) = At(C, N - 2);
    } else {
        return;
    }
    for (int i = 2; i <= N; ++i) At(C, i) = At(W, i);
}

}  // namespace

void SynthesizeBandCurve(const ParameterStore& store, int channel, int band,
                         const PlotPositions& positions, ReferenceCurves& references,
                         SynthesisScratch& scratch, Curve& out) {
    const int t = store.EqType(channel, band);
    const double storedGain = store.EqGainDb(channel, band);
    const double g = std::isfinite(storedGain) ? storedGain : 0.0;
    const int frequencyPosition =
        std::clamp<int>(store.EqFreqPosition(channel, band), 0, kFrequencyPositions - 1);
    const int qPosition = std::clamp<int>(store.EqQFactor(channel, band), 0, kQPositions - 1);
    const bool crossoverSlot = band == kLowPassBand || band == kHighPassBand;
    const bool longCrossover =
        (band == kLowPassBand && store.LpType(channel) >= kFirstLongListPosition) ||
        (band == kHighPassBand && store.HpType(channel) >= kFirstLongListPosition);

    // Reference code, reference point P and band point B.
    const int k = isReflected(t) ? t + 1 : t;
    int P;
    if (k == 5)
        P = positions.pointOf(kShelfReferencePosition);
    else if (k == 1)
        P = positions.pointOf(kPeakReferencePosition);
    else
        P = positions.pointOf(longCrossover ? kCrossoverLongPosition : kCrossoverShortPosition);
    const int B = positions.pointOf(frequencyPosition);

    Curve& C = scratch.work;
    Curve& W = scratch.scratch;
    std::fill_n(C.begin(), N, 0.0);
    std::fill_n(W.begin(), N, 0.0);

    // The reference curve read backwards (point i shows grid position N - i), scaled.
    if (k == 5 || k == 1) {
        const ResponseArray& reference =
            k == 5 ? references.ShelfTemplate() : references.PeakTemplate(qPosition);
        const double magnitude = std::fabs(g);
        for (int i = 2; i <= N; ++i) At(W, i) = magnitude * reference[N - i] / kReferenceScale;
    } else if (crossoverSlot) {
        references.BuildCrossoverTemplates();
        if (const int column = crossoverColumn(k); column >= 0) {
            const ResponseArray& reference = references.CrossoverTemplate(column);
            for (int i = 2; i <= N; ++i) At(W, i) = reference[N - i];
        }
    }
    for (int i = 2; i <= N; ++i) At(C, i) = At(W, i);

    if (longCrossover) P -= kLongCrossoverShift;

    if (k == 11) {
        // Chebychev: lift, then flatten everything up to the first point above 0 dB.
        for (int i = 2; i <= N; ++i) At(C, i) += kChebychevLift;
        for (int k0 = 2; k0 <= N; ++k0) {
            if (At(C, k0) < 0) {
                std::fill_n(C.begin() + 1, k0 - 1, 0.0);
                break;
            }
        }
    }

    if (isReflected(t)) reflect(P, C, W);
    slide(P, B, C, W);

    if (g < 0)
        for (int i = 1; i <= N; ++i) At(C, i) = -At(C, i);
    for (int i = 1; i <= N; ++i) At(C, i) = correctForShape(t, At(C, i));

    // Store: switched-off bands and bypassed crossover slots are flat.
    const bool off = crossoverSlot
                         ? (band == kLowPassBand ? store.LpType(channel) : store.HpType(channel)) == 0
                         : store.EqByPass(channel, band) == 1;
    if (off) {
        std::fill_n(out.begin(), N, 0.0);
        return;
    }
    std::copy_n(C.begin(), N, out.begin());
    if (crossoverSlot && B >= kFarCornerPoint)
        std::fill_n(out.begin(), kFarCornerPoints,
                    band == kHighPassBand ? kFarCornerHighPassValue : 0.0);
}

}  // namespace sonavel
