#pragma once
// The device simulator as a child process on its own pseudo-terminal, with its frame log and
// its state file in a private folder. The process is killed when the object goes.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <vector>

#include "model/ParameterStore.h"

namespace e2e {

// One frame the simulated line received, as its log reports it.
struct LoggedFrame {
    QString bytes;  // "01 20 03 40 09 0B 01 05 60"
    int command = 0;
    int address = 0;
    QString note;   // "applied", "answered", "ignored: ..."
};

// Unit address -> its working set of settings.
using UnitStates = std::map<int, sonavel::ParameterStore>;

class SimulatorRun {
public:
    // Starts the simulator with these options (--log and --state are added) and reads the
    // device path it prints. Throws std::runtime_error when it does not start.
    explicit SimulatorRun(const QStringList& options = {});
    ~SimulatorRun();

    const QString& DevicePath() const { return devicePath_; }

    // Every frame received so far, in order.
    std::vector<LoggedFrame> Frames() const;

    // The units' working sets as the simulator reports them now.
    UnitStates State();

    // Puts these settings into the unit at `address` as a peer on the line would, with a
    // whole-settings message, and waits until the simulator has applied it. Only while no
    // other program holds the line.
    void Seed(int address, const sonavel::ParameterStore& settings);

    // True once the process has ended on its own within the time given.
    bool EndsWithin(int milliseconds);

private:
    QTemporaryDir folder_;
    QProcess process_;
    QString devicePath_;
};

// The fields a settings dump carries, with the element names the simulator reports:
// "EqGain(1,3)" -> value. Used to compare settings field by field with readable failures.
std::map<std::string, int> CarriedFields(const sonavel::ParameterStore& store);

}  // namespace e2e
