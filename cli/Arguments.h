#pragma once
// The words after a subcommand: positional arguments and "--name value" or "--name" options.
#include <map>
#include <string>
#include <vector>

namespace sonavel::cli {

struct OptionKind {
    std::string name;  // without the leading "--"
    bool takesValue;
    bool repeatable;
};

class Arguments {
public:
    // Throws UsageError for an unknown option, a missing value, a repeated single option, or
    // a number of positional arguments other than `positionals`.
    Arguments(const std::vector<std::string>& words, const std::vector<OptionKind>& known,
              size_t positionals);

    const std::string& Positional(size_t index) const { return positionals_.at(index); }
    bool Has(const std::string& name) const { return options_.contains(name); }
    // The option's values in order; empty when it was not given.
    std::vector<std::string> Values(const std::string& name) const;
    // The option's value, or the fallback when it was not given.
    std::string Value(const std::string& name, const std::string& fallback = {}) const;
    // The option's value; a UsageError when it was not given.
    std::string Required(const std::string& name) const;

private:
    std::vector<std::string> positionals_;
    std::map<std::string, std::vector<std::string>> options_;
};

constexpr int kNoUpperLimit = 1 << 30;

// A whole number within min..max, or a UsageError naming what it should have been.
int ParseNumber(const std::string& text, int min, int max, const std::string& what);

// The options every command that reads a preset file takes.
const OptionKind kRecordOption{"record", true, false};
// The record number of --record (from 1), 1 when it was not given.
int RecordNumber(const Arguments& args);

}  // namespace sonavel::cli
