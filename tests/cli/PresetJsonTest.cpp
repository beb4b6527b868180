// Presets as JSON read back exactly what was written, at every field's limits.
#include <gtest/gtest.h>

#include "cli/PresetJson.h"

namespace sonavel::cli {
namespace {

TEST(PresetJson, EveryFieldAtItsLimitsReadsBackFromItsJsonWithAndWithoutUnits) {
    for (const bool atMaximum : {false, true}) {
        PresetRecord record;
        for (const RecordField& entry : PresetRecordFields())
            for (int i = 0; i < entry.field->Count(); ++i)
                record.SetValue(entry.offset + 2 * i, static_cast<int16_t>(atMaximum ? entry.field->max : entry.field->min));
        for (const bool withUnits : {true, false})
            EXPECT_EQ(PresetFromJson(PresetToJson(record, withUnits)), record) << atMaximum << withUnits;
    }
}

}  // namespace
}  // namespace sonavel::cli
