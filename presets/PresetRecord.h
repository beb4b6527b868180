#pragma once
// The 690-byte preset record, the unit of every preset file: a named snapshot of the
// parameter store. All integers are 16-bit signed little-endian; band fields hold 14 values
// channel-fastest (ch1 band1, ch2 band1, ch1 band2, ...), channel fields ch1 then ch2.
// Bytes the record does not use are kept as the record holds them, so a record read from
// a file and written again carries its unused bytes unchanged.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/ParameterStore.h"
#include "model/StoreFields.h"
#include "presets/Outcome.h"

namespace sonavel {

constexpr int kPresetRecordSize = 690;
constexpr int kPresetNameOffset = 2;
constexpr int kPresetNameLength = 100;
constexpr int kInputGainMax = 145;    // the load check on GainLevel(1) and GainLevel(2)

// One store field the record carries and the offset of its first value; its values follow
// one another in store order.
struct RecordField {
    const StoreField* field;
    int offset;
};

// Every field the record carries, in record order.
std::span<const RecordField> PresetRecordFields();

struct PresetRecord {
    std::array<uint8_t, kPresetRecordSize> bytes{};

    int16_t Value(int offset) const;
    void SetValue(int offset, int16_t value);

    // The name: cut to 100 characters, written in Windows-1252 (a character it cannot
    // hold becomes "?") and padded with blanks. Takes and gives UTF-8 text.
    void SetPresetName(const std::string& utf8Name);
    std::string PresetName() const;  // all 100 characters, trailing blanks included
    std::string DisplayName() const;  // without the trailing blanks

    bool operator==(const PresetRecord&) const = default;
};

// Copies every field the record carries from the store; the name and the unused bytes
// stay as they are.
void StoreToRecord(const ParameterStore& store, PresetRecord& record);

// The load: accepted only when both input gains lie in 0..145 (otherwise the store is
// left untouched and the failure says why). Then every carried field is copied and every
// store field clamped into its own range, so that later table lookups stay valid: a
// CompThreshold above 100 becomes 100, a CompRatio above 101 becomes 101.
Status RecordToStore(const PresetRecord& record, ParameterStore& store);

}  // namespace sonavel
