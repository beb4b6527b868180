// Feeds arbitrary store values (as a preset file or a faulty unit could bring them, before
// any clamping) and arbitrary filter inputs to the response plot, and checks that nothing
// crashes and that every drawn segment lies inside the plot's drawing window.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "response/FilterSection.h"
#include "response/ResponsePlot.h"

using namespace sonavel;

namespace {

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool empty() const { return at_ >= size_; }
    int16_t Int16() { return static_cast<int16_t>(Byte() | (Byte() << 8)); }
    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    double Double() {
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits |= uint64_t{Byte()} << (8 * i);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

bool Inside(double x, double y) {
    return x >= kDrawLeft && x <= kDrawRight && y >= kDrawTop && y <= kDrawBottom;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ResponsePlot plot;  // its tables and reference curves are built once
    Input in(data, size);

    FilterSection section;
    section.EQCofficents(in.Int16(), in.Double(), in.Double(), in.Double());
    section.EQFFT();

    ParameterStore store;
    InitDSPPremeter(store);
    plot.SetDrawEnabled(true);
    while (!in.empty()) {
        const int channel = 1 + in.Byte() % kChannelCount;
        const int band = 1 + in.Byte() % kBandCount;
        store.EqType(channel, band) = in.Int16();
        store.EqFreqPosition(channel, band) = in.Int16();
        store.EqQFactor(channel, band) = in.Int16();
        store.EqByPass(channel, band) = in.Int16();
        store.EqGainDb(channel, band) = in.Double();
        store.LpType(channel) = in.Int16();
        store.HpType(channel) = in.Int16();
        plot.DoEQFFTDraw(store, true, channel, band);
        for (const PlotSegment& s : plot.segments())
            if (!Inside(s.x1, s.y1) || !Inside(s.x2, s.y2)) std::abort();
    }
    return 0;
}
