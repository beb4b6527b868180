#include "SimulatorRun.h"

#include <fcntl.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <stdexcept>

#include "link/Messages.h"
#include "model/StoreFields.h"

namespace e2e {

namespace {

constexpr int kStartMs = 5000;
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

SimulatorRun::SimulatorRun(const QStringList& options) {
    if (!folder_.isValid()) throw std::runtime_error("no temporary folder for the simulator");
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(DEVSIM_PROGRAM, options + QStringList{"--log", folder_.filePath("frames.log"), "--state",
                                                        folder_.filePath("state.json")});
    if (!process_.waitForStarted(kStartMs)) throw std::runtime_error("the simulator did not start");
    QElapsedTimer clock;
    clock.start();
    while (!process_.canReadLine() && clock.elapsed() < kStartMs) process_.waitForReadyRead(100);
    devicePath_ = QString::fromUtf8(process_.readLine()).trimmed();
    if (devicePath_.isEmpty()) throw std::runtime_error("the simulator printed no device path");
}

SimulatorRun::~SimulatorRun() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.kill();
    process_.waitForFinished(kStartMs);
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
    if (process_.state() == QProcess::Running) {
        QFile::remove(path);
        ::kill(static_cast<pid_t>(process_.processId()), SIGUSR1);
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
    const int fd = ::open(devicePath_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (fd < 0) throw std::runtime_error("cannot open the simulated line");
    termios mode{};
    tcgetattr(fd, &mode);
    cfmakeraw(&mode);
    tcsetattr(fd, TCSANOW, &mode);
    const bool written = ::write(fd, message.data(), message.size()) == static_cast<ssize_t>(message.size());
    QElapsedTimer clock;
    clock.start();
    while (written && Frames().size() == framesBefore && clock.elapsed() < kReplyMs) QThread::msleep(10);
    ::close(fd);
    const std::vector<LoggedFrame> frames = Frames();
    if (!written || frames.size() == framesBefore || frames.back().outcome != "applied")
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
