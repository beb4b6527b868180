#include "model/StoreFields.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace sonavel {

namespace {

#define SONAVEL_FIELD(NAME, SHAPE, MIN, MAX, UNIT) \
    StoreField {                                                                   \
        #NAME, FieldShape::SHAPE, MIN, MAX, UNIT,                                  \
            [](const ParameterStore& s) { return s.NAME.raw().data(); },           \
            [](ParameterStore& s) { return s.NAME.raw().data(); }                  \
    }

// CompRatio admits 101 because a loaded preset may carry it; the level refresh shows any
// ratio above 20 as the limiter. The loudness values are only carried, so they may take
// whatever one byte holds.
const std::array kFields = {
    SONAVEL_FIELD(EqType, PerBand, 1, 11, ""),
    SONAVEL_FIELD(EqFreqPosition, PerBand, 0, 300, ""),
    SONAVEL_FIELD(EqFrequency, PerBand, 20, 20160, "Hz"),
    SONAVEL_FIELD(EqGain, PerBand, 0, 48, "dB"),
    SONAVEL_FIELD(EqQFactor, PerBand, 0, 100, "Q"),
    SONAVEL_FIELD(EqByPass, PerBand, 0, 1, ""),
    SONAVEL_FIELD(LpType, PerChannel, 0, 8, ""),
    SONAVEL_FIELD(HpType, PerChannel, 0, 8, ""),
    SONAVEL_FIELD(MuteState, PerChannel, 0, 1, ""),
    SONAVEL_FIELD(OutputLevel, PerChannel, 0, 145, "dB"),
    SONAVEL_FIELD(DelaySamples, PerChannel, 1, 151, "ms"),
    SONAVEL_FIELD(CompThreshold, PerChannel, 0, 100, "dB"),
    SONAVEL_FIELD(CompAttack, PerChannel, 0, 200, "ms"),
    SONAVEL_FIELD(CompRelease, PerChannel, 1, 1000, ""),
    SONAVEL_FIELD(CompRatio, PerChannel, 1, 101, ""),
    SONAVEL_FIELD(LoudnessParam1, PerChannel, 0, 255, ""),
    SONAVEL_FIELD(LoudnessParam2, PerChannel, 0, 255, ""),
    SONAVEL_FIELD(LoudnessParam3, PerChannel, 0, 255, ""),
    SONAVEL_FIELD(InvertStatus, PerChannel, 0, 1, ""),
    SONAVEL_FIELD(FuncByPass3, PerChannel, 0, 1, ""),
    SONAVEL_FIELD(FuncByPass6, PerChannel, 0, 1, ""),
    SONAVEL_FIELD(FuncByPass8, PerChannel, 0, 1, ""),
    SONAVEL_FIELD(GainLevel, GainLevels, 0, 145, "dB"),
};

#undef SONAVEL_FIELD

void CheckIndex(const StoreField& field, int index) {
    if (index < 0 || index >= field.Count())
        throw std::out_of_range(std::string(field.name) + " has no element " + std::to_string(index));
}

}  // namespace

int StoreField::Count() const {
    switch (shape) {
        case FieldShape::PerBand: return BandArray<int16_t>::kSize;
        case FieldShape::PerChannel: return kChannelCount;
        case FieldShape::GainLevels: return 4;
    }
    return 0;
}

std::span<const StoreField> StoreFields() { return kFields; }

const StoreField* FindStoreField(std::string_view name) {
    auto it = std::find_if(kFields.begin(), kFields.end(),
                           [name](const StoreField& f) { return f.name == name; });
    return it == kFields.end() ? nullptr : &*it;
}

int ElementIndex(const StoreField& field, int first, int band) {
    if (field.shape == FieldShape::PerBand) return BandArray<int16_t>::slot(first, band);
    if (first < 1 || first > field.Count())
        throw std::out_of_range(std::string(field.name) + " has no element " + std::to_string(first));
    return first - 1;
}

std::string ElementName(const StoreField& field, int index) {
    CheckIndex(field, index);
    if (field.shape == FieldShape::PerBand)
        return std::string(field.name) + "(" + std::to_string(index % kChannelCount + 1) + "," +
               std::to_string(index / kChannelCount + 1) + ")";
    return std::string(field.name) + "(" + std::to_string(index + 1) + ")";
}

int ReadStoreField(const ParameterStore& store, const StoreField& field, int index) {
    CheckIndex(field, index);
    return field.read(store)[index];
}

void WriteStoreField(ParameterStore& store, const StoreField& field, int index, int value) {
    CheckIndex(field, index);
    if (value < field.min || value > field.max)
        throw std::out_of_range(ElementName(field, index) + " = " + std::to_string(value) +
                                " is outside " + std::to_string(field.min) + ".." +
                                std::to_string(field.max));
    field.write(store)[index] = static_cast<int16_t>(value);
}

int ClampIntoRange(ParameterStore& store) {
    int changed = 0;
    for (const StoreField& field : kFields) {
        int16_t* values = field.write(store);
        for (int i = 0; i < field.Count(); ++i) {
            const int16_t clamped = static_cast<int16_t>(std::clamp<int>(values[i], field.min, field.max));
            if (clamped != values[i]) {
                values[i] = clamped;
                ++changed;
            }
        }
    }
    return changed;
}

}  // namespace sonavel
