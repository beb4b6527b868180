// Any bytes as `sonavel-cli preset make` JSON: refused, or a record in range that its JSON gives again.
#include "cli/CliError.h"
#include "cli/PresetJson.h"
#include "fuzz/FuzzCheck.h"

using namespace sonavel;
using sonavel::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PresetRecord record;
    try {
        record = cli::PresetFromJson(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const cli::CliError&) {
        return 0;  // refused with a message
    }
    for (const RecordField& entry : PresetRecordFields())
        for (int i = 0; i < entry.field->Count(); ++i) {
            const int value = record.Value(entry.offset + 2 * i);
            Check(value >= entry.field->min && value <= entry.field->max);
        }
    for (bool withUnits : {true, false}) Check(cli::PresetFromJson(cli::PresetToJson(record, withUnits)) == record);
    return 0;
}
