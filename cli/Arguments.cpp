#include "cli/Arguments.h"

#include <algorithm>
#include <charconv>

#include "cli/CliError.h"

namespace sonavel::cli {

Arguments::Arguments(const std::vector<std::string>& words, const std::vector<OptionKind>& known,
                     size_t positionals) {
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() < 3 || word.rfind("--", 0) != 0) {
            positionals_.push_back(word);
            continue;
        }
        const std::string name = word.substr(2);
        const auto option = std::find_if(known.begin(), known.end(),
                                       [&](const OptionKind& s) { return s.name == name; });
        if (option == known.end()) throw UsageError("unknown option " + word);
        if (options_.contains(name) && !option->repeatable)
            throw UsageError("option " + word + " given twice");
        std::string value;
        if (option->takesValue) {
            if (i + 1 >= words.size()) throw UsageError("option " + word + " needs a value");
            value = words[++i];
        }
        options_[name].push_back(value);
    }
    if (positionals_.size() != positionals)
        throw UsageError("expected " + std::to_string(positionals) + " file argument(s), got " +
                       std::to_string(positionals_.size()));
}

std::vector<std::string> Arguments::Values(const std::string& name) const {
    const auto found = options_.find(name);
    return found == options_.end() ? std::vector<std::string>{} : found->second;
}

std::string Arguments::Value(const std::string& name, const std::string& fallback) const {
    const auto found = options_.find(name);
    return found == options_.end() ? fallback : found->second.front();
}

std::string Arguments::Required(const std::string& name) const {
    if (!Has(name)) throw UsageError("--" + name + " is required");
    return Value(name);
}

int ParseNumber(const std::string& text, int min, int max, const std::string& what) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool whole = error == std::errc() && end == text.data() + text.size();
    if (whole && value >= min && value <= max) return value;
    if (max == kNoUpperLimit)
        throw UsageError(what + " \"" + text + "\" is not a whole number of " + std::to_string(min) +
                         " or more");
    throw UsageError(what + " \"" + text + "\" is not a number from " + std::to_string(min) + " to " +
                     std::to_string(max));
}

int RecordNumber(const Arguments& args) {
    return ParseNumber(args.Value("record", "1"), 1, kNoUpperLimit, "--record");
}

}  // namespace sonavel::cli
