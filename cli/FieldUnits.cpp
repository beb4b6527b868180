#include "cli/FieldUnits.h"

#include <cmath>
#include <optional>

#include "cli/CliError.h"
#include "cli/ExactNumber.h"
#include "cli/FieldDisplay.h"
#include "model/ScaleTables.h"
#include "model/ValueScales.h"

namespace sonavel::cli {

namespace {

constexpr int kMuteGain = 0;

bool HasWords(std::string_view name) {
    return name == "CompRatio" || name == "EqType" || name == "LpType" || name == "HpType";
}

bool Same(double a, double b) { return std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(a)); }

// The raw position the editor itself sets for a word that several positions show.
std::optional<int> PreferredRaw(std::string_view name, const std::string& word) {
    if (name == "CompRatio" && word == "Limiter") return kLimiterRatio;
    return std::nullopt;
}

int RawFromWord(const StoreField& field, const std::string& word, const std::string& element) {
    if (const std::optional<int> raw = PreferredRaw(field.name, word)) return *raw;
    std::string known;
    for (int raw = field.min; raw <= field.max; ++raw) {
        const UnitValue value = ValueInUnit(field, raw);
        if (!std::holds_alternative<std::string>(value)) continue;
        const std::string& text = std::get<std::string>(value);
        if (text == word) return raw;
        if (known.find("\"" + text + "\"") == std::string::npos)
            known += (known.empty() ? "\"" : ", \"") + text + "\"";
    }
    throw CliError(element + " = \"" + word + "\" is not one of " + known);
}

int RawFromNumber(const StoreField& field, double number, const std::string& element) {
    const std::string unit(UnitKey(field));
    std::optional<double> below, above, lowest, highest;
    std::optional<int> exact;
    for (int raw = field.min; raw <= field.max; ++raw) {
        const UnitValue value = ValueInUnit(field, raw);
        if (!std::holds_alternative<double>(value)) continue;
        const double v = std::get<double>(value);
        if (Same(v, number) && !exact) exact = raw;
        if (v < number && (!below || v > *below)) below = v;
        if (v > number && (!above || v < *above)) above = v;
        if (!lowest || v < *lowest) lowest = v;
        if (!highest || v > *highest) highest = v;
    }
    if (exact) return *exact;
    const std::string given = element + " = " + ExactNumber(number) + " " + unit;
    if (!below || !above)
        throw CliError(given + " is outside " + ExactNumber(*lowest) + " .. " + ExactNumber(*highest) + " " +
                       unit);
    throw CliError(given + " is not a step the unit can take; the nearest are " + ExactNumber(*below) +
                   " and " + ExactNumber(*above) + " " + unit);
}

}  // namespace

std::string_view UnitKey(const StoreField& field) {
    const std::string_view name = field.name;
    if (name == "CompRelease") return "dB/s";
    if (name == "CompRatio") return "ratio";
    if (name == "EqType" || name == "LpType" || name == "HpType") return "type";
    if (name == "OutputLevel" || name == "EqFreqPosition") return "";  // not in preset files
    return field.unit;
}

UnitValue ValueInUnit(const StoreField& field, int raw) {
    const std::string_view name = field.name;
    if (HasWords(name)) return DisplayValue(field, raw);
    if (name == "GainLevel") {
        if (raw == kMuteGain) return std::string("Mute");
        return (raw - 121) * 0.5;
    }
    if (name == "EqGain") return GainDbFromPosition(raw);
    if (name == "CompThreshold") return (raw - 100) * 0.5;
    if (name == "EqQFactor") return QfactorData[static_cast<size_t>(raw)];
    if (name == "DelaySamples") return DelayMilliseconds(raw - 1);
    return static_cast<double>(raw);  // Hz, attack ms, release dB/s
}

int RawFromUnit(const StoreField& field, const UnitValue& value, const std::string& element) {
    if (const auto* word = std::get_if<std::string>(&value)) return RawFromWord(field, *word, element);
    return RawFromNumber(field, std::get<double>(value), element);
}

}  // namespace sonavel::cli
