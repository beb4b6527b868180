#include "cli/PresetJson.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "cli/CliError.h"
#include "cli/ExactNumber.h"
#include "cli/FieldUnits.h"
#include "model/JsonText.h"
#include "model/Windows1252.h"
#include "presets/JsonReader.h"

namespace sonavel::cli {

namespace {

constexpr const char* kNameKey = "PresetName";

// A raw position with its value in the field's unit: {"raw": 30, "dB": -3}. A position
// outside the field's range has no such value and stays a plain number.
std::string ElementJson(const StoreField& field, int raw, bool withUnits) {
    const std::string_view key = UnitKey(field);
    if (!withUnits || key.empty() || raw < field.min || raw > field.max) return std::to_string(raw);
    const UnitValue value = ValueInUnit(field, raw);
    const std::string* word = std::get_if<std::string>(&value);
    return "{\"raw\": " + std::to_string(raw) + ", " + JsonQuoted(std::string(key)) + ": " +
           (word ? JsonQuoted(*word) : ExactNumber(std::get<double>(value))) + "}";
}

// Values of one field in JSON: band fields as one array per channel.
std::string FieldJson(const PresetRecord& record, const RecordField& entry, bool withUnits) {
    auto value = [&](int index) {
        return ElementJson(*entry.field, record.Value(entry.offset + 2 * index), withUnits);
    };
    std::string out = "[";
    if (entry.field->shape == FieldShape::PerBand) {
        for (int ch = 0; ch < kChannelCount; ++ch) {
            out += ch == 0 ? "[" : ", [";
            for (int band = 0; band < kBandCount; ++band)
                out += (band == 0 ? "" : ", ") + value(ch + kChannelCount * band);
            out += "]";
        }
    } else {
        for (int i = 0; i < entry.field->Count(); ++i) out += (i == 0 ? "" : ", ") + value(i);
    }
    return out + "]";
}

const RecordField* FindRecordField(const std::string& name) {
    for (const RecordField& entry : PresetRecordFields())
        if (entry.field->name == name) return &entry;
    return nullptr;
}

using Type = JsonValue::Type;

int WholeNumber(const JsonValue& value, const StoreField& field, const std::string& element) {
    const double number = value.number;
    if (value.type != Type::Number || number != std::floor(number))
        throw CliError(element + " must be a whole number (a raw position)");
    if (number < field.min || number > field.max) {
        char text[32];
        std::snprintf(text, sizeof text, "%.15g", number);
        throw CliError(element + " = " + text + " is outside " + std::to_string(field.min) +
                       ".." + std::to_string(field.max));
    }
    return static_cast<int>(number);
}

const std::vector<JsonValue>& ArrayOf(const JsonValue& value, int size, const std::string& what) {
    if (value.type != Type::Array || value.items.size() != static_cast<size_t>(size))
        throw CliError(what + " must be an array of " + std::to_string(size) + " values");
    return value.items;
}

// The first member name of an object that comes again later, or nullptr.
const std::string* RepeatedKey(const JsonValue& object) {
    for (auto it = object.keys.begin(); it != object.keys.end(); ++it)
        if (std::find(it + 1, object.keys.end(), *it) != object.keys.end()) return &*it;
    return nullptr;
}

// A value in the field's unit as JSON gives it: a number or a word.
UnitValue UnitValueOf(const JsonValue& value, const std::string& element, std::string_view key) {
    if (value.type == Type::Number) return value.number;
    if (value.type == Type::String) return value.text;
    throw CliError(element + ": \"" + std::string(key) + "\" must be a number or a word");
}

// An element as a raw position (30), as {"raw": 30}, as {"dB": -3} or as both, which must
// then agree.
int ElementValue(const JsonValue& value, const StoreField& field, const std::string& element) {
    if (value.type != Type::Object) return WholeNumber(value, field, element);
    if (const std::string* repeated = RepeatedKey(value))
        throw CliError(element + ": \"" + *repeated + "\" is given twice");
    const std::string key(UnitKey(field));
    std::optional<int> raw;
    for (size_t i = 0; i < value.keys.size(); ++i)
        if (value.keys[i] == "raw") raw = WholeNumber(value.items[i], field, element);
    for (size_t i = 0; i < value.keys.size(); ++i) {
        const std::string& name = value.keys[i];
        if (name == "raw") continue;
        if (key.empty() || name != key)
            throw CliError(element + " has no \"" + name + "\"" +
                           (key.empty() ? "; give it as a whole number" : "; its unit is \"" + key + "\""));
        const UnitValue inUnit = UnitValueOf(value.items[i], element, key);
        const int fromUnit = RawFromUnit(field, inUnit, element);
        // Several positions can share a value (CompRatio 100 and 101 are both "Limiter"):
        // a position whose own value it is agrees with it and is kept.
        if (raw && *raw != fromUnit && ValueInUnit(field, *raw) != inUnit)
            throw CliError(element + ": \"raw\" " + std::to_string(*raw) + " and \"" + key +
                           "\" (position " + std::to_string(fromUnit) + ") disagree");
        if (!raw) raw = fromUnit;
    }
    if (!raw) throw CliError(element + " needs \"raw\"" + (key.empty() ? "" : " or \"" + key + "\""));
    return *raw;
}

void ReadField(const RecordField& entry, const JsonValue& value, PresetRecord& record) {
    const StoreField& field = *entry.field;
    const std::string name(field.name);
    auto store = [&](int index, const JsonValue& element) {
        const int number = ElementValue(element, field, ElementName(field, index));
        record.SetValue(entry.offset + 2 * index, static_cast<int16_t>(number));
    };
    if (field.shape == FieldShape::PerBand) {
        const auto& channels = ArrayOf(value, kChannelCount, name);
        for (int ch = 0; ch < kChannelCount; ++ch) {
            const auto& bands =
                ArrayOf(channels[ch], kBandCount, name + " of channel " + std::to_string(ch + 1));
            for (int band = 0; band < kBandCount; ++band) store(ch + kChannelCount * band, bands[band]);
        }
    } else {
        const auto& values = ArrayOf(value, field.Count(), name);
        for (int i = 0; i < field.Count(); ++i) store(i, values[i]);
    }
}

void ReadName(const JsonValue& value, PresetRecord& record) {
    if (value.type != Type::String) throw CliError("PresetName must be a text");
    const std::string& name = value.text;
    const std::string encoded = EncodeWindows1252(name, name.size());
    if (DecodeWindows1252(encoded) != name)
        throw CliError("PresetName holds characters that Windows-1252 cannot hold");
    if (encoded.size() > static_cast<size_t>(kPresetNameLength))
        throw CliError("PresetName is longer than 100 characters");
    record.SetPresetName(name);
}

}  // namespace

std::string PresetToJson(const PresetRecord& record, bool withUnits) {
    std::string out = "{\n  " + JsonQuoted(kNameKey) + ": " + JsonQuoted(record.DisplayName());
    for (const RecordField& entry : PresetRecordFields())
        out += ",\n  " + JsonQuoted(std::string(entry.field->name)) + ": " + FieldJson(record, entry, withUnits);
    return out + "\n}\n";
}

PresetRecord PresetFromJson(const std::string& json) {
    const Outcome<JsonValue> document = ParseJson(json);
    if (!document.ok()) throw CliError(document.error());
    const JsonValue& object = document.value();
    if (object.type != Type::Object) throw CliError("the JSON must be one object of preset fields");
    if (const std::string* repeated = RepeatedKey(object)) throw CliError(*repeated + " is given twice");

    ParameterStore defaults;
    InitDSPPremeter(defaults);
    PresetRecord record;
    StoreToRecord(defaults, record);
    record.SetPresetName("");

    for (size_t i = 0; i < object.keys.size(); ++i) {
        const std::string& key = object.keys[i];
        if (key == kNameKey) {
            ReadName(object.items[i], record);
        } else if (const RecordField* entry = FindRecordField(key)) {
            ReadField(*entry, object.items[i], record);
        } else if (FindStoreField(key)) {
            throw CliError(key + " is not kept in preset files");
        } else {
            throw CliError("unknown field \"" + key + "\"");
        }
    }
    return record;
}

}  // namespace sonavel::cli
