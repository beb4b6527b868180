// The JSON reader: what it takes, and where and why it stops on what it refuses.
#include <gtest/gtest.h>

#include <string>

#include "presets/JsonReader.h"

using namespace sonavel;

static std::string Nested(int depth) { return std::string(depth, '[') + std::string(depth, ']'); }

TEST(JsonReader, RefusesWithThePlaceAndTheReason) {
    const struct {
        std::string json, error;
    } cases[] = {
        {"", "character 0: a value is missing"},
        {"{\"a\" 1}", "character 5: ':' is missing"},
        {"{} {}", "character 3: text after the value"},
        {"\"a\x01\"", "character 2: a control character in a text"},
        {"\"\xff\"", "character 1: not UTF-8"},
        {"\"\\ud800\"", "character 7: a lone high surrogate"},
        {"[1e999]", "character 1: number out of range"},
        {"[01]", "character 1: a number starts with 0"},
        {Nested(kMaxJsonDepth + 1), "character 64: nested too deeply"},
    };
    for (const auto& c : cases) {
        const Outcome<JsonValue> read = ParseJson(c.json);
        EXPECT_EQ(read.error(), "not valid JSON at " + c.error) << c.json;
        EXPECT_THROW(read.value(), std::bad_optional_access) << "a failure has no value to read";
    }
    EXPECT_TRUE(ParseJson(Nested(kMaxJsonDepth)).ok());
}

TEST(JsonReader, ReadsMembersInOrderWithEscapesAndExponents) {
    const Outcome<JsonValue> read =
        ParseJson(" {\"b\": [1.5e2, -0, 10E-1, true, null], \"a\": \"caf\\u00e9 \\\"\\\\\\/\\n\\ud83c\\udfb5\"} ");
    ASSERT_TRUE(read.ok()) << read.error();
    EXPECT_EQ(read.value().keys, (std::vector<std::string>{"b", "a"}));
    const auto& list = read.value().items[0].items;
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ((std::vector<double>{list[0].number, list[1].number, list[2].number}), (std::vector<double>{150, 0, 1}));
    EXPECT_TRUE(list[3].type == JsonValue::Type::Boolean && list[3].boolean && list[4].type == JsonValue::Type::Null);
    EXPECT_EQ(read.value().items[1].text, "caf\xc3\xa9 \"\\/\n\xf0\x9f\x8e\xb5");
}
