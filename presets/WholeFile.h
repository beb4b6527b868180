#pragma once
// Whole inputs and outputs of the tools, by file names as the file system holds them
// (bytes, whatever their encoding). "-" stands for standard input or standard output.
#include <cstddef>
#include <string>
#include <string_view>

#include "presets/Outcome.h"

namespace sonavel {

// The most a text input (a preset as JSON, ...) may hold: 1 MiB.
constexpr size_t kMaxTextInputBytes = 1 << 20;

// The whole input: standard input for "-", otherwise a regular file, opened without
// waiting so that a named pipe or a device is refused instead of waited on or read forever.
// More than maxBytes is refused.
Outcome<std::string> ReadTextInput(const std::string& path, size_t maxBytes = kMaxTextInputBytes);

// Replaces the file in one step: the data goes to a new file beside it (mode 0666 less the
// umask, or the mode of the file it replaces) that takes the name only once it is complete,
// so a failure leaves the old file as it was. "-" writes to standard output.
Status WriteWholeOutput(const std::string& path, std::string_view data);

}  // namespace sonavel
