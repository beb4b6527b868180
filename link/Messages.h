#pragma once
// The byte map of every message the editor builds, and the 110-byte settings block shared
// by the whole-settings messages and the unit's settings dump. Builders only read the store.
#include "link/Envelope.h"
#include "model/ParameterStore.h"

namespace sonavel {

// Command numbers (the CMD byte).
enum Command : int {
    kCmdGainDelay = 1,      // out; in: presence reply (LEN 9)
    kCmdLimiter = 2,        // out; in: settings dump (LEN 121)
    kCmdFunction3 = 3,
    kCmdEqBand = 4,
    kCmdCrossover = 5,
    kCmdFunction6 = 6,
    kCmdLoudness = 7,
    kCmdFunction8 = 8,
    kCmdInvert = 9,
    kCmdWholeSettings = 10,
    kCmdPresenceQuery = 11,
    kCmdSettingsRequest = 12,
    kCmdStoreToSlot = 14,
    kCmdProgramAddress = 15,
    kCmdReadAddress = 16,
};

constexpr int kPresenceReplyLength = 9;
constexpr int kSettingsDumpLength = 121;
constexpr int kWholeSettingsLength = 120;
constexpr int kSettingsBlockFirst = 7;   // frame offset of the block's first byte
constexpr int kSettingsBlockLast = 116;  // frame offset of the block's last byte
constexpr int kSlotNumberOffset = kSettingsBlockLast + 1;  // after the block: store to slot, dump
constexpr int kSlotCount = 16;

Bytes EqBandMessage(const ParameterStore& store, int channel, int band, int address);
Bytes CrossoverMessage(const ParameterStore& store, int channel, int band, int address);
Bytes GainDelayMessage(const ParameterStore& store, int address);
Bytes LimiterMessage(const ParameterStore& store, int channel, int address);
Bytes LoudnessMessage(const ParameterStore& store, int channel, int address);
Bytes FunctionSwitchMessage(const ParameterStore& store, int function, int channel, int address);
Bytes InvertMessage(const ParameterStore& store, int address);
Bytes WholeSettingsMessage(const ParameterStore& store, int address);              // CMD 10
Bytes StoreToSlotMessage(const ParameterStore& store, int slot, int address);      // CMD 14
Bytes PresenceQuery(int address);                                                   // CMD 11
Bytes CurrentSettingsRequest(int address);                                          // CMD 12, LEN 9
Bytes SlotSettingsRequest(int slot, int address);                                   // CMD 12, LEN 10

// Writes the settings block into frame offsets 7..116 of a message of at least 117 bytes.
void WriteSettingsBlock(const ParameterStore& store, Bytes& frame);

// Copies the settings block at frame offsets 7..116 into the store as it stands, byte for
// byte. Fields the block does not carry keep their values.
void ReadSettingsBlock(const uint8_t* frame, ParameterStore& store);

// Whether every value the settings block at frame offsets 7..116 carries lies in its field's
// range, the remainder byte of a split value (frequency, release) below 100 included. A unit
// reports what it holds, so a value outside can only come from a line that damaged the dump.
bool SettingsBlockInRange(const uint8_t* frame);

// Takes a unit's settings dump into the store: the block as it stands, then the store
// brought in line as after every bulk change (clamped, crossover codes from the list
// positions, derived fields).
void ApplySettingsDump(const uint8_t* frame, ParameterStore& store);

}  // namespace sonavel
