// The simulator's line on a TCP port: served to one client at a time, a second one refused.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "RunningSimulator.h"
#include "devsim/Options.h"
#include "tests/support/LoopbackPorts.h"

using devsim_test::RunningSimulator;
using sonavel::Bytes;

namespace {

sockaddr_in Loopback(uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

struct Client {
    explicit Client(uint16_t port) : fd(socket(AF_INET, SOCK_STREAM, 0)) {
        const sockaddr_in address = Loopback(port);
        connected = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    ~Client() { close(fd); }
    // What arrives within the time, up to the other side's close.
    std::string Read(size_t count, int timeoutMs) const {
        std::string got;
        for (pollfd p{fd, POLLIN, 0}; got.size() < count && poll(&p, 1, timeoutMs) > 0;) {
            char buffer[256];
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n <= 0) break;
            got.append(buffer, static_cast<size_t>(n));
        }
        return got;
    }
    int fd;
    bool connected = false;
};

const std::string kQuery5("\x01\x20\x03\x40\x09\x0B\x05\x05\x60", 9);
const std::string kReply5("\x01\x20\x03\x40\x09\x01\x05\x05\x60", 9);

}  // namespace

TEST(SimulatorOnTcp, ServesOneClientAtATime) {
    const uint16_t port = sonavel::test::FreeLoopbackPort();
    RunningSimulator sim(sonavel::devsim::ParseOptions({"--units", "5", "--tcp", std::to_string(port)}));
    EXPECT_EQ(sim.DevicePath(), "tcp://127.0.0.1:" + std::to_string(port));
    {
        Client first(port);
        ASSERT_TRUE(first.connected);
        ASSERT_EQ(write(first.fd, kQuery5.data(), kQuery5.size()), ssize_t(kQuery5.size()));
        EXPECT_EQ(first.Read(kReply5.size(), 1000), kReply5);

        Client second(port);
        EXPECT_EQ(second.Read(100, 1000), "sonavel-devsim: the line is in use by another client\r\n");
    }
    Client next(port);
    ASSERT_EQ(write(next.fd, kQuery5.data(), kQuery5.size()), ssize_t(kQuery5.size()));
    EXPECT_EQ(next.Read(kReply5.size(), 1000), kReply5);
}

TEST(SimulatorOnTcp, HasNoDeviceToLinkOrReplug) {
    EXPECT_THROW(sonavel::devsim::ParseOptions({"--tcp", "4000", "--link", "/tmp/x"}), sonavel::devsim::OptionError);
    EXPECT_THROW(sonavel::devsim::ParseOptions({"--tcp", "0"}), sonavel::devsim::OptionError);
}
