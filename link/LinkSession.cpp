#include "link/LinkSession.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "link/Messages.h"

namespace sonavel {

LinkSession::LinkSession(ParameterStore& store, SerialPort& port, Sleeper& sleeper, const Clock& clock,
                         EventPump pumpEvents, Options options)
    : store_(store), port_(port), sleeper_(sleeper), clock_(clock), pumpEvents_(std::move(pumpEvents)),
      options_(options), receiver_(link_), sender_(store, link_, port, sleeper) {
    if (!pumpEvents_) throw std::invalid_argument("the line needs a way to wait for replies");
    port_.OnComm = [this] { receiver_.OnComm(port_.Input()); };
    port_.OnPortLost = [this](const std::string& reason) { OnPortLost(reason); };
}

LinkSession::~LinkSession() {
    port_.OnComm = nullptr;
    port_.OnPortLost = nullptr;
}

PortStatus LinkSession::SwitchOn() {
    if (!port_.PortOpen()) {
        if (PortStatus opened = port_.SetPortOpen(true); !opened.ok) return opened;
    }
    link_.Connected = 1;
    link_.Online = 1;
    return {};
}

void LinkSession::SwitchOff() {
    link_.Connected = 0;
    link_.Online = 0;
    if (port_.PortOpen()) port_.SetPortOpen(false);
}

void LinkSession::Shutdown() {
    shutDown_ = true;
    SwitchOff();
}

PortStatus LinkSession::ChoosePort(int number) {
    if (port_.PortOpen()) port_.SetPortOpen(false);
    port_.SetCommPort(number);
    PortStatus status = port_.SetPortOpen(true);
    if (status.ok) {
        port_.SetPortOpen(false);
        status = port_.SetPortOpen(true);
    }
    link_.Online = 0;
    if (status.ok && link_.Connected != 1) port_.SetPortOpen(false);
    return status;
}

void LinkSession::ChooseAddress(int address) {
    if (address < 1 || address > kMaxAddress)
        throw std::out_of_range("address " + std::to_string(address) + " is not 1..32");
    link_.AddressIndex = address;
    link_.DeviceAddress = address;
    link_.Online = 0;
}

void LinkSession::OnPortLost(const std::string& reason) {
    lostReason_ = reason;
    link_.Connected = 0;
    link_.Online = 0;
    view_->ShowLineLost(reason);
}

void LinkSession::Tick() {
    ++link_.IdleTicks;
    if (link_.IdleTicks > link_.OnlineInterval && link_.Sending == 0) OnLineCheck();
}

void LinkSession::OnLineCheck() {
    {
        const SendingScope checking(link_, false);
        const int address = link_.DeviceAddress;
        if (link_.Online == 0) {
            link_.MissCount(address) = static_cast<int16_t>(link_.MissCount(address) + 1);
            if (link_.MissCount(address) >= kMissesPerVerdict) {
                link_.MissCount(address) = 0;
                link_.Online = link_.OnlineTable(address) != 0 ? 1 : 0;
                link_.OnlineTable(address) = 0;
            }
            // No pause follows: the query is answered, and nothing else waits on the line.
            if (link_.Online == 0 && SendGateOpen(port_, link_)) port_.Output(PresenceQuery(address));
        }
        if (link_.SendCount >= kUnansweredMessages) link_.Online = 0;
        view_->ShowPresenceLamp(link_.Online == 1 && link_.Connected == 1);
    }
    link_.OnlineInterval = kOnlineCheckInterval;
}

void LinkSession::TickWaits() {
    link_.WaitTicks = std::min(link_.WaitTicks + 1, kWaitTickCap);
    link_.DelayTicks = std::min(link_.DelayTicks + 1, kWaitTickCap);
}

void LinkSession::WaitWhile(const std::function<bool()>& condition) {
    while (!shutDown_ && condition()) pumpEvents_();
}

bool LinkSession::QueryPresence(int timeoutMs) {
    if (!SendGateOpen(port_, link_)) return false;
    const SendingScope querying(link_, false);
    const int address = link_.DeviceAddress;
    link_.OnlineTable(address) = 0;
    port_.Output(PresenceQuery(address));
    const long long deadline = clock_.NowMs() + timeoutMs;
    WaitWhile([&] { return link_.OnlineTable(address) == 0 && clock_.NowMs() < deadline && port_.PortOpen(); });
    return link_.OnlineTable(address) != 0;
}

}  // namespace sonavel
