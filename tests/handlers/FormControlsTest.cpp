// The event rules of the plain controls that no handler test shows on its own: bounds raise
// nothing, a box raises only on a change, a list on every position set, a disabled button never.
#include <gtest/gtest.h>

#include "editor/FormControls.h"

namespace sonavel {
namespace {

TEST(FormControlsTest, WhichChangesRaiseTheHandler) {
    int raised = 0;
    ArrowValue arrows;
    arrows.OnEvent([&] { ++raised; });
    arrows.SetRange(20, 200);  // the value is kept within the bounds, quietly
    EXPECT_EQ(arrows.value(), 20);
    CheckValue box;
    box.OnEvent([&] { ++raised; });
    box.SetChecked(true);
    box.SetChecked(true);
    EXPECT_EQ(raised, 1);

    ListValue list;
    list.SetEntries({"a", "b"});
    list.OnEvent([&] { ++raised; });
    for (int position : {1, 1, 5}) list.SetPosition(position);
    EXPECT_EQ(raised, 4);
    EXPECT_EQ(list.position(), -1);  // beyond the entries is no selection

    ButtonValue button;
    button.OnEvent([&] { ++raised; });
    button.SetEnabled(false);
    button.Click();
    EXPECT_EQ(raised, 4);
    button.SetEnabled(true);
    button.Click();
    EXPECT_EQ(raised, 5);
}

}  // namespace
}  // namespace sonavel
