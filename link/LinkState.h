#pragma once
// The link's bookkeeping shared by the senders, the receiver, the presence check and the
// bulk transfers. Flags are 0/1 integers as the rest of the window keeps them.
#include <cstdint>

#include "model/ParameterStore.h"

namespace sonavel {

constexpr int kMaxAddress = 32;

struct LinkState {
    int Connected = 0;      // 1 = the user switched the link on
    int DeviceAddress = 1;  // address put into every outgoing message
    int AddressIndex = 1;   // position in the address list + 1
    int Sending = 0;        // 1 while a sender or a bulk transfer runs
    int IdleTicks = 0;      // Timer1 ticks since the last send
    int SendCount = 0;      // messages built since the last accepted reply
    int Online = 0;         // 1 = the addressed unit answered recently
    int OnlineInterval = 0; // idle ticks before the next presence check
    int PingPending = 0;    // 1 while a transfer waits for a presence reply
    int RecallPending = 0;  // 1 while a transfer waits for a settings dump
    int RefreshBusy = 0;    // 1 while the controls are refreshed from the store
    int WaitTicks = 0;      // advanced by Timer2, held at 100
    int DelayTicks = 0;     // advanced by Timer2, held at 100
    OneBasedArray<int16_t, kMaxAddress> OnlineTable;  // 1 = a presence reply came from that address
    OneBasedArray<int16_t, kMaxAddress> MissCount;    // presence checks per address since the last verdict
};

// One message or bulk transfer on the line: counts it (a presence query is not counted) and
// raises Sending. However it ends, even by an exception, Sending is lowered and IdleTicks
// restarts, so that the presence check is never locked out.
class SendingScope {
public:
    explicit SendingScope(LinkState& link, bool counted = true) : link_(link) {
        if (counted) ++link_.SendCount;
        link_.Sending = 1;
        link_.IdleTicks = 0;
    }
    ~SendingScope() {
        link_.Sending = 0;
        link_.IdleTicks = 0;
    }
    SendingScope(const SendingScope&) = delete;
    SendingScope& operator=(const SendingScope&) = delete;

private:
    LinkState& link_;
};

}  // namespace sonavel
