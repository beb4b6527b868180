#include "cli/PresetDiff.h"

#include "cli/FieldDisplay.h"

namespace sonavel::cli {

namespace {

std::string Shown(const StoreField& field, int raw) {
    const std::string display = DisplayValue(field, raw);
    return display.empty() ? std::to_string(raw) : display + " (" + std::to_string(raw) + ")";
}

}  // namespace

std::vector<std::string> DiffPresets(const PresetRecord& a, const PresetRecord& b) {
    std::vector<std::string> lines;
    if (a.DisplayName() != b.DisplayName())
        lines.push_back("PresetName: \"" + a.DisplayName() + "\" -> \"" + b.DisplayName() + "\"");
    for (const RecordField& entry : PresetRecordFields()) {
        const StoreField& field = *entry.field;
        for (int i = 0; i < field.Count(); ++i) {
            const int left = a.Value(entry.offset + 2 * i);
            const int right = b.Value(entry.offset + 2 * i);
            if (left != right)
                lines.push_back(ElementName(field, i) + ": " + Shown(field, left) + " -> " +
                                Shown(field, right));
        }
    }
    return lines;
}

}  // namespace sonavel::cli
