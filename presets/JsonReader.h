#pragma once
// A reader of JSON text for the tools' input files. Objects keep their members in order,
// numbers are read as doubles (a number too large or too small for one is an error, so
// every value is finite), strings must be UTF-8. Nesting deeper than kMaxJsonDepth is refused, so hostile
// input cannot exhaust the stack. Nothing here throws.
#include <string>
#include <string_view>
#include <vector>

#include "presets/Outcome.h"

namespace sonavel {

constexpr int kMaxJsonDepth = 64;

struct JsonValue {
    enum class Type { Null, Boolean, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    double number = 0;
    std::string text;               // String
    std::vector<JsonValue> items;   // Array elements, or Object member values
    std::vector<std::string> keys;  // Object member names, one per item
};

// The one value the whole text holds; a failure names the byte where reading stopped:
// "not valid JSON at character 12: ...".
Outcome<JsonValue> ParseJson(std::string_view text);

}  // namespace sonavel
