#include "cli/LoadedPreset.h"

#include "cli/CliError.h"
#include "presets/StoreRefresh.h"

namespace sonavel::cli {

ParameterStore StoreOfLoadedPreset(const PresetRecord& record) {
    ParameterStore store;
    InitDSPPremeter(store);
    if (const Status loaded = RecordToStore(record, store); !loaded.ok())
        throw CliError("the preset cannot be loaded: " + loaded.error());
    ApplyRefreshToStore(store);
    return store;
}

}  // namespace sonavel::cli
