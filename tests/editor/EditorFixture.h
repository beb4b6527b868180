#pragma once
// A window on an in-memory port and virtual time: pauses are added up instead of slept. The tests
// drive both timers; each wait of a transfer is one 20 ms Timer2 tick, then queued answers arrive.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <memory>

#include "editor/Controls.h"
#include "editor/MainWindow.h"
#include "tests/support/Hex.h"
#include "tests/support/MemoryPort.h"

namespace sonavel {

class VirtualSleeper : public Sleeper {
public:
    void Sleep(int milliseconds) override { sleptMs += milliseconds; }
    long sleptMs = 0;
};

class EditorTest : public testing::Test {
protected:
    EditorTest() : port({1, 3}), window(std::make_unique<MainWindow>(port, sleeper)) {
        window->timer1().stop();
        window->timer2().stop();
        window->SetMessageBox([this](MessageIcon icon, const QString& title, const QString& text) {
            messages << text;
            titles << title;
            icons.push_back(icon);
        });
        window->SetEventPump([this] {
            waitedMs += 20;
            window->Timer2_Timer();
            port.DeliverPending();
        });
    }
    void Ticks(int count) {
        for (int tick = 0; tick < count; ++tick) window->Timer1_Timer();
    }
    void RunFirstRefresh() { Ticks(21); }  // the 21st Timer1 tick refreshes
    // The upper arrow raises the parameter.
    static void ClickUp(ArrowPair* arrows) { arrows->triggerAction(QAbstractSlider::SliderSingleStepSub); }
    static void Choose(ListBox* list, int position) {
        list->setCurrentIndex(position);
        emit list->activated(position);
    }
    QString Text(const QString& name) const { return window->control<TextBox>(name)->text(); }
    ArrowPair* Arrows(const QString& name) const { return window->control<ArrowPair>(name); }
    ListBox* List(const QString& name) const { return window->control<ListBox>(name); }
    QCheckBox* Box(const QString& name) const { return window->control<QCheckBox>(name); }
    QColor Colour(const QString& name) const { return BackColor(window->control(name)); }
    const std::vector<Bytes>& Sent() const { return port.Written(); }

    MemoryPort port;
    VirtualSleeper sleeper;
    std::unique_ptr<MainWindow> window;
    QStringList messages;
    QStringList titles;
    std::vector<MessageIcon> icons;
    long waitedMs = 0;  // virtual time spent in the transfers' waits
};

// After the first refresh with the link on and nothing sent yet.
class EditingTest : public EditorTest {
protected:
    void SetUp() override {
        RunFirstRefresh();
        window->Command12_Click();
        port.ClearWritten();
        sleeper.sleptMs = 0;
    }
};

}  // namespace sonavel
