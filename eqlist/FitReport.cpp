#include "eqlist/FitReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/ListEntries.h"
#include "eqlist/ValueText.h"
#include "model/JsonText.h"

namespace sonavel {

namespace {

bool IsCrossover(const FittedFilter& f) { return f.band == kLowPassBand || f.band == kHighPassBand; }

const char* EqTypeName(int type) { return kEqTypeListEntries[type == 4 ? 1 : type == 5 ? 2 : 0]; }

std::string RequestedText(const RequestedFilter& r) {
    std::string text = std::string(FilterKindCode(r.kind)) + " Fc " + HzText(r.frequency);
    if (r.gain) text += " Gain " + DbText(*r.gain);
    if (r.q) text += " Q " + Decimal(*r.q);
    if (r.IsPass()) text += " Slope " + std::to_string(r.slope) + " dB";
    return text;
}

std::string FittedText(const FittedFilter& f) {
    if (IsCrossover(f))
        return std::string(f.band == kLowPassBand ? "low-pass: " : "high-pass: ") +
               kCrossoverListEntries[f.listPosition] + " " + HzText(f.frequency);
    return "band " + std::to_string(f.band) + ": " + EqTypeName(f.eqType) + " " + HzText(f.frequency) + " " +
           DbText(f.GainDb()) + " Q " + Decimal(f.Q());
}

std::string Rounded(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string JsonNumber(double value) { return std::isfinite(value) ? Decimal(value) : "null"; }

std::string JsonList(const std::vector<std::string>& items) {
    std::string json = "[";
    for (size_t i = 0; i < items.size(); ++i) json += (i ? ", " : "") + items[i];
    return json + "]";
}

std::string RequestedJson(const RequestedFilter& r) {
    std::string json = "{\"type\": \"" + std::string(FilterKindCode(r.kind)) + "\", \"frequency\": " + JsonNumber(r.frequency);
    if (r.gain) json += ", \"gain\": " + JsonNumber(*r.gain);
    if (r.q) json += ", \"q\": " + JsonNumber(*r.q);
    if (r.IsPass()) json += ", \"slope\": " + std::to_string(r.slope);
    return json + "}";
}

std::string FittedJson(const FittedFilter& f) {
    std::string json = "{\"band\": " + std::to_string(f.band) + ", ";
    if (IsCrossover(f))
        json += "\"crossover\": " + JsonQuoted(kCrossoverListEntries[f.listPosition]) +
                ", \"listPosition\": " + std::to_string(f.listPosition);
    else
        json += "\"type\": " + JsonQuoted(EqTypeName(f.eqType)) + ", \"gain\": " + JsonNumber(f.GainDb());
    json += ", \"frequency\": " + std::to_string(f.frequency) + ", \"q\": " + JsonNumber(f.Q());
    std::vector<std::string> notes;
    for (const std::string& note : f.notes) notes.push_back(JsonQuoted(note));
    return json + ", \"notes\": " + JsonList(notes) + "}";
}

// The crossovers of a channel that are on but not in the list, as the base preset had them.
std::vector<std::string> KeptCrossovers(const ImportResult& result, int channel) {
    std::vector<std::string> kept;
    for (int band : {kLowPassBand, kHighPassBand}) {
        const bool inList = std::any_of(result.fitted.filters.begin(), result.fitted.filters.end(),
                                        [&](const FittedFilter& f) { return f.band == band; });
        const int position = band == kLowPassBand ? result.store.LpType(channel) : result.store.HpType(channel);
        if (!inList && position >= 1 && position <= 8)
            kept.push_back(std::string(band == kLowPassBand ? "low-pass: " : "high-pass: ") +
                           kCrossoverListEntries[position] + " " + HzText(result.store.EqFrequency(channel, band)));
    }
    return kept;
}

std::string LineText(const LineProblem& change) {
    return "line " + std::to_string(change.line) + ": " + change.text;
}

}  // namespace

std::string FitReportText(const ImportResult& result) {
    const FittedList& fitted = result.fitted;
    const Deviation& deviation = result.deviation;
    std::string text;
    if (fitted.inputGain)
        text += "line " + std::to_string(fitted.preampLine) + ": Preamp " + DbText(*fitted.preamp) +
                " -> input gain " + DbText(InputGainDb(*fitted.inputGain)) + "\n";
    for (const FittedFilter& f : fitted.filters) {
        text += "line " + std::to_string(f.requested.line) + ": " + RequestedText(f.requested) + " -> " + FittedText(f);
        for (const std::string& note : f.notes) text += "; " + note;
        text += "\n";
    }
    if (!fitted.changes.empty()) text += "Changed to fit:\n";
    for (const LineProblem& change : fitted.changes) text += "  " + LineText(change) + "\n";
    for (int channel : result.channels) {
        text += "Channel " + std::to_string(channel) + ": largest difference " + Rounded(deviation.largestDb, 2) +
                " dB at " + Rounded(deviation.atHz, 0) + " Hz (20 Hz to 20 kHz, " +
                std::to_string(kDeviationPoints) + " points)\n";
        for (const std::string& kept : KeptCrossovers(result, channel))
            text += "  keeps from the base preset the " + kept + "\n";
    }
    return text;
}

std::string FitReportJson(const ImportResult& result) {
    const FittedList& fitted = result.fitted;
    const Deviation& deviation = result.deviation;
    std::string json = "{\n  \"preamp\": ";
    if (fitted.inputGain)
        json += "{\"line\": " + std::to_string(fitted.preampLine) + ", \"requested\": " + JsonNumber(*fitted.preamp) +
                ", \"fitted\": " + JsonNumber(InputGainDb(*fitted.inputGain)) +
                ", \"GainLevel\": " + std::to_string(*fitted.inputGain) + "}";
    else
        json += "null";
    std::vector<std::string> filters, changes, perChannel;
    for (const FittedFilter& f : fitted.filters)
        filters.push_back("\n    {\"line\": " + std::to_string(f.requested.line) + ", \"requested\": " +
                          RequestedJson(f.requested) + ", \"fitted\": " + FittedJson(f) + "}");
    for (const LineProblem& change : fitted.changes)
        changes.push_back("\n    {\"line\": " + std::to_string(change.line) + ", \"text\": " + JsonQuoted(change.text) + "}");
    for (int channel : result.channels) {
        std::vector<std::string> kept;
        for (const std::string& crossover : KeptCrossovers(result, channel)) kept.push_back(JsonQuoted(crossover));
        perChannel.push_back("\n    {\"channel\": " + std::to_string(channel) + ", \"largestDifferenceDb\": " +
                             JsonNumber(deviation.largestDb) + ", \"atHz\": " + JsonNumber(deviation.atHz) +
                             ", \"keptFromBase\": " + JsonList(kept) + "}");
    }
    json += ",\n  \"filters\": " + JsonList(filters) + ",\n  \"changes\": " + JsonList(changes) +
            ",\n  \"channels\": " + JsonList(perChannel) + ",\n  \"grid\": {\"fromHz\": " +
            Decimal(kDeviationLowHz) + ", \"toHz\": " + Decimal(kDeviationHighHz) +
            ", \"points\": " + std::to_string(kDeviationPoints) + ", \"sampleRate\": " +
            std::to_string(SampleRate) + "}\n}\n";
    return json;
}

}  // namespace sonavel
