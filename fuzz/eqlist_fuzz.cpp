// Arbitrary text as a filter list: every problem names a line of the text; fitting what fits
// leaves no problem but a lack of filters and only in-range settings; the channel exported
// again reads and fits to the very same settings with no difference in response.
#include <string_view>

#include "eqlist/FilterExport.h"
#include "eqlist/FilterFit.h"
#include "fuzz/FuzzCheck.h"

using namespace sonavel;
using namespace sonavel::fuzz;

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
    Check(LargestDifference(RequestedResponseDb(fitted), FittedResponseDb(fitted)).largestDb >= 0);
    if (strict.problems.empty()) Check(strict.filters.size() == fitted.filters.size());

    ParameterStore store = Defaults(), back = Defaults();
    ApplyFittedList(fitted, 1, store);
    CheckInRange(store);
    const FittedList again = FitFilterList(ParseFilterList(ExportFilterList(store, 1, "again")), FitMode::Strict);
    Check(again.problems.empty());
    Check(LargestDifference(RequestedResponseDb(again), FittedResponseDb(again)).largestDb == 0);
    ApplyFittedList(again, 1, back);
    Check(ExportFilterList(back, 1, "again") == ExportFilterList(store, 1, "again"));
    return 0;
}
