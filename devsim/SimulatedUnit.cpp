#include "devsim/SimulatedUnit.h"

#include <cstdio>

#include "model/BulkChange.h"

namespace sonavel::devsim {

namespace {

void MirrorOutputGain(ParameterStore& s, MessageKind kind) {
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        if (kind == MessageKind::GainDelay) s.GainLevel(ch + 2) = s.OutputLevel(ch);
        else s.OutputLevel(ch) = s.GainLevel(ch + 2);
    }
}

}  // namespace

bool HeldByUnit(const StoreField& field) {
    return field.name != "EqFreqPosition" && field.name != "MuteState" && field.name != "OutputLevel";
}

SimulatedUnit::SimulatedUnit(int address) : address_(address) {
    InitDSPPremeter(working_);
    BringStoreInLine(working_);
    for (ParameterStore& slot : slots_) slot = working_;
}

void SimulatedUnit::Apply(const DecodedMessage& m) {
    if (!m.problem.empty()) return;
    ParameterStore& target = m.kind == MessageKind::StoreToSlot ? slots_.at(m.slot - 1) : working_;
    for (const FieldValue& v : m.fields) WriteStoreField(target, *v.field, v.index, v.value);
    switch (m.kind) {
        case MessageKind::GainDelay:
        case MessageKind::WholeSettings:
        case MessageKind::StoreToSlot:
            MirrorOutputGain(target, m.kind);
            break;
        case MessageKind::Crossover: {
            // The list position chooses the filter shape of the slot, as the editor's lists do.
            const int ch = m.fields[0].index + 1;
            const int band = m.fields[0].field->name == "LpType" ? kLowPassBand : kHighPassBand;
            SetCrossoverListPosition(target, ch, band, m.fields[0].value);
            break;
        }
        default:
            break;
    }
}

Bytes SimulatedUnit::PresenceReply() const { return BuildMessage(kCmdGainDelay, {}, address_); }

Bytes SimulatedUnit::SettingsDump(int slot) const {
    Bytes frame = BuildMessage(kCmdLimiter, std::vector<int>(kSettingsDumpLength - kEnvelopeBytes, 0), address_);
    WriteSettingsBlock(slot == 0 ? working_ : Slot(slot), frame);
    frame[kSlotNumberOffset] = static_cast<uint8_t>(slot);
    return frame;
}

std::string SimulatedUnit::AddressText() const {
    char text[16];
    std::snprintf(text, sizeof text, " Addr=%02d", address_);
    return text;
}

}  // namespace sonavel::devsim
