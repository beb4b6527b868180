#include "link/Messages.h"

#include <stdexcept>
#include <string>

#include "model/BulkChange.h"
#include "model/StoreFields.h"

namespace sonavel {

namespace {

constexpr int kSettingsBlockBytes = kSettingsBlockLast - kSettingsBlockFirst + 1;  // 110

// The settings block's byte map, the one place it is written down: visits every carried
// store value in frame order (offsets 7..116) with whether it travels split in two bytes.
// Frequencies and release values travel as hundreds and remainder, each in one byte.
template <class Store, class Visit>
void ForEachBlockValue(Store& s, Visit visit) {
    for (int n = 1; n <= 4; ++n) visit(s.GainLevel(n), false);
    for (int ch = 1; ch <= kChannelCount; ++ch) visit(s.DelaySamples(ch), false);
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        visit(s.CompAttack(ch), false);
        visit(s.CompRelease(ch), true);
        visit(s.CompThreshold(ch), false);
        visit(s.CompRatio(ch), false);
    }
    for (int ch = 1; ch <= kChannelCount; ++ch) visit(s.InvertStatus(ch), false);
    for (int ch = 1; ch <= kChannelCount; ++ch) visit(s.FuncByPass6(ch), false);
    for (int ch = 1; ch <= kChannelCount; ++ch) visit(s.FuncByPass3(ch), false);
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        visit(s.LpType(ch), false);
        visit(s.HpType(ch), false);
        for (int band = 1; band <= kBandCount; ++band) {
            visit(s.EqType(ch, band), false);
            visit(s.EqFrequency(ch, band), true);
            visit(s.EqGain(ch, band), false);
            visit(s.EqQFactor(ch, band), false);
            visit(s.EqByPass(ch, band), false);
        }
    }
}

void AppendSplit(std::vector<int>& payload, int value) {
    payload.push_back(value / 100);
    payload.push_back(value % 100);
}

// The settings block in frame order.
std::vector<int> SettingsBlockValues(const ParameterStore& s) {
    std::vector<int> block;
    block.reserve(kSettingsBlockBytes);
    ForEachBlockValue(s, [&block](int value, bool split) {
        if (split) AppendSplit(block, value);
        else block.push_back(value);
    });
    return block;
}

// The payload of the whole-settings and store-to-slot messages: a zero, then the block.
std::vector<int> WholeSettingsPayload(const ParameterStore& s) {
    std::vector<int> payload{0};
    const std::vector<int> block = SettingsBlockValues(s);
    payload.insert(payload.end(), block.begin(), block.end());
    return payload;
}

void CheckChannel(int channel) {
    if (channel < 1 || channel > kChannelCount)
        throw std::out_of_range("channel " + std::to_string(channel) + " is not 1 or 2");
}

void CheckSlot(int slot) {
    if (slot < 1 || slot > kSlotCount)
        throw std::out_of_range("preset slot " + std::to_string(slot) + " is not 1..16");
}

}  // namespace

Bytes EqBandMessage(const ParameterStore& s, int channel, int band, int address) {
    std::vector<int> payload{channel, band, s.EqType(channel, band)};
    AppendSplit(payload, s.EqFrequency(channel, band));
    payload.push_back(s.EqGain(channel, band));
    payload.push_back(s.EqQFactor(channel, band));
    payload.push_back(s.EqByPass(channel, band));
    return BuildMessage(kCmdEqBand, payload, address);
}

Bytes CrossoverMessage(const ParameterStore& s, int channel, int band, int address) {
    if (band != kLowPassBand && band != kHighPassBand)
        throw std::out_of_range("band " + std::to_string(band) + " is not a crossover slot");
    const int listPosition = band == kLowPassBand ? s.LpType(channel) : s.HpType(channel);
    std::vector<int> payload{channel, band, listPosition};
    AppendSplit(payload, s.EqFrequency(channel, band));
    return BuildMessage(kCmdCrossover, payload, address);
}

