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
        if (option == known.end()) throw CliError("unknown option " + word);
        if (options_.contains(name) && !option->repeatable)
            throw CliError("option " + word + " given twice");
        std::string value;
        if (option->takesValue) {
            if (i + 1 >= words.size()) throw CliError("option " + word + " needs a value");
            value = words[++i];
        }
        options_[name].push_back(value);
    }
    if (positionals_.size() != positionals)
        throw CliError("expected " + std::to_string(positionals) + " file argument(s), got " +
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

int ParseNumber(const std::string& text, int min, int max, const std::string& what) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < min || value > max)
        throw CliError(what + " \"" + text + "\" is not a number from " + std::to_string(min) +
                       " to " + std::to_string(max));
    return value;
}

}  // namespace sonavel::cli
