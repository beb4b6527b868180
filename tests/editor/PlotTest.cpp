// The plot control: coalesced redraws and the background grid on screen.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include "EditorFixture.h"
#include "editor/PlotPainter.h"
#include "editor/PlotWidget.h"

namespace sonavel {
namespace {

using PlotTest = EditorTest;

TEST_F(PlotTest, PaintBurstsAreCoalescedIntoOneRedrawOnTheSecondTick) {
    window->show();
    QCoreApplication::processEvents();
    RunFirstRefresh();
    const unsigned long drawn = window->plot().drawCount();
    window->state().CurrentChannel = 1;
    window->state().CurrentBand = 3;
    // Three paints from the window system in a row.
    for (int paint = 0; paint < 3; ++paint) window->Picture1()->repaint();
    EXPECT_TRUE(window->state().RedrawPending);
    window->Timer1_Timer();
    EXPECT_EQ(window->plot().drawCount(), drawn);
    window->Timer1_Timer();
    EXPECT_EQ(window->plot().drawCount(), drawn + 1);
    EXPECT_FALSE(window->state().RedrawPending);
    for (int tick = 0; tick < 5; ++tick) window->Timer1_Timer();
    EXPECT_EQ(window->plot().drawCount(), drawn + 1);
    // A resize asks the same way; the redraw re-sends the current band when connected.
    ConnectLink();
    port.ClearWritten();
    window->Form_Resize();
    window->Timer1_Timer();
    window->Timer1_Timer();
    ASSERT_EQ(port.Written().size(), 1u);
    EXPECT_EQ(port.Written()[0][5], 4);  // the equalizer band message
    EXPECT_EQ(port.Written()[0][7], 3);  // of band 3
}

TEST_F(PlotTest, OwnDrawingsDoNotAskForAnotherRedraw) {
    window->show();
    RunFirstRefresh();
    window->state().RedrawPending = false;
    ClickUp(Arrows("VScroll2_0"));
    EXPECT_FALSE(window->state().RedrawPending);
    EXPECT_EQ(window->Picture1()->shownSegments(), window->plot().segments());
}

TEST_F(PlotTest, RedrawTicksWrapAfterThirty) {
    for (int tick = 0; tick < 30; ++tick) window->Timer1_Timer();
    EXPECT_EQ(window->state().RedrawTicks, 30);
    window->Timer1_Timer();
    EXPECT_EQ(window->state().RedrawTicks, 0);
}

// Whether a pixel shows the grid's green.
bool IsGrid(const QImage& image, QPoint at) { return image.pixelColor(at) == QColor(0, 128, 0); }

TEST_F(PlotTest, GridLinesStandOnTheirPixelRowsAndColumnsOnScreen) {
    window->show();
    for (int pass = 0; pass < 5; ++pass) QCoreApplication::processEvents();
    const QImage shot = window->screen()->grabWindow(window->winId()).toImage();
    ASSERT_FALSE(shot.isNull());
    shot.save(QDir(EDITOR_TEST_OUTPUT).filePath("editor-start.png"));

    const QPoint plot = window->Picture1()->mapTo(window.get(), QPoint(0, 0));
    const int columns[] = {52, 86, 113, 137, 158, 174, 187, 200, 209, 257, 285, 305, 322, 338, 352,
                           365, 377, 385, 394, 444, 478, 502, 521, 540, 556, 570, 584, 593, 638, 649};
    const int rows[] = {6, 26, 46, 68, 89, 110, 130, 150, 172};
    for (int column : columns) {
        EXPECT_TRUE(IsGrid(shot, plot + QPoint(column, 100))) << "column " << column;
        EXPECT_FALSE(IsGrid(shot, plot + QPoint(column + 1, 100))) << "beside column " << column;
    }
    for (int row : rows) {
        EXPECT_TRUE(IsGrid(shot, plot + QPoint(60, row))) << "row " << row;
        EXPECT_FALSE(IsGrid(shot, plot + QPoint(60, row + 1))) << "below row " << row;
    }
    EXPECT_EQ(shot.pixelColor(plot + QPoint(60, 10)), QColor(192, 192, 255));  // the background
    EXPECT_FALSE(IsGrid(shot, plot + QPoint(45, 100)));   // left of the grid
    EXPECT_FALSE(IsGrid(shot, plot + QPoint(60, 180)));   // below the grid
}

TEST_F(PlotTest, CurvesArePaintedRedFromTheResponseSegments) {
    window->show();
    RunFirstRefresh();
    // A +12 dB peak at 1000 Hz on channel 1 band 3, its low-pass switched off: the top sits
    // on the 1000 Hz column and the +12 dB row (pixel 394, 46).
    Choose(window->control<ListBox>("Combo1_0"), 0);
    for (int click = 0; click < 24; ++click) ClickUp(Arrows("VScroll2_2"));
    Arrows("VScroll3_2")->setValue(20180 - 1001);
    for (int pass = 0; pass < 5; ++pass) QCoreApplication::processEvents();
    const QImage shot = window->screen()->grabWindow(window->winId()).toImage();
    shot.save(QDir(EDITOR_TEST_OUTPUT).filePath("editor-peak.png"));
    const QPoint plot = window->Picture1()->mapTo(window.get(), QPoint(0, 0));
    bool redNearPeak = false;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            redNearPeak |= shot.pixelColor(plot + QPoint(394 + dx, 46 + dy)) == QColor(255, 0, 0);
    EXPECT_TRUE(redNearPeak);
    EXPECT_NE(shot.pixelColor(plot + QPoint(394, 30)), QColor(255, 0, 0));  // nothing above the peak

    const QImage rendered = RenderPlot(window->plot().segments());
    EXPECT_EQ(rendered.size(), QSize(657, 193));
    EXPECT_EQ(rendered.pixelColor(394, 46), shot.pixelColor(plot + QPoint(394, 46)));
}

}  // namespace
}  // namespace sonavel
