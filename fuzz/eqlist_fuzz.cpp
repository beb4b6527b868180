// Feeds arbitrary text to the filter-list import: every problem must name a line of the
// text, fitting what fits must leave nothing but a lack of filters as a problem and only
// in-range settings in the store, and the channel written back out as a list must read
// and fit again to the very same settings with no difference in response.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "eqlist/FilterExport.h"
#include "eqlist/FilterFit.h"
#include "model/StoreFields.h"
#include "fuzz/FuzzCheck.h"

using namespace sonavel;
using sonavel::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ParsedFilterList parsed = ParseFilterList(text);
    const long lines = static_cast<long>(std::count(text.begin(), text.end(), '\n')) + 1;
    for (const LineProblem& problem : parsed.problems) Check(problem.line >= 1 && problem.line <= lines);

    const FittedList strict = FitFilterList(parsed, FitMode::Strict);
    const FittedList fitted = FitFilterList(parsed, FitMode::KeepWhatFits);
    for (const LineProblem& problem : fitted.problems) Check(problem.line == 0);
    if (!fitted.problems.empty()) return 0;
    Check(fitted.filters.size() <= kEqBandCount + 2);
    const Deviation deviation = LargestDifference(RequestedResponseDb(fitted), FittedResponseDb(fitted));
    Check(deviation.largestDb >= 0);
    if (strict.problems.empty()) Check(strict.filters.size() == fitted.filters.size());

    ParameterStore store;
    InitDSPPremeter(store);
    ApplyFittedList(fitted, 1, store);
    ParameterStore clamped = store;
    Check(ClampIntoRange(clamped) == 0);

    const FittedList again = FitFilterList(ParseFilterList(ExportFilterList(store, 1, "again")), FitMode::Strict);
    Check(again.problems.empty());
    Check(LargestDifference(RequestedResponseDb(again), FittedResponseDb(again)).largestDb == 0);
    ParameterStore back;
    InitDSPPremeter(back);
    ApplyFittedList(again, 1, back);
    Check(ExportFilterList(back, 1, "again") == ExportFilterList(store, 1, "again"));
    return 0;
}
