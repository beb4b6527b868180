#include <gtest/gtest.h>

#include <cstdlib>

#include "link/SerialPort.h"

using namespace sonavel;

TEST(PortNames, NumbersArgumentsAndDevices) {
    ::unsetenv("SONAVEL_COM4");
    EXPECT_EQ(DeviceNameForPort(4), "/dev/ttyS3");
    EXPECT_EQ(DeviceNameForPort(0), "");

    EXPECT_EQ(ParsePortArgument("COM3").number, 3);
    EXPECT_EQ(ParsePortArgument("com12").number, 12);
    EXPECT_EQ(ParsePortArgument("7").number, 7);
    const PortArgument path = ParsePortArgument("/dev/ttyUSB0");
    EXPECT_EQ(path.number, 0);
    EXPECT_EQ(path.devicePath, "/dev/ttyUSB0");
    for (const char* bad : {"", "COM", "COM0", "COM13", "0", "13", "COMx", "3a", "-1", "99999999999"})
        EXPECT_THROW(ParsePortArgument(bad), std::invalid_argument) << bad;
}
