// Time of the plot work a user waits for: one band edit, a full refresh, and start-up.
#include <benchmark/benchmark.h>

#include "response/ResponsePlot.h"

namespace sonavel {
namespace {

// The start-up settings as the first refresh leaves them, with every equalizer band active.
ParameterStore RefreshedStore() {
    ParameterStore store;
    InitDSPPremeter(store);
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        for (int band = 1; band <= kBandCount; ++band) {
            store.EqGainDb(channel, band) = band <= kEqBandCount ? 6.0 : 24.0;
            store.EqFreqPosition(channel, band) = static_cast<int16_t>(40 * band);
        }
        SetCrossoverListPosition(store, channel, kLowPassBand, store.LpType(channel));
        SetCrossoverListPosition(store, channel, kHighPassBand, store.HpType(channel));
    }
    return store;
}

// One edit of channel 1's band: the store changes, then the band is rebuilt, both channels
// are summed and both segment lists made.
void BandEdit(benchmark::State& state, int band, int16_t type, CrossoverCaching caching) {
    ResponsePlot plot(caching);
    ParameterStore store = RefreshedStore();
    store.EqType(1, band) = type;
    plot.RefreshAllBands(store);
    int16_t step = 0;
    for (auto _ : state) {
        step = static_cast<int16_t>((step + 1) % 40);
        store.EqFreqPosition(1, band) = static_cast<int16_t>(150 + step);
        if (band <= kEqBandCount) store.EqGainDb(1, band) = 12.0 - step * 0.5;
        plot.DoEQFFTDraw(store, true, 1, band);
        benchmark::DoNotOptimize(plot.segments().data());
    }
}

void BM_BandEditPeak(benchmark::State& state) { BandEdit(state, 3, 1, CrossoverCaching::Cached); }
void BM_BandEditShelf(benchmark::State& state) { BandEdit(state, 2, 4, CrossoverCaching::Cached); }
void BM_BandEditCrossover(benchmark::State& state) {
    BandEdit(state, kHighPassBand, 10, CrossoverCaching::Cached);
}
void BM_BandEditCrossoverRebuilt(benchmark::State& state) {
    BandEdit(state, kHighPassBand, 10, CrossoverCaching::RebuildEachUse);
}

// A bulk refresh: fourteen band curves without drawing, then the two final draws.
void BM_FullRefresh(benchmark::State& state) {
    ResponsePlot plot;
    const ParameterStore store = RefreshedStore();
    plot.RefreshAllBands(store);
    for (auto _ : state) {
        plot.RefreshAllBands(store);
        benchmark::DoNotOptimize(plot.segments().data());
    }
}

// Start-up: the position table, then the peak and shelf reference curves.
void BM_StartUpTables(benchmark::State& state) {
    for (auto _ : state) {
        ResponsePlot plot;
        benchmark::DoNotOptimize(plot.references().ShelfTemplate().data());
        benchmark::DoNotOptimize(plot.references().PeakTemplate(0).data());
    }
}

void BM_PositionTable(benchmark::State& state) {
    FilterSection section;
    PlotPositions positions;
    for (auto _ : state) {
        GetPresetFreqPosition(section, positions);
        benchmark::DoNotOptimize(positions.PlotPos.data());
    }
}

BENCHMARK(BM_BandEditPeak);
BENCHMARK(BM_BandEditShelf);
BENCHMARK(BM_BandEditCrossover);
BENCHMARK(BM_BandEditCrossoverRebuilt);
BENCHMARK(BM_FullRefresh);
BENCHMARK(BM_StartUpTables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PositionTable)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sonavel
