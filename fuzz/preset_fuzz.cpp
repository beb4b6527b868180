// Any bytes as a preset record: refused with the store untouched, or loaded in range and kept by a save.
#include <cstring>

#include "fuzz/FuzzCheck.h"
#include "presets/PresetRecord.h"

using namespace sonavel;
using namespace sonavel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kPresetRecordSize) return 0;
    PresetRecord record;
    std::memcpy(record.bytes.data(), data, kPresetRecordSize);
    ParameterStore store = Defaults(), reloaded = Defaults();
    if (!RecordToStore(record, store).ok()) {
        Check(store == Defaults());
        return 0;
    }
    CheckInRange(store);
    PresetRecord saved = record;
    StoreToRecord(store, saved);
    Check(RecordToStore(saved, reloaded).ok() && reloaded == store);
    return 0;
}
