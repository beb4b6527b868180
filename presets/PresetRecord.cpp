#include "presets/PresetRecord.h"

#include <string>

#include "presets/Windows1252.h"

namespace sonavel {

namespace {

template <auto Member>
std::span<int16_t> Values(ParameterStore& store) {
    return (store.*Member).raw();
}

template <auto Member>
std::span<const int16_t> ConstValues(const ParameterStore& store) {
    return (store.*Member).raw();
}

template <auto Member>
constexpr RecordField Field(const char* name, int offset) {
    using Array = std::remove_reference_t<decltype(std::declval<ParameterStore>().*Member)>;
    return {name, offset, Array::kSize, &Values<Member>, &ConstValues<Member>};
}

constexpr int kGainLevelOffset = 102;

constexpr RecordField kFields[] = {
    Field<&ParameterStore::GainLevel>("GainLevel", kGainLevelOffset),
    Field<&ParameterStore::DelaySamples>("DelaySamples", 118),
    Field<&ParameterStore::CompThreshold>("CompThreshold", 122),
    Field<&ParameterStore::CompAttack>("CompAttack", 126),
    Field<&ParameterStore::CompRelease>("CompRelease", 130),
    Field<&ParameterStore::CompRatio>("CompRatio", 134),
    Field<&ParameterStore::EqType>("EqType", 150),
    Field<&ParameterStore::EqFrequency>("EqFrequency", 178),
    Field<&ParameterStore::EqGain>("EqGain", 234),
    Field<&ParameterStore::EqQFactor>("EqQFactor", 262),
    Field<&ParameterStore::EqByPass>("EqByPass", 290),
    Field<&ParameterStore::HpType>("HpType", 654),
    Field<&ParameterStore::LpType>("LpType", 658),
    Field<&ParameterStore::InvertStatus>("InvertStatus", 674),
    Field<&ParameterStore::FuncByPass6>("FuncByPass6", 678),
    Field<&ParameterStore::FuncByPass3>("FuncByPass3", 686),
};

}  // namespace

std::span<const RecordField> PresetRecordFields() { return kFields; }

int16_t PresetRecord::Value(int offset) const {
    return static_cast<int16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

void PresetRecord::SetValue(int offset, int16_t value) {
    const auto bits = static_cast<uint16_t>(value);
    bytes.at(offset) = static_cast<uint8_t>(bits & 0xFF);
    bytes.at(offset + 1) = static_cast<uint8_t>(bits >> 8);
}

void PresetRecord::SetPresetName(const std::string& utf8Name) {
    std::string encoded = EncodeWindows1252(utf8Name, kPresetNameLength);
    encoded.resize(kPresetNameLength, ' ');
    std::copy(encoded.begin(), encoded.end(), bytes.begin() + kPresetNameOffset);
}

std::string PresetRecord::PresetName() const {
    const auto first = bytes.begin() + kPresetNameOffset;
    return DecodeWindows1252(std::string(first, first + kPresetNameLength));
}

void StoreToRecord(const ParameterStore& store, PresetRecord& record) {
    for (const RecordField& field : kFields) {
        const auto values = field.constValues(store);
        for (int i = 0; i < field.count; ++i) record.SetValue(field.offset + 2 * i, values[i]);
    }
}

Status RecordToStore(const PresetRecord& record, ParameterStore& store) {
    for (int input = 0; input < 2; ++input) {
        const int gain = record.Value(kGainLevelOffset + 2 * input);
        if (gain < 0 || gain > kInputGainMax)
            return Status::Failure("input gain of channel " + std::to_string(input + 1) + " is " +
                                   std::to_string(gain) + ", outside 0..145");
    }
    for (const RecordField& field : kFields) {
        const auto values = field.values(store);
        for (int i = 0; i < field.count; ++i) values[i] = record.Value(field.offset + 2 * i);
    }
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        if (store.CompThreshold(ch) > kCompThresholdLoadLimit)
            store.CompThreshold(ch) = kCompThresholdLoadLimit;
        if (store.CompRatio(ch) > kCompRatioLoadLimit) store.CompRatio(ch) = kCompRatioLoadLimit;
    }
    return Status::Success();
}

}  // namespace sonavel
