// Any text as a filter list: problems name a line of it; what fits is in range and exports again unchanged.
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

    const FittedList fitted = FitFilterList(parsed, FitMode::KeepWhatFits);
    if (!fitted.problems.empty()) return 0;
    ParameterStore store = Defaults(), back = Defaults();
    ApplyFittedList(fitted, 1, store);
    CheckInRange(store);
    const FittedList again = FitFilterList(ParseFilterList(ExportFilterList(store, 1, "again")), FitMode::Strict);
    Check(again.problems.empty());
    ApplyFittedList(again, 1, back);
    Check(ExportFilterList(back, 1, "again") == ExportFilterList(store, 1, "again"));
    return 0;
}
