#pragma once
// The window on an in-memory port and virtual time, its timers stopped: the tests tick it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QScreen>
#include <memory>

#include "editor/Controls.h"
#include "editor/MainWindow.h"
#include "editor/PlotWidget.h"
#include "tests/support/MemoryPort.h"
#include "tests/support/VirtualTime.h"

namespace sonavel {

class EditorTest : public testing::Test {
protected:
    EditorTest() : port({1, 3}), window(std::make_unique<MainWindow>(port, time)) {
        window->timer1().stop();
        window->timer2().stop();
        window->SetMessageBox(
            [](MessageIcon, const QString&, const QString& text) { ADD_FAILURE() << text.toStdString(); });
    }
    void Ticks(int count) {
        for (int tick = 0; tick < count; ++tick) window->editor().Tick();
    }
    const WindowWidgets& W() const { return window->widgets(); }
    const ChannelWidgets& Channel(int channel) const { return window->widgets().channels.at(channel - 1); }
    const std::vector<Bytes>& Sent() const { return port.Written(); }
    QImage Screenshot() {  // what is really on screen
        for (int pass = 0; pass < 5; ++pass) QCoreApplication::processEvents();
        return window->screen()->grabWindow(window->winId()).toImage();
    }
    QPoint At(const QWidget* widget) const { return widget->mapTo(window.get(), QPoint()); }

    MemoryPort port;
    VirtualTime time;
    std::unique_ptr<MainWindow> window;
};

}  // namespace sonavel