Bytes GainDelayMessage(const ParameterStore& s, int address) {
    return BuildMessage(kCmdGainDelay,
                        {s.GainLevel(1), s.GainLevel(2), s.OutputLevel(1), s.OutputLevel(2),
                         s.DelaySamples(1), s.DelaySamples(2)},
                        address);
}

Bytes LimiterMessage(const ParameterStore& s, int channel, int address) {
    std::vector<int> payload{channel, s.CompAttack(channel)};
    AppendSplit(payload, s.CompRelease(channel));
    payload.push_back(s.CompThreshold(channel));
    payload.push_back(s.CompRatio(channel));
    return BuildMessage(kCmdLimiter, payload, address);
}

Bytes LoudnessMessage(const ParameterStore& s, int channel, int address) {
    return BuildMessage(kCmdLoudness,
                        {channel, s.LoudnessParam1(channel), s.LoudnessParam2(channel),
                         s.LoudnessParam3(channel)},
                        address);
}

Bytes FunctionSwitchMessage(const ParameterStore& s, int function, int channel, int address) {
    CheckChannel(channel);
    int state = 0;  // a function without a switch of its own travels as off
    if (function == kCmdFunction3) state = s.FuncByPass3(channel);
    if (function == kCmdFunction6) state = s.FuncByPass6(channel);
    if (function == kCmdFunction8) state = s.FuncByPass8(channel);
    return BuildMessage(function, {channel, state}, address);
}

Bytes InvertMessage(const ParameterStore& s, int address) {
    return BuildMessage(kCmdInvert, {0, s.InvertStatus(1), s.InvertStatus(2)}, address);
}

Bytes WholeSettingsMessage(const ParameterStore& s, int address) {
    return BuildMessage(kCmdWholeSettings, WholeSettingsPayload(s), address);
}

Bytes StoreToSlotMessage(const ParameterStore& s, int slot, int address) {
    CheckSlot(slot);
    std::vector<int> payload = WholeSettingsPayload(s);
    payload.push_back(slot);
    return BuildMessage(kCmdStoreToSlot, payload, address);
}

Bytes PresenceQuery(int address) { return BuildMessage(kCmdPresenceQuery, {}, address); }

Bytes CurrentSettingsRequest(int address) {
    return BuildMessage(kCmdSettingsRequest, {}, address);
}

Bytes SlotSettingsRequest(int slot, int address) {
    CheckSlot(slot);
    return BuildMessage(kCmdSettingsRequest, {slot}, address);
}

void WriteSettingsBlock(const ParameterStore& s, Bytes& frame) {
    if (frame.size() < static_cast<size_t>(kSettingsBlockLast + 1))
        throw std::length_error("a frame of " + std::to_string(frame.size()) +
                                " bytes cannot hold the settings block");
    const std::vector<int> block = SettingsBlockValues(s);
    for (int i = 0; i < kSettingsBlockBytes; ++i) frame[kSettingsBlockFirst + i] = ToByte(block[i]);
}

void ReadSettingsBlock(const uint8_t* frame, ParameterStore& s) {
    int offset = kSettingsBlockFirst;
    ForEachBlockValue(s, [frame, &offset](int16_t& value, bool split) {
        value = split ? static_cast<int16_t>(frame[offset] * 100 + frame[offset + 1]) : frame[offset];
        offset += split ? 2 : 1;
    });
}

bool SettingsBlockInRange(const uint8_t* frame) {
    ParameterStore carried;
    InitDSPPremeter(carried);  // what the block does not carry stays at values in range
    ReadSettingsBlock(frame, carried);
    bool remaindersFit = true;
    int offset = kSettingsBlockFirst;
    ForEachBlockValue(carried, [frame, &offset, &remaindersFit](int16_t&, bool split) {
        if (split && frame[offset + 1] >= 100) remaindersFit = false;
        offset += split ? 2 : 1;
    });
    return remaindersFit && ClampIntoRange(carried) == 0;
}

void ApplySettingsDump(const uint8_t* frame, ParameterStore& store) {
    ReadSettingsBlock(frame, store);
    // A unit may report values its own controls never produce, and the crossover slots take
    // their shape code from the list positions, not the dump.
    BringStoreInLine(store);
}

}  // namespace sonavel
