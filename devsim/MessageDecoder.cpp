#include "devsim/MessageDecoder.h"

#include <stdexcept>

#include "link/Messages.h"

namespace sonavel::devsim {

namespace {

// Collects field elements by name and (channel, band) or (number) indexes.
class FieldList {
public:
    explicit FieldList(std::vector<FieldValue>& out) : out_(out) {}

    void Add(const char* name, int first, int band, int value) {
        const StoreField* field = FindStoreField(name);
        if (field == nullptr) throw std::logic_error(std::string("no store field ") + name);
        out_.push_back({field, ElementIndex(*field, first, band), value});
    }
    void Add(const char* name, int first, int value) { Add(name, first, 0, value); }

private:
    std::vector<FieldValue>& out_;
};

int Split(const Bytes& f, int offset) { return f[offset] * 100 + f[offset + 1]; }

void DecodeParameters(const Bytes& f, DecodedMessage& m) {
    FieldList list(m.fields);
    const int ch = f[6];
    switch (m.kind) {
        case MessageKind::GainDelay:
            for (int n = 1; n <= 2; ++n) list.Add("GainLevel", n, f[5 + n]);
            for (int n = 1; n <= 2; ++n) list.Add("OutputLevel", n, f[7 + n]);
            for (int n = 1; n <= 2; ++n) list.Add("DelaySamples", n, f[9 + n]);
            break;
        case MessageKind::Limiter:
            list.Add("CompAttack", ch, f[7]);
            list.Add("CompRelease", ch, Split(f, 8));
            list.Add("CompThreshold", ch, f[10]);
            list.Add("CompRatio", ch, f[11]);
            break;
        case MessageKind::FunctionSwitch: {
            static const char* const kNames[] = {"FuncByPass3", "FuncByPass6", "FuncByPass8"};
            list.Add(kNames[m.command == kCmdFunction3 ? 0 : m.command == kCmdFunction6 ? 1 : 2], ch, f[7]);
            break;
        }
        case MessageKind::EqBand: {
            const int band = f[7];
            list.Add("EqType", ch, band, f[8]);
            list.Add("EqFrequency", ch, band, Split(f, 9));
            list.Add("EqGain", ch, band, f[11]);
            list.Add("EqQFactor", ch, band, f[12]);
            list.Add("EqByPass", ch, band, f[13]);
            break;
        }
        case MessageKind::Crossover: {
            const int band = f[7];
            if (band != kLowPassBand && band != kHighPassBand)
                throw std::out_of_range("crossover band " + std::to_string(band) + " is not 6 or 7");
            list.Add(band == kLowPassBand ? "LpType" : "HpType", ch, f[8]);
            list.Add("EqFrequency", ch, band, Split(f, 9));
            break;
        }
        case MessageKind::Loudness:
            list.Add("LoudnessParam1", ch, f[7]);
            list.Add("LoudnessParam2", ch, f[8]);
            list.Add("LoudnessParam3", ch, f[9]);
            break;
        case MessageKind::Invert:
            for (int n = 1; n <= 2; ++n) list.Add("InvertStatus", n, f[6 + n]);
            break;
        default:
            break;
    }
}

// The fields of the settings block, read through the link's block reader so that the
// layout lives in one place. The crossover slots' EqType comes out as the unit keeps it.
void DecodeSettingsBlock(const Bytes& f, DecodedMessage& m) {
    static const char* const kCarried[] = {
        "GainLevel",   "DelaySamples", "CompAttack",  "CompRelease", "CompThreshold", "CompRatio",
        "InvertStatus", "FuncByPass6", "FuncByPass3", "LpType",      "HpType",        "EqType",
        "EqFrequency", "EqGain",       "EqQFactor",   "EqByPass"};
    ParameterStore block{};
    ReadSettingsBlock(f.data(), block);
    for (const char* name : kCarried) {
        const StoreField* field = FindStoreField(name);
        for (int i = 0; i < field->Count(); ++i)
            m.fields.push_back({field, i, ReadStoreField(block, *field, i)});
    }
}

void CheckSlot(int slot) {
    if (slot < 1 || slot > kSlotCount)
        throw std::out_of_range("slot " + std::to_string(slot) + " is outside 1.." + std::to_string(kSlotCount));
}

MessageKind KindOf(int length, int command) {
    struct Known { int length, command; MessageKind kind; };
    static constexpr Known kKnown[] = {
        {15, kCmdGainDelay, MessageKind::GainDelay},
        {15, kCmdLimiter, MessageKind::Limiter},
        {11, kCmdFunction3, MessageKind::FunctionSwitch},
        {17, kCmdEqBand, MessageKind::EqBand},
        {14, kCmdCrossover, MessageKind::Crossover},
        {11, kCmdFunction6, MessageKind::FunctionSwitch},
        {13, kCmdLoudness, MessageKind::Loudness},
        {11, kCmdFunction8, MessageKind::FunctionSwitch},
        {12, kCmdInvert, MessageKind::Invert},
        {kWholeSettingsLength, kCmdWholeSettings, MessageKind::WholeSettings},
        {9, kCmdPresenceQuery, MessageKind::PresenceQuery},
        {9, kCmdSettingsRequest, MessageKind::SettingsRequest},
        {10, kCmdSettingsRequest, MessageKind::SettingsRequest},
        {kSettingsDumpLength, kCmdStoreToSlot, MessageKind::StoreToSlot},
        {10, kCmdProgramAddress, MessageKind::ProgramAddress},
        {10, kCmdReadAddress, MessageKind::ReadAddress},
    };
    for (const Known& k : kKnown)
        if (k.length == length && k.command == command) return k.kind;
    return MessageKind::Unknown;
}

}  // namespace

const char* KindName(MessageKind kind) {
    switch (kind) {
        case MessageKind::GainDelay: return "gain-delay";
        case MessageKind::Limiter: return "limiter";
        case MessageKind::FunctionSwitch: return "function-switch";
        case MessageKind::EqBand: return "eq-band";
        case MessageKind::Crossover: return "crossover";
        case MessageKind::Loudness: return "loudness";
        case MessageKind::Invert: return "invert";
        case MessageKind::WholeSettings: return "whole-settings";
        case MessageKind::PresenceQuery: return "presence-query";
        case MessageKind::SettingsRequest: return "settings-request";
        case MessageKind::StoreToSlot: return "store-to-slot";
        case MessageKind::ProgramAddress: return "program-address";
        case MessageKind::ReadAddress: return "read-address";
        case MessageKind::Unknown: return "unknown";
    }
    return "unknown";
}

DecodedMessage DecodeMessage(const Bytes& frame) {
    DecodedMessage m;
    const int length = static_cast<int>(frame.size());
    m.command = frame[5];
    m.address = frame[length - 3];
    m.kind = KindOf(length, m.command);
    try {
        switch (m.kind) {
            case MessageKind::WholeSettings:
                DecodeSettingsBlock(frame, m);
                break;
            case MessageKind::StoreToSlot:
                m.slot = frame[kSlotNumberOffset];
                CheckSlot(m.slot);
                DecodeSettingsBlock(frame, m);
                break;
            case MessageKind::SettingsRequest:
                if (length == 10) {
                    m.slot = frame[6];
                    CheckSlot(m.slot);
                }
                break;
            case MessageKind::ProgramAddress:
            case MessageKind::ReadAddress:
                m.addressArgument = frame[6];
                break;
            case MessageKind::PresenceQuery:
            case MessageKind::Unknown:
                break;
            default:
                DecodeParameters(frame, m);
                break;
        }
    } catch (const std::out_of_range& e) {
        m.fields.clear();
        m.problem = e.what();
    }
    for (const FieldValue& v : m.fields) {
        if (v.value < v.field->min || v.value > v.field->max) {
            m.problem = v.Name() + " = " + std::to_string(v.value) + " is outside " +
                        std::to_string(v.field->min) + ".." + std::to_string(v.field->max);
            break;
        }
    }
    return m;
}

}  // namespace sonavel::devsim
