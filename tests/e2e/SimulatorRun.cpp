#include "SimulatorRun.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <stdexcept>

#include "link/Messages.h"
#include "model/StoreFields.h"
#include "tests/support/LineEnd.h"

namespace e2e {

namespace {

constexpr int kReplyMs = 3000;

sonavel::ParameterStore StoreFromJson(const QJsonObject& working) {
    using namespace sonavel;
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

SimulatorRun::SimulatorRun(const QStringList& options) : process_(WithFiles(folder_, options)) {}

QStringList SimulatorRun::WithFiles(const QTemporaryDir& folder, const QStringList& options) {
    if (!folder.isValid()) throw std::runtime_error("no temporary folder for the simulator");
    return options + QStringList{"--log", folder.filePath("frames.log"), "--state", folder.filePath("state.json")};
}

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
    const QString path = folder_.filePath("state.json");
    if (process_.Running()) {
        QFile::remove(path);
        process_.RequestState();
        QElapsedTimer clock;
        clock.start();
        while (!QFile::exists(path) && clock.elapsed() < kReplyMs) QThread::msleep(10);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("the simulator wrote no state file");
    UnitStates states;
    for (const QJsonValue unit : QJsonDocument::fromJson(file.readAll()).object().value("units").toArray())
        states[unit.toObject().value("address").toInt()] = StoreFromJson(unit.toObject().value("working").toObject());
    return states;
}

void SimulatorRun::Seed(int address, const sonavel::ParameterStore& settings) {
    const sonavel::Bytes message = sonavel::WholeSettingsMessage(settings, address);
    const size_t framesBefore = Frames().size();
    sonavel::test::LineEnd line(process_.DevicePath());
    line.Write(message);
    QElapsedTimer clock;
    clock.start();
    while (Frames().size() == framesBefore && clock.elapsed() < kReplyMs) QThread::msleep(10);
    line.Close();
    const std::vector<LoggedFrame> frames = Frames();
    if (frames.size() == framesBefore || frames.back().outcome != "applied")
        throw std::runtime_error("the simulator did not take the seeded settings");
}

std::map<std::string, int> CarriedFields(const sonavel::ParameterStore& store) {
    using namespace sonavel;
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
