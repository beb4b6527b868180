#include "cli/LoadedPreset.h"

#include "cli/CliError.h"
#include "cli/Files.h"
#include "presets/StoreRefresh.h"

namespace sonavel::cli {

ParameterStore LoadedPresetFile(const std::string& path, int recordNumber) {
    const PresetRecord record = ReadRecord(path, recordNumber);
    ParameterStore store;
    InitDSPPremeter(store);
    if (const Status loaded = RecordToStore(record, store); !loaded.ok())
        throw CliError(path + ": record " + std::to_string(recordNumber) + " cannot be loaded: " + loaded.error());
    ApplyRefreshToStore(store);
    return store;
}

}  // namespace sonavel::cli
