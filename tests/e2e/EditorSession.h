#pragma once
// The editor window on the real serial port and real pauses, its COM1 mapped to a simulated
// line, shown on the offscreen platform and driven by mouse events and its handlers.
#include <QColor>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>

#include "editor/MainWindow.h"
#include "link/QtSerialPort.h"
#include "link/Sleeper.h"

namespace e2e {

// Ends the test program when an action does not come back in time: a hang then fails the
// test with a message instead of blocking the suite.
class Watchdog {
public:
    Watchdog(int seconds, const char* action);
    ~Watchdog();

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

class EditorSession {
public:
    // COM1 names this device; the window is shown and its timers run.
    explicit EditorSession(const QString& devicePath);
    ~EditorSession();

    sonavel::MainWindow& window() { return *window_; }
    sonavel::ParameterStore& store() { return window_->store(); }
    // Message boxes the editor showed, as "title: text".
    const QStringList& messages() const { return messages_; }

    // Processes events until `done` holds or the time is up; returns `done`'s last answer.
    bool WaitFor(const std::function<bool()>& done, int timeoutMs);
    // Processes events for this long.
    void Pause(int milliseconds);

    // Waits for the first refresh, then presses Connect.
    void Connect();
    // Presses "Update" and returns once the read has ended, with every status text the
    // preset panel showed in order (the last one is empty when the panel was closed).
    QStringList Update();
    // Chooses "Addr=nn" in the address list, which reads that unit; returns the status texts.
    QStringList ChooseAddress(int address);
    // Runs an action that may read from the unit and returns the preset panel's status texts.
    QStringList StatusTextsDuring(const std::function<void()>& action);
    // A mouse click on a button or on the upper arrow of an arrow pair.
    void Click(const QString& control);
    void ClickUpperArrow(QWidget* arrows);

    QColor Colour(const QString& control) const;
    QString Status() const;

private:
    void RecordMessage(const QString& title, const QString& text);
    template <class Icon>
    void RecordMessage(Icon, const QString& title, const QString& text) {
        RecordMessage(title, text);
    }

    sonavel::QtSerialPort port_;
    sonavel::ThreadSleeper sleeper_;
    std::unique_ptr<sonavel::MainWindow> window_;
    QStringList messages_;
};

// The status texts of a read of the unit at this address ("Recall UnitID: 5..." and so on):
// one that succeeds ends with the panel closed, one that fails with the error text.
QStringList GoodRead(int address);
QStringList FailedRead(int address);

}  // namespace e2e
