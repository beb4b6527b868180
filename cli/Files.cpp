#include "cli/Files.h"

#include "cli/CliError.h"
#include "presets/PresetFile.h"
#include "presets/WholeFile.h"

namespace sonavel::cli {

std::string ReadTextFile(const std::string& path) {
    Outcome<std::string> read = ReadTextInput(path);
    if (!read.ok()) throw CliError(read.error());
    return std::move(read.value());
}

void WriteWholeFile(const std::string& path, std::string_view data) {
    if (const Status written = WriteWholeOutput(path, data); !written.ok()) throw CliError(written.error());
}

PresetRecord ReadRecord(const std::string& path, int recordNumber) {
    Outcome<PresetRecord> read = ReadPresetRecord(path, recordNumber);
    if (!read.ok()) throw CliError(read.error());
    return read.value();
}

}  // namespace sonavel::cli
