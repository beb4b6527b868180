#include "eqlist/FilterExport.h"

#include <charconv>

#include "model/ListEntries.h"
#include "eqlist/FilterFit.h"
#include "eqlist/ValueText.h"
#include "model/ScaleTables.h"
#include "model/ValueScales.h"
#include "response/FilterSection.h"

namespace sonavel {

namespace {

// Gains are whole half-decibels: one decimal, as the common form writes them.
std::string GainText(double db) {
    char text[16];
    return std::string(text, std::to_chars(text, text + sizeof text, db, std::chars_format::fixed, 1).ptr);
}

std::string EqLine(const ParameterStore& store, int channel, int band, int number) {
    const int type = store.EqType(channel, band);
    const FilterKind kind = type == 4 ? FilterKind::HighShelf : type == 5 ? FilterKind::LowShelf : FilterKind::Peak;
    std::string line = "Filter " + std::to_string(number) + ": ON " + FilterKindCode(kind) + " Fc " +
                       HzText(store.EqFrequency(channel, band)) + " Gain " +
                       GainText(GainDbFromPosition(store.EqGain(channel, band))) + " dB";
    if (kind == FilterKind::Peak) line += " Q " + Decimal(QfactorData[store.EqQFactor(channel, band)]);
    return line + "\n";
}

std::string CrossoverLines(const ParameterStore& store, int channel, int band, int number) {
    const int position = band == kLowPassBand ? store.LpType(channel) : store.HpType(channel);
    SectionFormula formula;
    double q = 0;
    CrossoverSectionDesign(CrossoverEqType(band, position, 0), formula, q);
    const FilterKind kind = band == kLowPassBand ? FilterKind::LowPass : FilterKind::HighPass;
    return std::string("# ") + (band == kLowPassBand ? "Low-pass: " : "High-pass: ") +
           kCrossoverListEntries[position] + "\n" + "Filter " + std::to_string(number) + ": ON " +
           FilterKindCode(kind) + " Fc " + HzText(store.EqFrequency(channel, band)) + " Q " + Decimal(q) +
           " Slope " + (position >= kFirstSteepPosition ? "24" : "12") + " dB\n";
}

}  // namespace

std::string ExportFilterList(const ParameterStore& store, int channel, const std::string& title) {
    std::string text = "# " + title + "\n";
    const int gain = store.GainLevel(channel);
    text += gain == 0 ? std::string("# Input gain: Mute\n") : "Preamp: " + GainText(InputGainDb(gain)) + " dB\n";
    int number = 0;
    for (int band = 1; band <= kEqBandCount; ++band) {
        if (store.EqByPass(channel, band) == 1) continue;
        const int type = store.EqType(channel, band);
        if (type == 1 || type == 4 || type == 5)
            text += EqLine(store, channel, band, ++number);
        else
            text += "# Band " + std::to_string(band) + ": type code " + std::to_string(type) +
                    " is no EQ shape and is left out\n";
    }
    for (int band : {kLowPassBand, kHighPassBand}) {
        const int position = band == kLowPassBand ? store.LpType(channel) : store.HpType(channel);
        if (position >= 1 && position <= 8) text += CrossoverLines(store, channel, band, ++number);
    }
    return text;
}

}  // namespace sonavel
