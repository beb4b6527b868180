// Unclamped store values, as a file or a faulty unit may bring them: the plot draws only in its window.
#include <bit>

#include "fuzz/FuzzCheck.h"
#include "response/ResponsePlot.h"

using namespace sonavel;
using namespace sonavel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ResponsePlot plot;  // its tables and reference curves are built once
    // The input read as little-endian values; zeros once it runs out.
    size_t at = 0;
    auto byte = [&]() -> uint8_t { return at < size ? data[at++] : 0; };
    auto int16 = [&] {
        const uint8_t low = byte();
        return static_cast<int16_t>(low | byte() << 8);
    };
    auto real = [&] {
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits |= uint64_t{byte()} << (8 * i);
        return std::bit_cast<double>(bits);
    };
    auto inside = [](double x, double y) { return x >= kDrawLeft && x <= kDrawRight && y >= kDrawTop && y <= kDrawBottom; };

    ParameterStore store = Defaults();
    plot.SetDrawEnabled(true);
    while (at < size) {
        const int channel = 1 + byte() % kChannelCount;
        const int band = 1 + byte() % kBandCount;
        store.EqType(channel, band) = int16();
        store.EqFreqPosition(channel, band) = int16();
        store.EqQFactor(channel, band) = int16();
        store.EqByPass(channel, band) = int16();
        store.EqGainDb(channel, band) = real();
        store.LpType(channel) = int16();
        store.HpType(channel) = int16();
        plot.DoEQFFTDraw(store, true, channel, band);
        for (const PlotSegment& s : plot.segments()) Check(inside(s.x1, s.y1) && inside(s.x2, s.y2));
    }
    return 0;
}
