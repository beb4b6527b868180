#pragma once
// The device simulator as a child process on its own pseudo-terminal, with its frame log and
// its state file in a private folder, and settings to put into its units.
#include <QTemporaryDir>
#include <map>
#include <vector>

#include "model/ParameterStore.h"
#include "tests/support/SimulatorProcess.h"

namespace e2e {

// One frame the simulated line received, as its log reports it.
struct LoggedFrame {
    QString bytes;  // "01 20 03 40 09 0B 01 05 60"
    int command = 0;
    QString outcome;  // "applied", "answered", "lost at hang-up", "refused: ..."
};

// Unit address -> its working set of settings.
using UnitStates = std::map<int, sonavel::ParameterStore>;

class SimulatorRun {
public:
    // Throws std::runtime_error when the simulator does not start.
    explicit SimulatorRun(const QStringList& options = {});

    QString DevicePath() const { return QString::fromStdString(process_.DevicePath()); }
    // The frames received from the `first` on, in order.
    std::vector<LoggedFrame> Frames(size_t first = 0) const;
    // The bytes of each such frame with this command.
    std::vector<QString> BytesOf(int command, size_t first = 0) const;
    // The units' working sets as the simulator reports them now.
    UnitStates State();
    // Puts these settings into a unit with a whole-settings message, as a peer on the line
    // would, and waits until they are applied. Only while no other program holds the line.
    void Seed(int address, const sonavel::ParameterStore& settings);

private:
    QTemporaryDir folder_;
    sonavel::test::SimulatorProcess process_;
};

// Start-up defaults with the fields a settings dump carries moved to other valid values;
// variants 1, 2, 3 differ from the defaults and from one another in most of those fields.
sonavel::ParameterStore UnitSettings(int variant);

// The fields a settings dump carries by element name ("EqGain(1,3)"), for readable comparisons.
std::map<std::string, int> CarriedFields(const sonavel::ParameterStore& store);

}  // namespace e2e
