#include "presets/JsonReader.h"

#include <charconv>
#include <cstdint>

namespace sonavel {

namespace {

// A parse failure: where and why.
struct JsonError {
    size_t at;
    const char* reason;
};

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    JsonValue Document() {
        JsonValue value = Value(0);
        SkipBlanks();
        if (at_ != text_.size()) Fail("text after the value");
        return value;
    }

private:
    [[noreturn]] void Fail(const char* reason) const { throw JsonError{at_, reason}; }

    void SkipBlanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r'))
            ++at_;
    }

    bool Take(char c) {
        SkipBlanks();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    void Expect(char c, const char* reason) {
        if (!Take(c)) Fail(reason);
    }

    void Literal(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) Fail("unknown word");
        at_ += word.size();
    }

    JsonValue Value(int depth) {
        if (depth >= kMaxJsonDepth) Fail("nested too deeply");
        SkipBlanks();
        if (at_ >= text_.size()) Fail("a value is missing");
        JsonValue value;
        switch (text_[at_]) {
            case '{': return Object(depth);
            case '[': return Array(depth);
            case '"':
                value.type = JsonValue::Type::String;
                value.text = String();
                return value;
            case 't': Literal("true"); value.type = JsonValue::Type::Boolean; value.boolean = true; return value;
            case 'f': Literal("false"); value.type = JsonValue::Type::Boolean; return value;
            case 'n': Literal("null"); return value;
            default:
                value.type = JsonValue::Type::Number;
                value.number = Number();
                return value;
        }
    }

    JsonValue Object(int depth) {
        JsonValue object;
        object.type = JsonValue::Type::Object;
        ++at_;
        if (Take('}')) return object;
        do {
            SkipBlanks();
            if (at_ >= text_.size() || text_[at_] != '"') Fail("a member name is missing");
            object.keys.push_back(String());
            Expect(':', "':' is missing");
            object.items.push_back(Value(depth + 1));
        } while (Take(','));
        Expect('}', "',' or '}' is missing");
        return object;
    }

    JsonValue Array(int depth) {
        JsonValue array;
        array.type = JsonValue::Type::Array;
        ++at_;
        if (Take(']')) return array;
        do array.items.push_back(Value(depth + 1));
        while (Take(','));
        Expect(']', "',' or ']' is missing");
        return array;
    }

    size_t Digits() {
        const size_t start = at_;
        while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
        return at_ - start;
    }

    double Number() {
        const size_t start = at_;
        if (text_[at_] == '-') ++at_;
        const size_t integerStart = at_;
        const size_t integerDigits = Digits();
        if (integerDigits == 0) Fail("not a value");
        if (integerDigits > 1 && text_[integerStart] == '0') {
            at_ = integerStart;
            Fail("a number starts with 0");
        }
        if (at_ < text_.size() && text_[at_] == '.') {
            ++at_;
            if (Digits() == 0) Fail("digits missing after '.'");
        }
        if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
            ++at_;
            if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
            if (Digits() == 0) Fail("digits missing in the exponent");
        }
        double number = 0;
        const auto [end, error] = std::from_chars(text_.data() + start, text_.data() + at_, number);
        if (error != std::errc()) {
            at_ = start;
            Fail("number out of range");
        }
        return number;
    }

    unsigned Hex4() {
        if (at_ + 4 > text_.size()) Fail("\\u needs four hex digits");
        unsigned code = 0;
        const auto [end, error] = std::from_chars(text_.data() + at_, text_.data() + at_ + 4, code, 16);
        if (error != std::errc() || end != text_.data() + at_ + 4) Fail("\\u needs four hex digits");
        at_ += 4;
        return code;
    }

    static void AppendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    unsigned Escape() {
        if (at_ >= text_.size()) Fail("unfinished text");
        switch (text_[at_++]) {
            case '"': return '"';
            case '\\': return '\\';
            case '/': return '/';
            case 'b': return '\b';
            case 'f': return '\f';
            case 'n': return '\n';
            case 'r': return '\r';
            case 't': return '\t';
            case 'u': break;
            default: --at_; Fail("unknown escape");
        }
        const unsigned code = Hex4();
        if (code >= 0xDC00 && code <= 0xDFFF) Fail("a lone low surrogate");
        if (code < 0xD800 || code > 0xDBFF) return code;
        if (text_.substr(at_, 2) != "\\u") Fail("a lone high surrogate");
        at_ += 2;
        const unsigned low = Hex4();
        if (low < 0xDC00 || low > 0xDFFF) Fail("a lone high surrogate");
        return 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    }

    // One UTF-8 character of 2 to 4 bytes, copied when it is well formed.
    void Utf8Character(std::string& out) {
        const auto lead = static_cast<uint8_t>(text_[at_]);
        const int length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
        if (length == 0 || lead > 0xF4 || at_ + length > text_.size()) Fail("not UTF-8");
        unsigned code = lead & (0x7F >> length);
        for (int i = 1; i < length; ++i) {
            const auto next = static_cast<uint8_t>(text_[at_ + i]);
            if ((next & 0xC0) != 0x80) Fail("not UTF-8");
            code = (code << 6) | (next & 0x3F);
        }
        const unsigned smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) Fail("not UTF-8");
        out.append(text_.substr(at_, length));
        at_ += length;
    }

    std::string String() {
        ++at_;  // the opening quote
        std::string out;
        while (true) {
            if (at_ >= text_.size()) Fail("unfinished text");
            const auto c = static_cast<uint8_t>(text_[at_]);
            if (c == '"') break;
            if (c < 0x20) Fail("a control character in a text");
            if (c == '\\') {
                ++at_;
                AppendUtf8(out, Escape());
            } else if (c < 0x80) {
                out += static_cast<char>(c);
                ++at_;
            } else {
                Utf8Character(out);
            }
        }
        ++at_;
        return out;
    }

    std::string_view text_;
    size_t at_ = 0;
};

}  // namespace

Outcome<JsonValue> ParseJson(std::string_view text) {
    try {
        return Reader(text).Document();
    } catch (const JsonError& error) {
        return Status::Failure("not valid JSON at character " + std::to_string(error.at) + ": " + error.reason);
    }
}

}  // namespace sonavel
