#pragma once
// Shared by the fuzz targets: a check that stops the target (libFuzzer keeps the input), chunking, stores.
#include <algorithm>
#include <cstdlib>

#include "model/StoreFields.h"

namespace sonavel::fuzz {

inline void Check(bool condition) {
    if (!condition) std::abort();
}

// Each chunk is preceded by a byte giving its length (1..longest), so splits are explored too.
template <typename Take>
void ForEachChunk(const uint8_t* data, size_t size, size_t longest, Take take) {
    for (size_t at = 0; at < size;) {
        const size_t wanted = 1 + data[at++] % longest;
        const size_t count = std::min(wanted, size - at);
        take(data + at, count);
        at += count;
    }
}

inline void CheckInRange(const ParameterStore& store) {
    for (const StoreField& field : StoreFields())
        for (int i = 0; i < field.Count(); ++i) {
            const int value = ReadStoreField(store, field, i);
            Check(value >= field.min && value <= field.max);
        }
}

inline ParameterStore Defaults() {
    ParameterStore store;
    InitDSPPremeter(store);
    return store;
}

}  // namespace sonavel::fuzz
