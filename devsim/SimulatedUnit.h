#pragma once
// One loudspeaker processor unit: its address, its working set of settings and its 16
// preset slots, all starting from the store defaults.
#include <array>
#include <string>

#include "devsim/MessageDecoder.h"
#include "link/Messages.h"
#include "model/ParameterStore.h"
#include "model/StoreFields.h"

namespace sonavel::devsim {

// False for the store fields only the editor keeps: the frequency arrows' positions, the
// mute boxes, and OutputLevel (the unit's output gains are GainLevel(3) and GainLevel(4)).
bool HeldByUnit(const StoreField& field);

class SimulatedUnit {
public:
    explicit SimulatedUnit(int address);

    int Address() const { return address_; }
    void SetAddress(int address) { address_ = address; }

    const ParameterStore& Working() const { return working_; }
    const ParameterStore& Slot(int slot) const { return slots_.at(slot - 1); }

    // Takes a sound parameter, whole-settings or store-to-slot message into the working set
    // or the slot it names. The unit keeps one output gain per channel, reported as
    // GainLevel(3) and GainLevel(4) and received as OutputLevel, so the two stay equal.
    void Apply(const DecodedMessage& message);

    Bytes PresenceReply() const;
    // The settings dump of the working set (slot 0) or of slot 1..16.
    Bytes SettingsDump(int slot) const;
    // The printable answer to the address tool, e.g. " Addr=05".
    std::string AddressText() const;

private:
    int address_;
    ParameterStore working_{};
    std::array<ParameterStore, kSlotCount> slots_{};
};

}  // namespace sonavel::devsim
