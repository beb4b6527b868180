// The window from start-up to its first control refresh.
#include <QFontMetrics>

#include "EditorFixture.h"

namespace sonavel {
namespace {

using StartupTest = EditorTest;

TEST_F(StartupTest, StartsDisconnectedWithDesignTimeContents) {
    EXPECT_EQ(window->control("Picture1")->geometry(), QRect(8, 16, 657, 193));
    EXPECT_EQ(window->control("Text3_2")->mapTo(window.get(), QPoint()), QPoint(448, 304));
    for (const char* name : {"Frame9", "Combo4", "Text5", "Command1_0", "Command2", "Combo8", "Combo9"})
        EXPECT_TRUE(window->control(name)->isHidden()) << name;
    auto* connect = window->control<QPushButton>("Command12");
    EXPECT_EQ(connect->text(), "DisConnect");
    EXPECT_EQ(BackColor(connect), QColor(255, 0, 0));
    EXPECT_FALSE(window->control("Command8")->isEnabled());
    EXPECT_EQ(Colour("Label30"), QColor(64, 64, 64));
    EXPECT_EQ(List("Combo8")->currentText(), "User01");
    EXPECT_EQ(List("Combo6_0")->listIndex(), -1);
    const char* texts[][2] = {{"Text1_0", "1000Hz"}, {"Text8_2", "0dB"}, {"Text11_4", "3"}, {"Text9_1", "0mS"},
                              {"Text12_2", "1 dB/S"}, {"Text7_3", "1:1"}};
    for (auto [name, text] : texts) EXPECT_EQ(Text(name), text) << name;
    // Lettering with real glyphs: a missing font draws boxes of one width.
    const QFontMetrics metrics(connect->font());
    EXPECT_GT(metrics.horizontalAdvance("WWWW"), metrics.horizontalAdvance("iiii"));
}

TEST_F(StartupTest, NothingIsDrawnOrSentBeforeTheTwentyFirstTick) {
    window->Command12_Click();
    ClickUp(Arrows("VScroll2_2"));
    Choose(List("Combo2_0"), 1);
    Box("Check4_1")->setChecked(true);
    Ticks(20);
    EXPECT_EQ(window->plot().drawCount(), 0u);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(window->store().EqGain(1, 3), 24);
    EXPECT_EQ(window->store().EqType(1, 1), 1);

    window->Timer1_Timer();
    EXPECT_EQ(window->plot().drawCount(), 2u);  // once per channel
    EXPECT_TRUE(Sent().empty());                // a refresh sends nothing, even connected
    EXPECT_EQ(Text("Text1_0"), " 103Hz");
    Ticks(21);
    EXPECT_EQ(window->plot().drawCount(), 2u);  // only one deferred refresh
}

}  // namespace
}  // namespace sonavel
