// The window as laid out: positions, start-up contents, and what reaches the screen.
#include <QFontMetrics>
#include <set>

#include "EditorFixture.h"
#include "render/PlotPainter.h"

namespace sonavel {
namespace {

using LayoutTest = EditorTest;

TEST_F(LayoutTest, StartsDisconnectedWithDesignTimeContents) {
    EXPECT_EQ(W().plot->geometry(), QRect(8, 16, 657, 193));
    for (QWidget* hidden : std::initializer_list<QWidget*>{W().presetPanel, W().presetList, W().presetName,
                                                            W().loadToDsp, W().recall, W().loadSlots, W().recallSlots})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_EQ(W().connect->text(), "DisConnect");
    EXPECT_FALSE(W().update->isEnabled());
    EXPECT_EQ(BackColor(W().portLamp), QColor(64, 64, 64));
    EXPECT_EQ(W().loadSlots->currentText(), "User01");
    EXPECT_EQ(Channel(1).typeLists[0]->currentIndex(), -1);
    const std::pair<const TextBox*, const char*> texts[] = {
        {Channel(1).frequencyBoxes[0], "1000Hz"}, {Channel(2).gainBoxes[2], "0dB"}, {Channel(2).qBoxes[4], "3"},
        {Channel(2).delayBox, "0mS"}, {Channel(2).compressorBoxes[2], "1 dB/S"}, {Channel(1).compressorBoxes[3], "1:1"}};
    for (auto [box, text] : texts) EXPECT_EQ(box->text(), text) << box->objectName().toStdString();
    // Lettering with real glyphs: a missing font draws boxes of one width.
    const QFontMetrics metrics(W().connect->font());
    EXPECT_GT(metrics.horizontalAdvance("WWWW"), metrics.horizontalAdvance("iiii"));
}

// Positions and sizes in twips on the client area, as laid out; objectName is the control's name.
TEST_F(LayoutTest, ControlsStandWhereTheLayoutPutsThem) {
    const std::tuple<const QWidget*, const char*, QRect> places[] = {
        {Channel(2).frequencyBoxes[2], "Text3_2", {6720, 4560, 1095, 285}},
        {Channel(1).frequencyArrows[0], "VScroll3_0", {1320, 3840, 375, 255}},
        {Channel(2).frequencyArrows[4], "VScroll7_4", {7440, 5280, 375, 255}},
        {Channel(1).qArrows[1], "VScroll1_1", {3480, 4200, 375, 285}},
        {Channel(2).qArrows[2], "VScroll11_2", {9480, 4560, 375, 255}},
        {Channel(1).frequencyArrows[6], "VScroll3_6", {960, 6360, 375, 255}},
        {Channel(1).inputGain, "VScroll4_0", {1080, 7200, 375, 255}},
        {Channel(2).compressorArrows[3], "VScroll12_3", {10560, 8160, 375, 255}},
        {Channel(1).offBoxes[0], "Check2_0", {5400, 3840, 255, 255}},
        {Channel(2).offBoxes[4], "Check4_4", {11520, 5280, 255, 255}},
        {Channel(1).mute, "Check7_0", {4440, 7080, 1335, 375}},
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
// caption "Mute Channel0n" inside each mute box, the plot grid on its pixel rows and columns,
// and a peak in red where its frequency and level are.
TEST_F(LayoutTest, WhatReachesTheScreen) {
    window->show();
    const QImage shot = Screenshot("editor-start.png");
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
    for (const QCheckBox* box : {Channel(1).mute, Channel(2).mute}) {
        const int captionInk = QFontMetrics(box->font()).tightBoundingRect(box->text()).width();
        int first = -1, last = -1;
        for (int x = 12; x < box->width(); ++x)
            for (int y = 0; y < box->height(); ++y)
                if (shot.pixelColor(At(box) + QPoint(x, y)).lightness() < 64) {
                    if (first < 0) first = x;
                    last = x;
                }
        EXPECT_NEAR(last - first + 1, captionInk, 1) << box->text().toStdString();  // faint edges aside
        EXPECT_LT(last, box->width() - 1) << box->text().toStdString();
    }

    const QPoint plot = At(W().plot);
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

    W().connect->click();
    EXPECT_EQ(faceColours(Screenshot("editor-connect.png")), std::set<QRgb>{qRgb(128, 255, 128)});

    // +12 dB at 1001 Hz on channel 1 band 3, low-pass off: the top is on the 1000 Hz column, +12 dB row.
    Ticks(21);
    Channel(1).crossoverLists[0]->setCurrentIndex(0);
    emit Channel(1).crossoverLists[0]->activated(0);
    Channel(1).gainArrows[2]->setValue(0);
    Channel(1).frequencyArrows[2]->setValue(20180 - 1001);
    const QImage peak = Screenshot("editor-peak.png");
    int red = 0;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) red += peak.pixelColor(plot + QPoint(394 + dx, 46 + dy)) == QColor(Qt::red);
    EXPECT_GT(red, 0);
    EXPECT_NE(peak.pixelColor(plot + QPoint(394, 40)), QColor(Qt::red));
    // The picture for other programs is the same drawing.
    const QImage rendered = RenderPlot(window->editor().plot().segments());
    EXPECT_EQ(rendered.pixelColor(394, 46), peak.pixelColor(plot + QPoint(394, 46)));
}

}  // namespace
}  // namespace sonavel
