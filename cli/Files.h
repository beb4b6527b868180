#pragma once
// Reading and writing the tool's files; every failure is a CliError naming the file.
#include <QByteArray>
#include <string>

#include "presets/PresetRecord.h"

namespace sonavel::cli {

std::string ReadTextFile(const std::string& path);

// Replaces the file in one step: the data goes to a temporary file that takes the name
// only when it is complete.
void WriteWholeFile(const std::string& path, const QByteArray& data);

// Record n (from 1) of a preset file.
PresetRecord ReadRecord(const std::string& path, int recordNumber = 1);

}  // namespace sonavel::cli
