// The window as laid out: positions, start-up contents, and what reaches the screen.
#include <QFontMetrics>
#include <set>

#include "EditorFixture.h"
#include "render/PlotPainter.h"

namespace sonavel {
namespace {

using LayoutTest = EditorTest;

// The start contents, and positions and sizes in twips on the client area (named as laid out).
TEST_F(LayoutTest, ControlsStandWhereTheLayoutPutsThemWithTheirStartContents) {
    for (QWidget* hidden : std::initializer_list<QWidget*>{W().presetPanel, W().loadToDsp, W().recall})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_EQ(W().connect->text(), "DisConnect");
    EXPECT_EQ(BackColor(W().portLamp), QColor(64, 64, 64));
    EXPECT_EQ(W().loadSlots->currentText(), "User01");
    const std::tuple<const QWidget*, const char*, QRect> places[] = {
        {Channel(1).frequencyArrows[0], "VScroll3_0", {1320, 3840, 375, 255}},
        {Channel(1).qArrows[1], "VScroll1_1", {3480, 4200, 375, 285}},
        {Channel(1).offBoxes[0], "Check2_0", {5400, 3840, 255, 255}},
        {Channel(2).mute, "Check7_1", {10320, 7080, 1335, 375}}};
    for (const auto& [control, name, twips] : places) {
        EXPECT_EQ(control->objectName(), name);
        EXPECT_EQ(QRect(At(control), control->size()),
                  QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15))
            << name;
    }
}

bool IsGrid(const QImage& image, QPoint at) { return image.pixelColor(at) == QColor(0, 128, 0); }

// One shown window: the connect button's colour flat edge to edge inside its bevel, the whole
// caption "Mute Channel0n" inside the mute box, the plot grid one pixel wide, and a peak in red
// where its frequency and level are.
TEST_F(LayoutTest, WhatReachesTheScreen) {
    window->show();
    const QImage shot = Screenshot();
    const auto faceColours = [this](const QImage& shot) {
        const QWidget* button = W().connect;
        std::set<QRgb> colours;
        for (int x = 2; x < button->width() - 2; ++x)
            for (int y : {2, 3, button->height() - 4, button->height() - 3})
                colours.insert(shot.pixel(At(button) + QPoint(x, y)));
        return colours;
    };
    EXPECT_EQ(faceColours(shot), std::set<QRgb>{qRgb(255, 0, 0)});

    // The ink right of the mark is as wide as the caption's own ink and ends before the box does.
    const QCheckBox* box = Channel(2).mute;
    const int captionInk = QFontMetrics(box->font()).tightBoundingRect(box->text()).width();
    int first = -1, last = -1;
    for (int x = 12; x < box->width(); ++x)
        for (int y = 0; y < box->height(); ++y)
            if (shot.pixelColor(At(box) + QPoint(x, y)).lightness() < 64) {
                if (first < 0) first = x;
                last = x;
            }
    EXPECT_NEAR(last - first + 1, captionInk, 1);  // faint edges aside
    EXPECT_LT(last, box->width() - 1);

    // The 1000 Hz column and the +12 dB row on the light blue ground.
    const QPoint plot = At(W().plot);
    EXPECT_TRUE(IsGrid(shot, plot + QPoint(394, 100)) && IsGrid(shot, plot + QPoint(60, 46)));
    EXPECT_FALSE(IsGrid(shot, plot + QPoint(395, 100)) || IsGrid(shot, plot + QPoint(60, 47)));
    EXPECT_EQ(shot.pixelColor(plot + QPoint(60, 10)), QColor(192, 192, 255));

    W().connect->click();
    EXPECT_EQ(faceColours(Screenshot()), std::set<QRgb>{qRgb(128, 255, 128)});

    // +12 dB at 1001 Hz on channel 1 band 3, low-pass off: the top is on the 1000 Hz column, +12 dB row.
    Ticks(21);
    Channel(1).crossoverLists[0]->setCurrentIndex(0);
    emit Channel(1).crossoverLists[0]->activated(0);
    Channel(1).gainArrows[2]->setValue(0);
    Channel(1).frequencyArrows[2]->setValue(20180 - 1001);
    const QImage peak = Screenshot().copy(QRect(plot, W().plot->size()));
    EXPECT_EQ(peak.pixelColor(394, 46), QColor(Qt::red));
    // The picture for other programs is the same drawing.
    EXPECT_EQ(RenderPlot(window->editor().plot().segments()).convertToFormat(peak.format()), peak);
}

}  // namespace
}  // namespace sonavel
