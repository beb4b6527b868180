#pragma once
// A window on an in-memory port and virtual time: pauses are added up instead of slept.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <memory>

#include "editor/Controls.h"
#include "editor/MainWindow.h"
#include "link/MemoryPort.h"

namespace sonavel {

class VirtualSleeper : public Sleeper {
public:
    void Sleep(int milliseconds) override { sleptMs += milliseconds; }
    long sleptMs = 0;
};

class EditorTest : public testing::Test {
protected:
    explicit EditorTest(std::set<int> existingPorts = {1, 3}) : port(std::move(existingPorts)) {
        window = std::make_unique<MainWindow>(port, sleeper);
        // The tests drive both timers themselves.
        window->timer1().stop();
        window->timer2().stop();
        window->SetMessageBox([this](const QString&, const QString& text) { messages << text; });
    }

    // The 21st Timer1 tick runs the first control refresh.
    void RunFirstRefresh() {
        for (int tick = 0; tick < 21; ++tick) window->Timer1_Timer();
    }
    void ConnectLink() { window->Command12_Click(); }

    // One click on the upper (raises the parameter) or lower arrow of a pair.
    static void ClickUp(ArrowPair* arrows) { arrows->triggerAction(QAbstractSlider::SliderSingleStepSub); }
    static void ClickDown(ArrowPair* arrows) { arrows->triggerAction(QAbstractSlider::SliderSingleStepAdd); }

    // A user click on a list entry.
    static void Choose(ListBox* list, int position) {
        list->setCurrentIndex(position);
        emit list->activated(position);
    }

    QString Text(const QString& name) const { return window->control<TextBox>(name)->text(); }
    ArrowPair* Arrows(const QString& name) const { return window->control<ArrowPair>(name); }
    QCheckBox* Box(const QString& name) const { return window->control<QCheckBox>(name); }

    MemoryPort port;
    VirtualSleeper sleeper;
    std::unique_ptr<MainWindow> window;
    QStringList messages;
};

}  // namespace sonavel
