#include "cli/UnitLine.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <cstdio>

#include "cli/CliError.h"
#include "link/Messages.h"
#include "link/ParameterSender.h"

namespace sonavel::cli {

namespace {
constexpr int kTimer2IntervalMs = 20;
}

void EventLoopSleeper::Sleep(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

UnitLine::UnitLine(const std::string& portArgument) : receiver_(link_) {
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
    if (const PortStatus opened = port_.SetPortOpen(true); !opened.ok) throw CliError(opened.error);

    link_.Connected = 1;
    port_.OnComm = [this] { receiver_.OnComm(port_.Input()); };
    port_.OnPortLost = [this](const std::string& reason) { lostReason_ = reason; };
    timer2_.setTimerType(Qt::PreciseTimer);
    timer2_.setInterval(kTimer2IntervalMs);
    QObject::connect(&timer2_, &QTimer::timeout, &timer2_, [this] { Timer2Tick(link_); });
    timer2_.start();
}

void UnitLine::PumpEventsOnce() { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); }

bool UnitLine::Answers(int address, int attempts) {
    for (int attempt = 0; attempt < attempts && port_.PortOpen(); ++attempt) {
        link_.OnlineTable(address) = 0;
        link_.WaitTicks = 0;
        port_.Output(PresenceQuery(address));
        while (link_.OnlineTable(address) == 0 && link_.WaitTicks <= kPingWaitTicks) PumpEventsOnce();
        if (link_.OnlineTable(address) != 0) return true;
    }
    return false;
}

Transfers UnitLine::MakeTransfers(ParameterStore& store) {
    TransferCallbacks callbacks;
    callbacks.PumpEventsOnce = [this] { PumpEventsOnce(); };
    callbacks.ShowStatus = [](const std::string& text) {
        std::fprintf(stderr, "%s\n", text.c_str());
    };
    return Transfers(store, link_, port_, sleeper_, receiver_, callbacks);
}

bool UnitLine::Read(int address, std::optional<int> slot, ParameterStore& store) {
    link_.DeviceAddress = address;
    Transfers transfers = MakeTransfers(store);
    return slot ? transfers.RecallFromDsp(*slot) : transfers.Update();
}

void UnitLine::SendWholeSettings(int address, const ParameterStore& store) {
    link_.DeviceAddress = address;
    ParameterSender(store, link_, port_, sleeper_).LoadPresetNum(1);
}

void UnitLine::StoreToSlot(int address, int slot, ParameterStore& store) {
    link_.DeviceAddress = address;
    MakeTransfers(store).LoadToDsp(slot);
}

}  // namespace sonavel::cli
