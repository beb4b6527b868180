// The time a user waits on the line, against the device simulator on a pseudo-terminal with
// the real serial port and real pauses: the editor's start-up to its first drawn curve, an
// "Update" of one unit, and sonavel-cli reads of one unit and of 32 units. Prints medians of
// a few runs; run by hand, not by CTest.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "editor/MainWindow.h"
#include "editor/WindowStyle.h"
#include "link/QtSerialPort.h"
#include "link/Sleeper.h"

namespace {

constexpr int kRuns = 5;

// A running simulator and the device path it printed.
struct Simulator {
    explicit Simulator(const QString& units) {
        process.start(DEVSIM_PROGRAM, {"--units", units});
        if (!process.waitForStarted() || !process.waitForReadyRead())
            throw std::runtime_error("the simulator did not start");
        path = QString::fromUtf8(process.readLine()).trimmed();
    }
    ~Simulator() {
        process.kill();
        process.waitForFinished();
    }
    QProcess process;
    QString path;
};

void WaitUntil(const std::function<bool()>& done) {
    while (!done()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds from building the window to its first drawn curve.
double StartupToFirstCurve() {
    sonavel::QtSerialPort port;
    sonavel::ThreadSleeper sleeper;
    QElapsedTimer clock;
    clock.start();
    sonavel::MainWindow window(port, sleeper);
    window.show();
    WaitUntil([&] { return window.editor().plot().drawCount() > 0; });
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

struct UpdateTimes {
    double replied;  // click to the "...Flish" text: the ping and the dump
    double shown;    // click to the changed controls
};

// One "Update" of the unit at address 1, connected and on line.
UpdateTimes UpdateOnce(const QString& devicePath) {
    qputenv("SONAVEL_COM1", devicePath.toLocal8Bit());
    sonavel::QtSerialPort port;
    sonavel::ThreadSleeper sleeper;
    sonavel::MainWindow window(port, sleeper);
    window.show();
    WaitUntil([&] { return window.editor().state().EditEnabled; });
    window.editor().controls().connect.Click();
    QElapsedTimer settle;
    settle.start();
    WaitUntil([&] { return settle.elapsed() > 500; });

    UpdateTimes times{};
    QElapsedTimer clock;
    const QLabel* status = window.widgets().presetTitle;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (times.replied == 0 && status->text().endsWith("Flish"))
            times.replied = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    });
    poll.start();
    clock.start();
    window.editor().controls().update.Click();
    times.shown = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    return times;
}

// Milliseconds of one sonavel-cli read of the given units into a new file.
double CliRead(const QString& devicePath, const QStringList& addresses) {
    QTemporaryDir folder;
    QStringList arguments{"read", "--port", devicePath};
    for (const QString& address : addresses) arguments << "--address" << address;
    arguments << folder.filePath("read.bin");
    QProcess cli;
    QElapsedTimer clock;
    clock.start();
    cli.start(CLI_PROGRAM, arguments);
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0)
        throw std::runtime_error("sonavel-cli read failed: " + cli.readAllStandardError().toStdString());
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(new sonavel::WindowStyle);

    std::vector<double> startup, replied, shown, one, all;
    for (int run = 0; run < kRuns; ++run) startup.push_back(StartupToFirstCurve());
    {
        const Simulator simulator("1");
        for (int run = 0; run < kRuns; ++run) {
            const UpdateTimes times = UpdateOnce(simulator.path);
            replied.push_back(times.replied);
            shown.push_back(times.shown);
            one.push_back(CliRead(simulator.path, {"1"}));
        }
    }
    QStringList addresses;
    for (int address = 1; address <= 32; ++address) addresses << QString::number(address);
    {
        const Simulator simulator(addresses.join(','));
        for (int run = 0; run < 3; ++run) all.push_back(CliRead(simulator.path, addresses));
    }
    std::printf("start-up to the first drawn curve        %8.0f ms\n", Median(startup));
    std::printf("Update: click to the reply (ping, dump)  %8.0f ms\n", Median(replied));
    std::printf("Update: click to the changed controls    %8.0f ms (beyond the reply and 2 x 620 ms: %.0f ms)\n",
                Median(shown), Median(shown) - Median(replied) - 1240);
    std::printf("sonavel-cli read, one unit               %8.0f ms\n", Median(one));
    std::printf("sonavel-cli read, 32 units               %8.0f ms\n", Median(all));
    return 0;
}
