#include "SimulatorRun.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <stdexcept>

#include "link/Messages.h"
#include "model/StoreFields.h"
#include "tests/support/LineEnd.h"
#include "tests/support/PumpUntil.h"

namespace e2e {

using namespace sonavel;

namespace {

constexpr int kReplyMs = 3000;

ParameterStore StoreFromJson(const QJsonObject& working) {
    ParameterStore store{};
    for (const StoreField& field : StoreFields()) {
        const QJsonArray values = working.value(QString::fromUtf8(field.name.data(), field.name.size())).toArray();
        int16_t* target = field.write(store);
        // Band fields are reported per channel, then per band; the store keeps them channel-fastest.
        for (int i = 0; i < field.Count(); ++i)
            target[i] = static_cast<int16_t>((field.shape == FieldShape::PerBand
                                                  ? values.at(i % kChannelCount).toArray().at(i / kChannelCount)
                                                  : values.at(i)).toInt());
    }
    return store;
}

}  // namespace

SimulatorRun::SimulatorRun(const QStringList& options)
    : process_(options + QStringList{"--log", folder_.filePath("frames.log"), "--state", folder_.filePath("state.json")}) {}

std::vector<LoggedFrame> SimulatorRun::Frames(size_t first) const {
    std::vector<LoggedFrame> frames;
    QFile log(folder_.filePath("frames.log"));
    if (!log.open(QIODevice::ReadOnly)) return frames;
    for (const QByteArray& line : log.readAll().split('\n')) {
        const QJsonObject entry = QJsonDocument::fromJson(line).object();
        if (entry.isEmpty()) continue;
        if (first > 0) --first;
        else frames.push_back({entry.value("bytes").toString(), entry.value("command").toInt(), entry.value("outcome").toString()});
    }
    return frames;
}

std::vector<QString> SimulatorRun::BytesOf(int command, size_t first) const {
    std::vector<QString> bytes;
    for (const LoggedFrame& frame : Frames(first))
        if (frame.command == command) bytes.push_back(frame.bytes);
    return bytes;
}

UnitStates SimulatorRun::State() {
    QFile file(folder_.filePath("state.json"));
    if (process_.Running()) {
        file.remove();
        process_.RequestState();
        test::PumpUntil([&] { return file.exists(); }, kReplyMs);
    }
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("the simulator wrote no state file");
    UnitStates states;
    for (const QJsonValue unit : QJsonDocument::fromJson(file.readAll()).object().value("units").toArray())
        states[unit.toObject().value("address").toInt()] = StoreFromJson(unit.toObject().value("working").toObject());
    return states;
}

void SimulatorRun::Seed(int address, const ParameterStore& settings) {
    const size_t framesBefore = Frames().size();
    test::LineEnd line(process_.DevicePath());
    line.Write(WholeSettingsMessage(settings, address));
    test::PumpUntil([&] { return Frames().size() > framesBefore; }, kReplyMs);
    if (Frames(framesBefore).empty() || Frames(framesBefore).back().outcome != "applied")
        throw std::runtime_error("the simulator did not take the seeded settings");
}

ParameterStore UnitSettings(int variant) {
    ParameterStore s{};
    InitDSPPremeter(s);
    const int16_t equalizerTypes[] = {1, 4, 5};
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        const int k = variant + 3 * ch;  // differs between channels and variants
        for (int b = 1; b <= kBandCount; ++b) {
            s.EqFrequency(ch, b) = static_cast<int16_t>(40 + 2400 * (b - 1) + 97 * k + 7 * variant);
            s.EqGain(ch, b) = static_cast<int16_t>((5 * b + 11 * k) % 49);
            s.EqQFactor(ch, b) = static_cast<int16_t>((13 * b + 7 * k) % 101);
            s.EqByPass(ch, b) = static_cast<int16_t>((b + variant) % 2);
            if (b <= kEqBandCount) s.EqType(ch, b) = equalizerTypes[(b + variant) % 3];
        }
        SetCrossoverListPosition(s, ch, kLowPassBand, 1 + (k % 8));
        SetCrossoverListPosition(s, ch, kHighPassBand, 1 + ((k + 3) % 8));
        s.DelaySamples(ch) = static_cast<int16_t>(10 * k + 1);
        s.CompThreshold(ch) = static_cast<int16_t>(90 - 7 * k);
        s.CompAttack(ch) = static_cast<int16_t>(15 * k);
        s.CompRelease(ch) = static_cast<int16_t>(101 * k);
        s.CompRatio(ch) = static_cast<int16_t>(1 + k);
        s.InvertStatus(ch) = static_cast<int16_t>((variant + ch) % 2);
        s.FuncByPass6(ch) = static_cast<int16_t>((variant + ch + 1) % 2);
        s.FuncByPass3(ch) = static_cast<int16_t>((variant + ch) % 2);
    }
    for (int i = 1; i <= 4; ++i) s.GainLevel(i) = static_cast<int16_t>(20 * variant + 5 * i);
    return s;
}

std::map<std::string, int> CarriedFields(const ParameterStore& store) {
    static const char* const kCarried[] = {"GainLevel",   "DelaySamples", "CompThreshold", "CompAttack",
                                           "CompRelease", "CompRatio",    "InvertStatus",  "FuncByPass6",
                                           "FuncByPass3", "LpType",       "HpType",        "EqType",
                                           "EqFrequency", "EqGain",       "EqQFactor",     "EqByPass"};
    std::map<std::string, int> values;
    for (const char* name : kCarried) {
        const StoreField& field = *FindStoreField(name);
        for (int i = 0; i < field.Count(); ++i) values[ElementName(field, i)] = ReadStoreField(store, field, i);
    }
    return values;
}

}  // namespace e2e
