#include "link/QtNetworkLine.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace sonavel {

namespace {

// A server on the same network answers a connection in milliseconds; one that has not
// answered after this long is taken as unreachable.
constexpr int kConnectTimeoutMs = 3000;
// A server that serves the line speaks the com-port option within milliseconds; the line is
// used without that sign after this.
constexpr int kNegotiationWaitMs = 500;
// A server that turns a client away does so at once; one that keeps the connection this
// long has taken it.
constexpr int kTurnAwayWaitMs = 100;
constexpr int kRetryPauseMs = 100;
// A whole settings dump needs 126 ms at 9600 bit/s; the network takes it at once.
constexpr int kWriteTimeoutMs = 2000;

// The text a server sent, on one line, without control characters.
std::string PrintableText(const Bytes& bytes) {
    std::string text;
    for (uint8_t byte : bytes)
        if (byte >= 0x20 && byte < 0x7F) text += static_cast<char>(byte);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::string Describe(QAbstractSocket::SocketError error, const QString& detail) {
    switch (error) {
        case QAbstractSocket::ConnectionRefusedError: return "the connection was refused";
        case QAbstractSocket::RemoteHostClosedError: return "the server closed the connection";
        case QAbstractSocket::HostNotFoundError: return "the host was not found";
        default: return detail.toStdString();
    }
}

}  // namespace

QtNetworkLine::QtNetworkLine() {
    QObject::connect(&socket_, &QAbstractSocket::connected, &socket_, [this] {
        socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);  // every message leaves at once
        if (telnet_) Send(telnet_->Opening());
    });
    QObject::connect(&socket_, &QTcpSocket::readyRead, &socket_, [this] { ReadArrived(); });
    QObject::connect(&socket_, &QAbstractSocket::errorOccurred, &socket_,
                     [this](QAbstractSocket::SocketError error) { Lose(Describe(error, socket_.errorString())); });
    QObject::connect(&socket_, &QAbstractSocket::disconnected, &socket_,
                     [this] { Lose(Describe(QAbstractSocket::RemoteHostClosedError, {})); });
}

QtNetworkLine::~QtNetworkLine() {
    // No callbacks into a half-destroyed owner while the connection shuts down.
    QObject::disconnect(&socket_, nullptr, &socket_, nullptr);
    socket_.abort();
}

// A server that turns a client away (its line is in use, or still being freed after the
// previous connection of this port) accepts the connection and closes it again, often after
// a line of text; the connection is tried again until the time is up.
PortStatus QtNetworkLine::Open(const NetworkPortName& name) {
    Close();
    name_ = name;
    const int generation = generation_;  // a Close from a timer while waiting ends the open
    QElapsedTimer clock;
    clock.start();
    std::string failure = Attempt(kConnectTimeoutMs);
    while (!failure.empty() && turnedAway_ && generation_ == generation &&
           clock.elapsed() + kRetryPauseMs < kConnectTimeoutMs) {
        WaitUntil([] { return false; }, kRetryPauseMs);
        if (generation_ == generation) failure = Attempt(static_cast<int>(kConnectTimeoutMs - clock.elapsed()));
    }
    if (generation_ != generation) {
        Close();
        return {false, name_.Text() + ": closed before the connection was made"};
    }
    if (failure.empty()) return {};
    return {false, name_.Text() + ": " + failure};
}

std::string QtNetworkLine::Attempt(int timeoutMs) {
    telnet_.reset();
    if (name_.protocol == NetworkProtocol::Rfc2217) telnet_.emplace();
    received_.clear();
    opening_ = true;
    turnedAway_ = false;
    openFailure_.clear();
    socket_.connectToHost(QString::fromStdString(name_.host), name_.port);
    const bool connected = WaitUntil([this] { return socket_.state() == QAbstractSocket::ConnectedState ||
                                                     socket_.state() == QAbstractSocket::UnconnectedState; },
                                     timeoutMs) &&
                           socket_.state() == QAbstractSocket::ConnectedState;
    if (connected) {
        open_ = true;
        if (telnet_) WaitUntil([this] { return !open_ || telnet_->LineServed(); }, kNegotiationWaitMs);
        // A server that sent a com-port answer or notification has taken the connection. A raw
        // stream gives no such sign, and a busy server may agree to the com-port option before
        // it turns the client away, so without it the line is watched a little longer.
        if (!telnet_ || !telnet_->LineServed()) WaitUntil([this] { return !open_; }, kTurnAwayWaitMs);
        turnedAway_ = !open_;
    } else if (openFailure_.empty()) {
        openFailure_ = "no answer within " + std::to_string(kConnectTimeoutMs / 1000) + " s";
    }
    opening_ = false;
    // A unit speaks only when asked, so nothing received so far is line data: a server
    // that turns the client away says why.
    const std::string said = PrintableText(std::exchange(received_, {}));
    if (open_) return {};
    socket_.abort();
    if (openFailure_.empty()) openFailure_ = "closed before the connection was made";
    return said.empty() ? openFailure_ : openFailure_ + " (\"" + said + "\")";
}

void QtNetworkLine::Close() {
    open_ = false;
    ++generation_;
    received_.clear();
    if (socket_.state() == QAbstractSocket::UnconnectedState) return;
    socket_.disconnectFromHost();
    if (socket_.state() != QAbstractSocket::UnconnectedState) socket_.abort();
}

void QtNetworkLine::Write(const Bytes& data) {
    if (!open_ || data.empty()) return;
    Send(telnet_ ? TelnetComPort::Escape(data) : data);
}

void QtNetworkLine::Send(const Bytes& wire) {
    socket_.write(reinterpret_cast<const char*>(wire.data()), static_cast<qint64>(wire.size()));
    socket_.flush();
    if (socket_.bytesToWrite() > 0) socket_.waitForBytesWritten(kWriteTimeoutMs);
}

Bytes QtNetworkLine::TakeReceived() { return std::exchange(received_, {}); }

void QtNetworkLine::ReadArrived() {
    const QByteArray chunk = socket_.readAll();
    Bytes bytes(chunk.begin(), chunk.end());
    if (telnet_) {
        TelnetComPort::Taken taken = telnet_->Take(bytes);
        if (!taken.answer.empty()) Send(taken.answer);
        bytes = std::move(taken.data);
    }
    if (bytes.empty()) return;
    received_.insert(received_.end(), bytes.begin(), bytes.end());
    if (OnData && !opening_) OnData();
}

void QtNetworkLine::Lose(const std::string& reason) {
    if (opening_ && openFailure_.empty()) openFailure_ = reason;
    if (!open_) return;
    open_ = false;
    if (opening_) return;  // Open reports it
    received_.clear();
    socket_.abort();
    // Reported from the event loop: the break is often noticed inside a write, in the middle
    // of a sender.
    QTimer::singleShot(0, &socket_, [this, generation = generation_, text = name_.Text() + ": " + reason] {
        if (generation == generation_ && OnLost) OnLost(text);
    });
}

bool QtNetworkLine::WaitUntil(const std::function<bool()>& done, int milliseconds) {
    if (done()) return true;
    QEventLoop loop;
    const auto check = [&] {
        if (done()) loop.quit();
    };
    QObject::connect(&socket_, &QAbstractSocket::stateChanged, &loop, check);
    QObject::connect(&socket_, &QTcpSocket::readyRead, &loop, check);
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return done();
}

}  // namespace sonavel
