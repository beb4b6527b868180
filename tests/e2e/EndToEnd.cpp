#include "EndToEnd.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QTimer>
#include <stdexcept>

#include "link/Messages.h"
#include "model/StoreFields.h"
#include "tests/support/LineEnd.h"

namespace e2e {

using namespace sonavel;

namespace {

constexpr int kReplyMs = 3000;
// The fields a settings dump carries.
constexpr const char* kCarried[] = {"GainLevel",   "DelaySamples", "CompThreshold", "CompAttack",
                                    "CompRelease", "CompRatio",    "InvertStatus",  "FuncByPass6",
                                    "FuncByPass3", "LpType",       "HpType",        "EqType",
                                    "EqFrequency", "EqGain",       "EqQFactor",     "EqByPass"};

ParameterStore StoreFromJson(const QJsonObject& working) {
    ParameterStore store{};
    for (const StoreField& field : StoreFields()) {
        const QJsonArray values = working.value(QString::fromUtf8(field.name.data(), field.name.size())).toArray();
        // Band fields are reported per channel, then per band; the store keeps them channel-fastest.
        for (int i = 0; i < field.Count(); ++i)
            field.write(store)[i] = static_cast<int16_t>((field.shape == FieldShape::PerBand
                                                              ? values.at(i % kChannelCount).toArray().at(i / kChannelCount)
                                                              : values.at(i)).toInt());
    }
    return store;
}

}  // namespace

SimulatorRun::SimulatorRun(const QStringList& options)
    : process_(options + QStringList{"--log", folder_.filePath("frames.log"), "--state", folder_.filePath("state.json")}) {}

std::vector<QJsonObject> SimulatorRun::Frames(size_t first) const {
    std::vector<QJsonObject> frames;
    QFile log(folder_.filePath("frames.log"));
    if (!log.open(QIODevice::ReadOnly)) return frames;
    for (const QByteArray& line : log.readAll().split('\n'))
        if (!line.isEmpty()) frames.push_back(QJsonDocument::fromJson(line).object());
    frames.erase(frames.begin(), frames.begin() + std::min(first, frames.size()));
    return frames;
}

std::map<int, ParameterStore> SimulatorRun::State() {
    QFile file(folder_.filePath("state.json"));
    if (process_.Running()) {
        file.remove();
        process_.RequestState();
        test::PumpUntil([&] { return file.exists(); }, kReplyMs);
    }
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("the simulator wrote no state file");
    std::map<int, ParameterStore> states;
    for (const QJsonValue unit : QJsonDocument::fromJson(file.readAll()).object().value("units").toArray())
        states[unit.toObject().value("address").toInt()] = StoreFromJson(unit.toObject().value("working").toObject());
    return states;
}

void SimulatorRun::Seed(int address, const ParameterStore& settings) {
    const size_t before = Frames().size();
    test::LineEnd line(process_.DevicePath());
    line.Write(WholeSettingsMessage(settings, address));
    const auto applied = [&] { return !Frames(before).empty() && Frames(before).back()["outcome"] == "applied"; };
    if (!test::PumpUntil(applied, kReplyMs)) throw std::runtime_error("the simulator did not take the seeded settings");
}

ParameterStore UnitSettings(int variant) {
    ParameterStore s{};
    InitDSPPremeter(s);
    for (const char* name : kCarried) {
        const StoreField& field = *FindStoreField(name);
        for (int i = 0; i < field.Count(); ++i)
            WriteStoreField(s, field, i, field.min + (97 * i + 31 * variant) % (field.max - field.min + 1));
    }
    // Not every value in range is a setting of these: equalizer types, the crossover lists'
    // codes, and ratios (above 20:1 the limiter's).
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        for (int b = 1; b <= kEqBandCount; ++b) s.EqType(ch, b) = std::array<int16_t, 3>{1, 4, 5}[(b + ch + variant) % 3];
        SetCrossoverListPosition(s, ch, kLowPassBand, 1 + (variant + 3 * ch) % 8);
        SetCrossoverListPosition(s, ch, kHighPassBand, 1 + (variant + 3 * ch + 3) % 8);
        s.CompRatio(ch) = static_cast<int16_t>(1 + variant + 3 * ch);
    }
    return s;
}

std::map<std::string, int> CarriedFields(const ParameterStore& store) {
    std::map<std::string, int> values;
    for (const char* name : kCarried) {
        const StoreField& field = *FindStoreField(name);
        for (int i = 0; i < field.Count(); ++i) values[ElementName(field, i)] = ReadStoreField(store, field, i);
    }
    return values;
}

EditorSession::EditorSession(const QString& devicePath) {
    qputenv("SONAVEL_COM1", devicePath.toLocal8Bit());
    window_ = std::make_unique<MainWindow>(port_, sleeper_);
    window_->SetMessageBox(
        [this](MessageIcon, const QString& title, const QString& text) { messages_ << title + ": " + text; });
    window_->show();
}

QStringList EditorSession::StatusTextsDuring(const std::function<void()>& action) {
    QStringList seen;
    const auto record = [&] {
        if (seen.isEmpty() || seen.back() != widgets().presetTitle->text()) seen << widgets().presetTitle->text();
    };
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, record);
    poll.start(2);
    action();
    record();
    if (seen.front().isEmpty()) seen.pop_front();
    return seen;
}

QStringList EditorSession::ChooseAddress(int address) {
    return StatusTextsDuring([&] {
        widgets().addresses->setCurrentIndex(address - 1);
        emit widgets().addresses->activated(address - 1);
    });
}

QStringList ReadTexts(int address, bool succeeds) {
    const QString started = QString("Recall UnitID: %1...").arg(address);
    return succeeds ? QStringList{started, started + "Flish", "Update...", ""} : QStringList{started, started + "Error"};
}

}  // namespace e2e
