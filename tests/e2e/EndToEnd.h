#pragma once
// The device simulator on its own pseudo-terminal, with its frame log and state file; and the
// editor window on the real serial port and real pauses, its COM1 mapped to a line.
#include <QJsonObject>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

#include "editor/Controls.h"
#include "editor/MainWindow.h"
#include "link/QtSerialPort.h"
#include "link/Sleeper.h"
#include "tests/support/PumpUntil.h"
#include "tests/support/SimulatorProcess.h"

namespace e2e {

class SimulatorRun {
public:
    explicit SimulatorRun(const QStringList& options = {});

    QString DevicePath() const { return QString::fromStdString(process_.DevicePath()); }
    // The frames received from the `first` on, as logged: "bytes", "command", "outcome".
    std::vector<QJsonObject> Frames(size_t first = 0) const;
    // The units' working sets by address, as the simulator reports them now.
    std::map<int, sonavel::ParameterStore> State();
    // Puts settings into a unit as a peer on the line would; only while no program holds the line.
    void Seed(int address, const sonavel::ParameterStore& settings);

private:
    QTemporaryDir folder_;
    sonavel::test::SimulatorProcess process_;
};

// Valid settings that differ from the defaults and between variants 1, 2, 3 in most fields.
sonavel::ParameterStore UnitSettings(int variant);
// The fields a settings dump carries by element name ("EqGain(1,3)"), for readable comparisons.
std::map<std::string, int> CarriedFields(const sonavel::ParameterStore& store);

inline const QColor kLampOn(128, 255, 128);
inline const QColor kLampOff(64, 64, 64);
// A single edit pauses 128 ms; the simulator logs what it receives at once.
constexpr int kEditSettleMs = 400;

class EditorSession {
public:
    explicit EditorSession(const QString& devicePath);
    ~EditorSession() { qunsetenv("SONAVEL_COM1"); }

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
    // Waits until the first refresh lets edits in; Connect then presses Connect.
    bool Started() { return WaitFor([this] { return window_->editor().state().EditEnabled; }, 5000); }
    void Connect() {
        ASSERT_TRUE(Started());
        Click(widgets().connect);
    }
    void Click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
    void ClickUpperArrow(QWidget* arrows) { QTest::mouseClick(arrows, Qt::LeftButton, {}, QPoint(arrows->width() / 2, 1)); }
    // Reads from the unit by "Update", or by choosing "Addr=nn" in the address list, and
    // returns every status text the preset panel showed, in order.
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
QStringList ReadTexts(int address, bool succeeds);

}  // namespace e2e
