#include "cli/UnitLine.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <cstdio>

#include "cli/CliError.h"

namespace sonavel::cli {

namespace {
constexpr int kTimer2IntervalMs = 20;
constexpr int kPresetNumber = 1;  // the unit's working set
}  // namespace

void EventLoopSleeper::Sleep(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

UnitLine::UnitLine(const std::string& portArgument)
    : session_(store_, port_, sleeper_, clock_,
               [] { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); },
               {.statusPanelWaits = false}) {
    PortArgument port;
    try {
        port = ParsePortArgument(portArgument);
    } catch (const std::invalid_argument& e) {
        throw CliError(e.what());
    }
    if (port.devicePath.empty())
        port_.SetCommPort(port.number);
    else
        port_.SetDeviceOverride(port.devicePath);
    portName_ = port_.DeviceName();
    if (const PortStatus opened = session_.SwitchOn(); !opened.ok) throw CliError(opened.error);

    session_.SetView(this);
    port_.OnComm = [this, deliver = port_.OnComm] {
        ++arrivals_;
        deliver();
    };
    timer2_.setTimerType(Qt::PreciseTimer);
    timer2_.setInterval(kTimer2IntervalMs);
    QObject::connect(&timer2_, &QTimer::timeout, &timer2_, [this] { session_.TickWaits(); });
    timer2_.start();
}

void UnitLine::ShowStatus(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }

bool UnitLine::Answers(int address, int attempts, int timeoutMs) {
    session_.ChooseAddress(address);
    for (int attempt = 0; attempt < attempts; ++attempt)
        if (session_.QueryPresence(timeoutMs)) return true;
    return false;
}

bool UnitLine::Read(int address, std::optional<int> slot, ParameterStore& store) {
    session_.ChooseAddress(address);
    store_ = store;
    if (!(slot ? session_.RecallFromDsp(*slot) : session_.Update())) return false;
    store = store_;
    return true;
}

void UnitLine::SendWholeSettings(int address, const ParameterStore& store) {
    session_.ChooseAddress(address);
    store_ = store;
    session_.Sender().LoadPresetNum(kPresetNumber);
}

void UnitLine::StoreToSlot(int address, int slot, const ParameterStore& store) {
    session_.ChooseAddress(address);
    store_ = store;
    session_.LoadToDsp(slot);
}

}  // namespace sonavel::cli
