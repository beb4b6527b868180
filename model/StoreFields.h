#pragma once
// Every whole-number field of the parameter store, by name, with its shape and the range its
// controls, tables and messages can hold, so that tools can print, read and write fields
// generically and input from a file or a unit can be brought into range.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/ParameterStore.h"

namespace sonavel {

enum class FieldShape {
    PerBand,     // 14 elements (channel, band), channel-fastest
    PerChannel,  // 2 elements, channel 1 and 2
    GainLevels,  // 4 elements: input gain 1, 2, output gain 1, 2
};

struct StoreField {
    std::string_view name;  // as in the store
    FieldShape shape;
    int min;
    int max;
    std::string_view unit;  // display hint, the kind of quantity the raw steps encode:
                            // "dB", "Hz", "ms", "Q" or ""
    // The field's elements in store order.
    const int16_t* (*read)(const ParameterStore&);
    int16_t* (*write)(ParameterStore&);

    int Count() const;
};

// All fields in store order.
std::span<const StoreField> StoreFields();

// The field of that exact name, or nullptr.
const StoreField* FindStoreField(std::string_view name);

// Index in store order of an element: (channel, band) for PerBand, (channel) for PerChannel,
// (number 1..4) for GainLevels. Throws std::out_of_range for numbers outside the shape.
int ElementIndex(const StoreField& field, int first, int band = 0);

// "EqGain(2,3)", "CompRatio(1)", "GainLevel(4)". Throws std::out_of_range for a bad index.
std::string ElementName(const StoreField& field, int index);

// Reads one element by index in store order; throws std::out_of_range for a bad index.
int ReadStoreField(const ParameterStore& store, const StoreField& field, int index);

// Writes one element; throws std::out_of_range for a bad index or a value outside
// field.min..field.max, with a message naming the element and its range.
void WriteStoreField(ParameterStore& store, const StoreField& field, int index, int value);

// Clamps every field into field.min..field.max, so that settings from a preset file or a
// unit can be shown, looked up in the tables and sent again. Returns how many elements changed.
int ClampIntoRange(ParameterStore& store);

}  // namespace sonavel
