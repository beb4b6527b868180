// The plot control: coalesced redraws, and the grid and curves as they reach the screen.
#include <QCoreApplication>
#include <QDir>
#include <QExposeEvent>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include "EditorFixture.h"
#include "editor/PlotWidget.h"
#include "render/PlotPainter.h"

namespace sonavel {
namespace {

class PlotTest : public EditorTest {
protected:
    // What is really on screen, saved into the build folder for a look.
    QImage Screenshot(const char* file) {
        for (int pass = 0; pass < 5; ++pass) QCoreApplication::processEvents();
        const QImage shot = window->screen()->grabWindow(window->winId()).toImage();
        shot.save(QDir(EDITOR_TEST_OUTPUT).filePath(file));
        return shot;
    }
    QPoint PlotOrigin() const { return window->Picture1()->mapTo(window.get(), QPoint()); }
};

TEST_F(PlotTest, PaintBurstsAreCoalescedIntoOneRedrawOnTheSecondTick) {
    window->show();
    QCoreApplication::processEvents();
    RunFirstRefresh();
    window->Command12_Click();
    port.ClearWritten();
    const unsigned long drawn = window->plot().drawCount();
    window->state().CurrentBand = 3;
    for (int paint = 0; paint < 3; ++paint) window->Picture1()->repaint();  // from the window system
    window->Timer1_Timer();
    EXPECT_EQ(window->plot().drawCount(), drawn);
    window->Timer1_Timer();
    EXPECT_EQ(window->plot().drawCount(), drawn + 1);
    // The redraw re-sends the current band; showing it asks for no further redraw.
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0][7], 3);
    window->Form_Resize();
    Ticks(5);
    EXPECT_EQ(window->plot().drawCount(), drawn + 2);
}

// Uncovering the window shows it from the backing store without painting; the expose
// itself asks for the redraw.
TEST_F(PlotTest, AnUncoveredWindowRedrawsAndResendsTheCurrentBand) {
    window->show();
    QCoreApplication::processEvents();
    RunFirstRefresh();
    window->Command12_Click();
    window->state().CurrentBand = 3;
    Ticks(2);  // nothing pending
    port.ClearWritten();
    const unsigned long drawn = window->plot().drawCount();
    QExposeEvent expose(QRegion(window->rect()));
    QCoreApplication::sendEvent(window->windowHandle(), &expose);
    Ticks(2);
    EXPECT_EQ(window->plot().drawCount(), drawn + 1);
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0][7], 3);
}

bool IsGrid(const QImage& image, QPoint at) { return image.pixelColor(at) == QColor(0, 128, 0); }

TEST_F(PlotTest, GridLinesStandOnTheirPixelRowsAndColumns) {
    window->show();
    const QImage shot = Screenshot("editor-start.png");
    const QPoint plot = PlotOrigin();
    for (int column : {52, 86, 113, 137, 158, 174, 187, 200, 209, 257, 285, 305, 322, 338, 352, 365, 377, 385, 394,
                       444, 478, 502, 521, 540, 556, 570, 584, 593, 638, 649}) {
        EXPECT_TRUE(IsGrid(shot, plot + QPoint(column, 100))) << column;
        EXPECT_FALSE(IsGrid(shot, plot + QPoint(column + 1, 100))) << column;
    }
    for (int row : {6, 26, 46, 68, 89, 110, 130, 150, 172}) {
        EXPECT_TRUE(IsGrid(shot, plot + QPoint(60, row))) << row;
        EXPECT_FALSE(IsGrid(shot, plot + QPoint(60, row + 1))) << row;
    }
    EXPECT_EQ(shot.pixelColor(plot + QPoint(60, 10)), QColor(192, 192, 255));
    EXPECT_FALSE(IsGrid(shot, plot + QPoint(45, 100)));
    EXPECT_FALSE(IsGrid(shot, plot + QPoint(60, 180)));
}

TEST_F(PlotTest, APeakIsPaintedRedOnItsFrequencyAndLevel) {
    window->show();
    RunFirstRefresh();
    // +12 dB at 1001 Hz on channel 1 band 3, low-pass off: the top is on the 1000 Hz column, +12 dB row.
    Choose(List("Combo1_0"), 0);
    Arrows("VScroll2_2")->setValue(0);
    Arrows("VScroll3_2")->setValue(20180 - 1001);
    const QImage shot = Screenshot("editor-peak.png");
    const QPoint plot = PlotOrigin();
    int red = 0;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) red += shot.pixelColor(plot + QPoint(394 + dx, 46 + dy)) == QColor(Qt::red);
    EXPECT_GT(red, 0);
    EXPECT_NE(shot.pixelColor(plot + QPoint(394, 40)), QColor(Qt::red));
    // The picture for other programs is the same drawing.
    const QImage rendered = RenderPlot(window->plot().segments());
    EXPECT_EQ(rendered.size(), QSize(657, 193));
    EXPECT_EQ(rendered.pixelColor(394, 46), shot.pixelColor(plot + QPoint(394, 46)));
}

}  // namespace
}  // namespace sonavel
