#pragma once
// Reading and writing the tool's files; every failure is a CliError naming the file.
// Names are taken as bytes; "-" stands for standard input or output.
#include <QByteArray>
#include <string>
#include <string_view>

#include "presets/PresetRecord.h"

namespace sonavel::cli {

// A text input (JSON, a filter list) of at most 1 MiB.
std::string ReadTextFile(const std::string& path);

// Replaces the file in one step: the data goes to a temporary file that takes the name
// only when it is complete.
void WriteWholeFile(const std::string& path, std::string_view data);
inline void WriteWholeFile(const std::string& path, const QByteArray& data) {
    WriteWholeFile(path, std::string_view(data.constData(), static_cast<size_t>(data.size())));
}

// Record n (from 1) of a preset file.
PresetRecord ReadRecord(const std::string& path, int recordNumber = 1);

}  // namespace sonavel::cli
