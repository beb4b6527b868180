#pragma once
// The editor window on the real serial port and real pauses, its COM1 mapped to a simulated
// line, shown on the offscreen platform and driven by mouse events and its handlers. A hang
// is caught by the test's time limit.
#include <QColor>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <functional>
#include <memory>

#include "editor/Controls.h"
#include "editor/MainWindow.h"
#include "link/QtSerialPort.h"
#include "link/Sleeper.h"
#include "tests/support/PumpUntil.h"

namespace e2e {

inline const QColor kLampOn(128, 255, 128);
inline const QColor kLampOff(64, 64, 64);
// A single edit pauses 128 ms; the simulator logs what it receives at once.
constexpr int kEditSettleMs = 400;

class EditorSession {
public:
    explicit EditorSession(const QString& devicePath);
    ~EditorSession();

    sonavel::MainWindow& window() { return *window_; }
    const sonavel::ParameterStore& store() { return window_->editor().store(); }
    const sonavel::WindowWidgets& widgets() const { return window_->widgets(); }
    const sonavel::ChannelWidgets& channel(int number) const { return widgets().channels.at(number - 1); }
    // Message boxes the editor showed, as "title: text".
    const QStringList& messages() const { return messages_; }
    QString LinkCaption() const { return widgets().connect->text(); }
    QColor Lamp() const { return sonavel::BackColor(widgets().onlineLamp); }

    bool WaitFor(const std::function<bool()>& done, int timeoutMs) { return sonavel::test::PumpUntil(done, timeoutMs); }
    void Pause(int milliseconds) { WaitFor([] { return false; }, milliseconds); }
    bool LampTurns(const QColor& colour) { return WaitFor([&] { return Lamp() == colour; }, 5000); }
    // Waits until the first refresh lets edits in.
    bool Started() { return WaitFor([this] { return window_->editor().state().EditEnabled; }, 5000); }
    // Waits for the first refresh, then presses Connect.
    void Connect();
    void Click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
    void ClickUpperArrow(QWidget* arrows) { QTest::mouseClick(arrows, Qt::LeftButton, {}, QPoint(arrows->width() / 2, 1)); }
    // Reads from the unit by "Update", or by choosing "Addr=nn" in the address list, and
    // returns every status text the preset panel showed, in order (the last one is empty
    // when the panel was closed).
    QStringList Update() { return StatusTextsDuring([this] { Click(widgets().update); }); }
    QStringList ChooseAddress(int address);

private:
    QStringList StatusTextsDuring(const std::function<void()>& action);

    sonavel::QtSerialPort port_;
    sonavel::ThreadSleeper sleeper_;
    std::unique_ptr<sonavel::MainWindow> window_;
    QStringList messages_;
};

// The status texts of a read of the unit at this address that succeeds, or that fails.
QStringList GoodRead(int address);
QStringList FailedRead(int address);

}  // namespace e2e
