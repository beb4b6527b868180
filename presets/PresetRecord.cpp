#include "presets/PresetRecord.h"

#include <stdexcept>
#include <string>

#include "model/Windows1252.h"

namespace sonavel {

namespace {

constexpr int kGainLevelOffset = 102;

struct FieldOffset {
    std::string_view name;
    int offset;
};

constexpr FieldOffset kOffsets[] = {
    {"GainLevel", kGainLevelOffset}, {"DelaySamples", 118}, {"CompThreshold", 122},
    {"CompAttack", 126},  {"CompRelease", 130},  {"CompRatio", 134},
    {"EqType", 150},      {"EqFrequency", 178},  {"EqGain", 234},
    {"EqQFactor", 262},   {"EqByPass", 290},     {"HpType", 654},
    {"LpType", 658},      {"InvertStatus", 674}, {"FuncByPass6", 678},
    {"FuncByPass3", 686},
};

std::vector<RecordField> ResolveFields() {
    std::vector<RecordField> fields;
    for (const FieldOffset& entry : kOffsets) {
        const StoreField* field = FindStoreField(entry.name);
        if (field == nullptr) throw std::logic_error("no store field " + std::string(entry.name));
        fields.push_back({field, entry.offset});
    }
    return fields;
}

}  // namespace

std::span<const RecordField> PresetRecordFields() {
    static const std::vector<RecordField> fields = ResolveFields();
    return fields;
}

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

std::string PresetRecord::DisplayName() const {
    std::string name = PresetName();
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

void StoreToRecord(const ParameterStore& store, PresetRecord& record) {
    for (const RecordField& entry : PresetRecordFields()) {
        const int16_t* values = entry.field->read(store);
        for (int i = 0; i < entry.field->Count(); ++i)
            record.SetValue(entry.offset + 2 * i, values[i]);
    }
}

Status RecordToStore(const PresetRecord& record, ParameterStore& store) {
    for (int input = 0; input < 2; ++input) {
        const int gain = record.Value(kGainLevelOffset + 2 * input);
        if (gain < 0 || gain > kInputGainMax)
            return Status::Failure("input gain of channel " + std::to_string(input + 1) + " is " +
                                   std::to_string(gain) + ", outside 0..145");
    }
    for (const RecordField& entry : PresetRecordFields()) {
        int16_t* values = entry.field->write(store);
        for (int i = 0; i < entry.field->Count(); ++i)
            values[i] = record.Value(entry.offset + 2 * i);
    }
    // The store's ranges end CompThreshold at 100 and CompRatio at 101, the load's own limits.
    ClampIntoRange(store);
    return Status::Success();
}

}  // namespace sonavel
