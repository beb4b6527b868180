// The event rules of the plain controls, which every handler relies on.
#include <gtest/gtest.h>

#include "editor/FormControls.h"

namespace sonavel {
namespace {

TEST(FormControlsTest, WhichChangesRaiseTheHandler) {
    ArrowValue arrows;
    int changes = 0, shown = 0;
    arrows.OnEvent([&] { ++changes; });
    arrows.Bind([&] { ++shown; });
    arrows.SetRange(20, 200);  // bounds alone raise nothing; the value is kept within them
    EXPECT_EQ(arrows.value(), 20);
    const std::pair<int, int> steps[] = {{20, 0}, {50, 1}, {50, 1}, {500, 2}, {200, 2}, {0, 3}};  // value, changes
    for (auto [value, expected] : steps) {
        arrows.SetValue(value);
        EXPECT_EQ(changes, expected) << value;
    }
    EXPECT_EQ(arrows.value(), 20);
    EXPECT_EQ(shown, 4);

    CheckValue box;
    int clicks = 0;
    box.OnEvent([&] { ++clicks; });
    box.SetChecked(true);
    box.SetChecked(true);
    box.SetCheckedQuietly(false);
    box.SetChecked(false);
    EXPECT_EQ(clicks, 1);

    ListValue list;  // every position set raises the click, even the same one again
    list.SetEntries({"a", "b"});
    list.OnEvent([&] { ++clicks; });
    for (int position : {1, 1, 5, -1}) list.SetPosition(position);
    EXPECT_EQ(clicks, 5);
    EXPECT_EQ(list.position(), -1);  // beyond the entries is no selection

    ButtonValue button;
    button.OnEvent([&] { ++clicks; });
    button.SetEnabled(false);
    button.Click();
    EXPECT_EQ(clicks, 5);
    button.SetEnabled(true);
    button.Click();
    EXPECT_EQ(clicks, 6);
}

}  // namespace
}  // namespace sonavel
