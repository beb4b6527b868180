// The window from start-up to its first control refresh.
#include <QCoreApplication>
#include <QFontMetrics>
#include <QImage>
#include <QScreen>
#include <set>

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

// Positions and sizes in twips on the client area, as laid out.
TEST_F(StartupTest, ArrowPairsOffBoxesAndMuteBoxesStandWhereTheLayoutPutsThem) {
    const struct {
        const char* name;
        int left, top, width, height;
    } places[] = {{"VScroll3_0", 1320, 3840, 375, 255},  {"VScroll7_4", 7440, 5280, 375, 255},
                  {"VScroll1_1", 3480, 4200, 375, 285},  {"VScroll11_2", 9480, 4560, 375, 255},
                  {"VScroll3_6", 960, 6360, 375, 255},   {"VScroll4_0", 1080, 7200, 375, 255},
                  {"VScroll12_3", 10560, 8160, 375, 255}, {"Check2_0", 5400, 3840, 255, 255},
                  {"Check4_4", 11520, 5280, 255, 255},   {"Check7_0", 4440, 7080, 1335, 375},
                  {"Check7_1", 10320, 7080, 1335, 375}};
    for (const auto& place : places) {
        const QWidget* control = window->control(place.name);
        EXPECT_EQ(QRect(control->mapTo(window.get(), QPoint()), control->size()),
                  QRect(place.left / 15, place.top / 15, place.width / 15, place.height / 15))
            << place.name;
    }
}

// The connect button shows its colour flat, edge to edge inside its bevel.
TEST_F(StartupTest, TheConnectButtonIsDrawnInItsExactColour) {
    window->show();
    const auto faceColours = [this] {
        QCoreApplication::processEvents();
        const QWidget* button = window->control("Command12");
        const QImage shot = window->screen()->grabWindow(window->winId()).toImage();
        const QPoint at = button->mapTo(window.get(), QPoint());
        std::set<QRgb> colours;
        for (int x = 2; x < button->width() - 2; ++x)
            for (int y : {2, 3, button->height() - 4, button->height() - 3}) colours.insert(shot.pixel(at + QPoint(x, y)));
        return colours;
    };
    EXPECT_EQ(faceColours(), std::set<QRgb>{qRgb(255, 0, 0)});
    window->Command12_Click();
    EXPECT_EQ(faceColours(), std::set<QRgb>{qRgb(128, 255, 128)});
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
    EXPECT_TRUE(Sent().empty());                // a refresh sends nothing, even connected,
    EXPECT_EQ(sleeper.sleptMs, 0);              // and holds up nothing
    EXPECT_EQ(Text("Text1_0"), " 103Hz");
    Ticks(21);
    EXPECT_EQ(window->plot().drawCount(), 2u);  // only one deferred refresh
}

}  // namespace
}  // namespace sonavel
