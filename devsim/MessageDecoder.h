#pragma once
// Decodes a received frame into the store fields it carries, by the store's own field
// names, together with what else the unit needs: the kind of message, a slot number, the
// address it is meant for. Decoding changes nothing; applying is the unit's business.
#include <string>
#include <vector>

#include "link/Envelope.h"
#include "model/StoreFields.h"

namespace sonavel::devsim {

constexpr int kBroadcastAddress = 255;  // the address field of the address tool's messages

enum class MessageKind {
    GainDelay,
    Limiter,
    FunctionSwitch,
    EqBand,
    Crossover,
    Loudness,
    Invert,
    WholeSettings,
    PresenceQuery,
    SettingsRequest,
    StoreToSlot,
    ProgramAddress,
    ReadAddress,
    Unknown,  // a LEN and CMD pair the unit does not know
};

const char* KindName(MessageKind kind);

// One element of a store field as the message carries it.
struct FieldValue {
    const StoreField* field;
    int index;  // in store order
    int value;
    std::string Name() const { return ElementName(*field, index); }
};

struct DecodedMessage {
    MessageKind kind = MessageKind::Unknown;
    int command = 0;
    int address = 0;                 // the address field
    std::vector<FieldValue> fields;  // store fields carried, in message order
    int slot = 0;                    // settings request for a slot, store to slot: 1..16
    int addressArgument = 0;         // address tool messages: the payload byte
    std::string problem;             // why the unit must not take it; empty when sound
};

// Decodes a complete frame (envelope already checked by the assembler).
DecodedMessage DecodeMessage(const Bytes& frame);

}  // namespace sonavel::devsim
