#pragma once
// The simulated line offered on a TCP port of 127.0.0.1 instead of a pseudo-terminal, as a
// raw byte stream: one client at a time; a second one is told that the line is in use and
// closed.
#include <cstdint>
#include <string>

namespace sonavel::devsim {

class TcpLine {
public:
    // Listens on 127.0.0.1:port; throws std::system_error (port taken, ...).
    explicit TcpLine(uint16_t port);
    ~TcpLine();
    TcpLine(const TcpLine&) = delete;
    TcpLine& operator=(const TcpLine&) = delete;

    // The port name the programs use: tcp://127.0.0.1:PORT.
    const std::string& Name() const { return name_; }
    int ListenFd() const { return listener_; }
    // The connected client, non-blocking; -1 while there is none.
    int ClientFd() const { return client_; }

    // Takes a waiting connection as the client, or refuses it while there is one.
    void AcceptWaiting();
    // The client went away or the line is hung up: the next connection is taken.
    void DropClient();

private:
    int listener_ = -1;
    int client_ = -1;
    std::string name_;
};

}  // namespace sonavel::devsim
