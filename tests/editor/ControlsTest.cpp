// The control kinds' own behaviour that protects the user: a held arrow repeats, the wheel
// over a list that has no focus changes nothing, and every key in a frequency box counts.
#include <QTest>
#include <QWheelEvent>

#include "EditorFixture.h"

namespace sonavel {
namespace {

TEST_F(EditingTest, AHeldArrowRepeatsItsStepUntilReleased) {
    window->show();
    ArrowPair* gain = Arrows("VScroll2_0");
    const int before = gain->value();
    QTest::mousePress(gain, Qt::LeftButton, {}, QPoint(gain->width() / 2, 2));
    QTest::qWait(700);  // past the repeat delay: several more steps
    QTest::mouseRelease(gain, Qt::LeftButton, {}, QPoint(gain->width() / 2, 2));
    const int held = before - gain->value();
    EXPECT_GE(held, 3);
    EXPECT_EQ(Sent().size(), static_cast<size_t>(held)) << "one message per step";
    QTest::qWait(200);
    EXPECT_EQ(before - gain->value(), held) << "no step after the release";
}

TEST_F(EditingTest, TheWheelOverAListWithoutFocusPicksNothing) {
    ListBox* address = List("Combo7");
    const int before = address->listIndex();
    QWheelEvent turn(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(address, &turn);
    EXPECT_EQ(address->listIndex(), before);
    EXPECT_EQ(window->link().DeviceAddress, 1);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(EditingTest, EveryKeyInAFrequencyBoxMakesItsBandCurrent) {
    window->show();
    TextBox* box = window->control<TextBox>("Text3_4");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(window->state().CurrentChannel, 2);
    EXPECT_EQ(window->state().CurrentBand, 5);
}

}  // namespace
}  // namespace sonavel
