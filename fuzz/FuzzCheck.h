#pragma once
// A property a fuzz target holds: when it fails, the target stops so libFuzzer keeps the input.
#include <cstdlib>

namespace sonavel::fuzz {

inline void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace sonavel::fuzz
