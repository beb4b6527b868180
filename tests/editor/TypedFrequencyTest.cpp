// Typing a frequency into channel 1's band-3 box (1000 Hz).
#include "EditorFixture.h"

namespace sonavel {
namespace {

const QColor kTyping(255, 192, 128);
const QColor kWhite(255, 255, 255);

class TypedFrequencyTest : public EditingTest {
protected:
    void Type(const QString& text) {
        window->FrequencyBox_Click(1, 2);
        box()->setText(text);
        window->FrequencyBox_KeyPress(1, 2, 13);
    }
    TextBox* box() const { return window->FrequencyBox(1, 2); }
    int frequency() const { return window->store().EqFrequency(1, 3); }
};

TEST_F(TypedFrequencyTest, AcceptedNumbersAreStoredAndAChangeIsSentTwice) {
    Type("1200Hz");
    EXPECT_EQ(frequency(), 1200);
    EXPECT_EQ(window->store().EqFreqPosition(1, 3), 177);  // 1180 Hz is the last entry below
    EXPECT_EQ(box()->text(), " 1200Hz");
    EXPECT_EQ(BackColor(box()), kWhite);
    EXPECT_EQ(Sent().size(), 2u);
    Type("&H4B0");  // 1200 again: unchanged, sent once
    EXPECT_EQ(Sent().size(), 3u);
    Type("1001.5");
    EXPECT_EQ(frequency(), 1002);
    Type("1000.5");
    EXPECT_EQ(frequency(), 1000);
}

TEST_F(TypedFrequencyTest, RejectedNumbersKeepTheFrequency) {
    for (const char* text : {"12", "no number", "20161"}) {
        Type(text);
        EXPECT_EQ(frequency(), 1000) << text;
        EXPECT_EQ(box()->text(), " 1000Hz") << text;
        EXPECT_EQ(BackColor(box()), kWhite) << text;
    }
    EXPECT_EQ(Sent().size(), 3u);  // the unchanged band, once each
    // Beyond 16 bits nothing happens at all and the box stays in typing colour.
    for (const char* text : {"50000", "40000"}) {
        Type(text);
        EXPECT_EQ(box()->text(), " 1000Hz") << text;
        EXPECT_EQ(BackColor(box()), kTyping) << text;
    }
    EXPECT_EQ(Sent().size(), 3u);
}

}  // namespace
}  // namespace sonavel
