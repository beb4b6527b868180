#include "devsim/TcpLine.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace sonavel::devsim {

namespace {
constexpr char kInUse[] = "sonavel-devsim: the line is in use by another client\r\n";
}

TcpLine::TcpLine(uint16_t port) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener_ < 0) throw std::system_error(errno, std::generic_category(), "--tcp: opening a socket");
    const int yes = 1;
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener_, 4) != 0) {
        const int error = errno;
        close(listener_);
        throw std::system_error(error, std::generic_category(), "--tcp: listening on 127.0.0.1:" + std::to_string(port));
    }
    name_ = "tcp://127.0.0.1:" + std::to_string(port);
}

TcpLine::~TcpLine() {
    DropClient();
    close(listener_);
}

void TcpLine::AcceptWaiting() {
    const int incoming = accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (incoming < 0) return;
    if (client_ >= 0) {
        [[maybe_unused]] const ssize_t told = write(incoming, kInUse, sizeof kInUse - 1);
        close(incoming);
        return;
    }
    const int yes = 1;
    setsockopt(incoming, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);  // replies leave byte by byte, paced
    client_ = incoming;
}

void TcpLine::DropClient() {
    if (client_ >= 0) close(client_);
    client_ = -1;
}

}  // namespace sonavel::devsim
