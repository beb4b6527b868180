#include "cli/LoadedPreset.h"

#include "cli/CliError.h"
#include "cli/Files.h"
#include "model/BulkChange.h"

namespace sonavel::cli {

ParameterStore LoadedStore(const PresetRecord& record, const std::string& source) {
    ParameterStore store;
    InitDSPPremeter(store);
    if (const Status loaded = RecordToStore(record, store); !loaded.ok())
        throw CliError(source + " cannot be loaded: " + loaded.error());
    BringStoreInLine(store);
    return store;
}

ParameterStore LoadedPresetFile(const std::string& path, int recordNumber) {
    return LoadedStore(ReadRecord(path, recordNumber), path + ": record " + std::to_string(recordNumber));
}

}  // namespace sonavel::cli
