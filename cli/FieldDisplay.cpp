#include "cli/FieldDisplay.h"

#include "model/ListEntries.h"
#include "model/ScaleTables.h"
#include "model/ValueScales.h"

namespace sonavel::cli {

namespace {

// NumberText without the blank it puts before a non-negative number.
std::string Number(double value) {
    std::string text = NumberText(value);
    return text[0] == ' ' ? text.substr(1) : text;
}

const char* const kTypeNames[] = {
    "", "Peak", "Butterworth high-pass", "Butterworth low-pass", "High Shelf", "Low Shelf",
    "Linkwitz-Riley high-pass", "Linkwitz-Riley low-pass", "Bessel high-pass",
    "Bessel low-pass", "Chebychev high-pass", "Chebychev low-pass"};

}  // namespace

std::string DisplayValue(const StoreField& field, int raw) {
    if (raw < field.min || raw > field.max) return {};
    const std::string_view name = field.name;
    if (name == "GainLevel") return raw == 0 ? "Mute" : Number((raw - 121) * 0.5) + " dB";
    if (name == "OutputLevel") return Number((raw - 121) * 0.5) + " dB";
    if (name == "EqGain") return Number(GainDbFromPosition(raw)) + " dB";
    if (name == "CompThreshold") return Number((raw - 100) * 0.5) + " dB";
    if (name == "EqFrequency") return Number(raw) + " Hz";
    if (name == "EqQFactor") return "Q " + Number(QfactorData[raw]);
    if (name == "DelaySamples") return Number(DelayMilliseconds(raw - 1)) + " ms";
    if (name == "CompAttack") return Number(raw) + " ms";
    if (name == "CompRelease") return Number(raw) + " dB/S";
    if (name == "CompRatio") return raw > kHighestRatio ? "Limiter" : "1:" + Number(raw);
    if (name == "LpType" || name == "HpType") return kCrossoverListEntries[raw];
    if (name == "EqType") return kTypeNames[raw];
    return {};
}

}  // namespace sonavel::cli
