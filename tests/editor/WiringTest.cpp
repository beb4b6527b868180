// The widgets are wired to the editor both ways; paints, exposes and resizes ask for a redraw.
#include <malloc.h>

#include <QElapsedTimer>
#include <QExposeEvent>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include "EditorFixture.h"

namespace sonavel {
namespace {

class WiringTest : public EditorTest {
protected:
    void SetUp() override {
        Ticks(21);
        W().connect->click();
        port.ClearWritten();
    }
};

TEST_F(WiringTest, UserInputReachesItsHandlerOnceAndHandlersShowOnTheWidgets) {
    window->show();
    // The wheel over a list without focus picks nothing.
    QWheelEvent turn(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(W().addresses, &turn);
    EXPECT_EQ(W().addresses->currentIndex(), -1);

    // A held arrow repeats its step until released, one message per step.
    ArrowPair* gain = Channel(1).gainArrows[1];
    const int before = gain->value();
    QTest::mousePress(gain, Qt::LeftButton, {}, QPoint(gain->width() / 2, 2));  // the upper arrow
    QTest::qWait(700);  // past the repeat delay: several more steps
    QTest::mouseRelease(gain, Qt::LeftButton, {}, QPoint(gain->width() / 2, 2));
    const int held = before - gain->value();
    EXPECT_GE(held, 3);
    EXPECT_EQ(Sent().size(), static_cast<size_t>(held));
    QTest::qWait(200);
    EXPECT_EQ(before - gain->value(), held) << "no step after the release";

    Channel(2).typeLists[0]->setCurrentIndex(1);
    emit Channel(2).typeLists[0]->activated(1);
    EXPECT_FALSE(Channel(2).qArrows[0]->isEnabled());
    Channel(2).mute->click();
    EXPECT_EQ(Sent().size(), held + 2u);

    TextBox* box = Channel(2).frequencyBoxes[4];
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(BackColor(box), QColor(255, 192, 128));
    QTest::keyClicks(box, "2000");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(Channel(2).frequencyArrows[4]->value(), 20180 - 2000);
    EXPECT_EQ(BackColor(box), QColor(255, 255, 255));

    W().save->click();
    EXPECT_FALSE(W().presetPanel->isHidden());
    EXPECT_EQ(W().presetPanel->caption(), "Save Preset");
    W().exit->click();
    EXPECT_TRUE(W().presetPanel->isHidden());
}

// A coloured button drawn through a picture cache keyed by palette kept one more picture
// per Connect: 6 MB after 650 toggles here, 11 MB in the program.
TEST_F(WiringTest, ConnectAndDisConnectOnAShownWindowDoNotGrowMemory) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const auto toggle = [this](int times) {
        for (int i = 0; i < times; ++i) {
            W().connect->click();
            W().connect->repaint();
        }
    };
    const auto heapInUse = [] { return static_cast<long>(mallinfo2().uordblks + mallinfo2().hblkhd); };
    toggle(50);  // what is built once
    const long before = heapInUse();
    toggle(650);
    EXPECT_LT(heapInUse() - before, 64 * 1024);
}

TEST_F(WiringTest, ClosingTheWindowEndsARunningReadAndSendsNothingMore) {
    QTimer::singleShot(0, window.get(), &QWidget::close);  // in the read's first wait
    QElapsedTimer clock;
    clock.start();
    W().update->click();
    EXPECT_LT(clock.elapsed(), 1000) << "a read of a silent line takes 3.3 s";
    Ticks(100);
    EXPECT_EQ(Sent().size(), 1u) << "the wake-up ping only";
}

// Uncovering the window shows it from the backing store without painting the plot: the expose
// itself asks for the redraw.
TEST_F(WiringTest, PaintsExposesAndResizesRedrawAndResendTheCurrentBand) {
    window->show();
    QCoreApplication::processEvents();
    Channel(1).gainArrows[2]->setValue(20);
    const auto redrawSends = [this](const std::function<void()>& uncover) {
        Ticks(3);
        port.ClearWritten();
        uncover();
        Ticks(2);
        return Sent().size() == 1 && Sent()[0][7] == 3;
    };
    EXPECT_TRUE(redrawSends([this] {
        QExposeEvent expose(QRegion(window->rect()));
        QCoreApplication::sendEvent(window->windowHandle(), &expose);
    }));
    EXPECT_TRUE(redrawSends([this] { W().plot->repaint(); }));
    EXPECT_TRUE(redrawSends([this] {
        QResizeEvent resize(window->size(), window->size());
        QCoreApplication::sendEvent(window.get(), &resize);
    }));
}

}  // namespace
}  // namespace sonavel
