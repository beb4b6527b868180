// Typing a frequency into a band's frequency box.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "EditorFixture.h"

namespace sonavel {
namespace {

const QColor kTyping(255, 192, 128);
const QColor kWhite(255, 255, 255);

class TypedFrequencyTest : public EditorTest {
protected:
    void SetUp() override {
        RunFirstRefresh();
        ConnectLink();
        port.ClearWritten();
    }
    // Channel 1, band 3 (1000 Hz): click, type, Enter.
    void Type(const QString& text) {
        window->FrequencyBox_Click(1, 2);
        box()->setText(text);
        window->FrequencyBox_KeyPress(1, 2, 13);
    }
    TextBox* box() const { return window->FrequencyBox(1, 2); }
    int16_t frequency() const { return window->store().EqFrequency(1, 3); }
};

TEST_F(TypedFrequencyTest, ClickEmptiesTheBoxAndMarksItForTyping) {
    window->FrequencyBox_Click(1, 2);
    EXPECT_EQ(box()->text(), "");
    EXPECT_EQ(BackColor(box()), kTyping);
    // Characters other than Enter are only taken into the box.
    window->FrequencyBox_KeyPress(2, 4, '7');
    EXPECT_EQ(window->state().CurrentChannel, 2);
    EXPECT_EQ(window->state().CurrentBand, 5);
    EXPECT_TRUE(port.Written().empty());
}

TEST_F(TypedFrequencyTest, AChangedFrequencyIsStoredAndSentTwice) {
    Type("1200Hz");
    EXPECT_EQ(frequency(), 1200);
    EXPECT_EQ(window->store().EqFreqPosition(1, 3), 177);  // 1180 Hz is the last entry below
    EXPECT_EQ(box()->text(), " 1200Hz");
    EXPECT_EQ(BackColor(box()), kWhite);
    EXPECT_EQ(window->FrequencyArrow(1, 2)->value(), 20180 - 1200);
    ASSERT_EQ(port.Written().size(), 2u);
    EXPECT_EQ(port.Written()[1][9], 12);
    EXPECT_EQ(port.Written()[1][10], 0);

    Type("&H4B0");  // the same 1200 Hz in hexadecimal: unchanged, sent once
    EXPECT_EQ(frequency(), 1200);
    EXPECT_EQ(port.Written().size(), 3u);
}

TEST_F(TypedFrequencyTest, OutOfRangeOrMissingNumbersKeepTheFrequency) {
    Type("12");
    EXPECT_EQ(frequency(), 1000);
    EXPECT_EQ(box()->text(), " 1000Hz");
    EXPECT_EQ(BackColor(box()), kWhite);
    EXPECT_EQ(port.Written().size(), 1u);  // the unchanged band once
    Type("no number");
    EXPECT_EQ(frequency(), 1000);
    EXPECT_EQ(port.Written().size(), 2u);
    Type("20161");
    EXPECT_EQ(frequency(), 1000);
}

TEST_F(TypedFrequencyTest, NumbersBeyondSixteenBitsLeaveEverythingAsItWas) {
    for (const char* text : {"50000", "40000", "1E9"}) {
        Type(text);
        EXPECT_EQ(frequency(), 1000) << text;
        EXPECT_EQ(box()->text(), " 1000Hz") << text;
        EXPECT_EQ(BackColor(box()), kTyping) << text;
    }
    EXPECT_TRUE(port.Written().empty());
}

TEST_F(TypedFrequencyTest, HalvesRoundToTheEvenNeighbour) {
    Type("1001.5");
    EXPECT_EQ(frequency(), 1002);
    Type("1000.5");
    EXPECT_EQ(frequency(), 1000);
    Type(" 2 0 0 0 ");
    EXPECT_EQ(frequency(), 2000);
}

TEST_F(TypedFrequencyTest, TheBoxReactsToRealClicksAndKeys) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(box(), &press);
    EXPECT_EQ(box()->text(), "");
    for (QChar c : QString("1500")) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(box(), &key);
    }
    EXPECT_EQ(box()->text(), "1500");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QCoreApplication::sendEvent(box(), &enter);
    EXPECT_EQ(frequency(), 1500);
}

TEST(TypedFrequencyBeforeRefresh, TypedTextStaysUntilEditingIsOn) {
    MemoryPort port;
    struct : Sleeper {
        void Sleep(int) override {}
    } sleeper;
    MainWindow window(port, sleeper);
    window.timer1().stop();
    window.FrequencyBox_Click(2, 0);
    window.FrequencyBox(2, 0)->setText("1200");
    window.FrequencyBox_KeyPress(2, 0, 13);
    EXPECT_EQ(window.FrequencyBox(2, 0)->text(), "1200");
    EXPECT_EQ(window.store().EqFrequency(2, 1), 103);
}

}  // namespace
}  // namespace sonavel
