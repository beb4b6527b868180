#pragma once
// The editor window on the real serial port and real pauses, its COM1 mapped to a simulated
// line, shown on the offscreen platform and driven by mouse events and its handlers. A hang
// is caught by the test's time limit.
#include <QColor>
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

class EditorSession {
public:
    explicit EditorSession(const QString& devicePath);
    ~EditorSession();

    sonavel::MainWindow& window() { return *window_; }
    const sonavel::ParameterStore& store() { return window_->editor().store(); }
    const sonavel::WindowWidgets& widgets() const { return window_->widgets(); }
    const sonavel::ChannelWidgets& channel(int number) const { return window_->widgets().channels.at(number - 1); }
    // Message boxes the editor showed, as "title: text".
    const QStringList& messages() const { return messages_; }

    bool WaitFor(const std::function<bool()>& done, int timeoutMs) { return sonavel::test::PumpUntil(done, timeoutMs); }
    void Pause(int milliseconds) { sonavel::test::PumpUntil([] { return false; }, milliseconds); }
    bool LampTurns(const QColor& colour) { return WaitFor([&] { return Colour("Label8") == colour; }, 5000); }

    // Waits for the first refresh, then presses Connect.
    void Connect();
    // Runs an action that reads from the unit and returns every status text the preset panel
    // showed, in order (the last one is empty when the panel was closed).
    QStringList StatusTextsDuring(const std::function<void()>& action);
    QStringList Update() { return StatusTextsDuring([this] { Click("Command8"); }); }
    // Chooses "Addr=nn" in the address list, which reads that unit.
    QStringList ChooseAddress(int address);
    // Controls by their names, as a user tells them apart.
    QWidget* Control(const QString& name) const { return window_->findChild<QWidget*>(name); }
    void Click(const QString& control) { QTest::mouseClick(Control(control), Qt::LeftButton); }
    void ClickUpperArrow(QWidget* arrows) { QTest::mouseClick(arrows, Qt::LeftButton, {}, QPoint(arrows->width() / 2, 1)); }
    QColor Colour(const QString& control) const { return sonavel::BackColor(Control(control)); }

private:
    sonavel::QtSerialPort port_;
    sonavel::ThreadSleeper sleeper_;
    std::unique_ptr<sonavel::MainWindow> window_;
    QStringList messages_;
};

// The status texts of a read of the unit at this address that succeeds, or that fails.
QStringList GoodRead(int address);
QStringList FailedRead(int address);

}  // namespace e2e
