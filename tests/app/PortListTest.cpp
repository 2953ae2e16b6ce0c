// The port list from a sysfs tree the test builds; no device is ever opened.
#include "app/PortList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace pellow {
namespace {

namespace fs = std::filesystem;

class PortListTest : public testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("pellow-sysfs-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "class" / "tty");
        fs::create_directories(root_ / "drivers");
    }
    void TearDown() override { fs::remove_all(root_); }

    // A tty; driver empty: no device/driver link (virtual consoles, ptys).
    void AddTty(const std::string& name, const std::string& driver) {
        const fs::path tty = root_ / "class" / "tty" / name;
        fs::create_directories(tty);
        if (driver.empty()) {
            return;
        }
        fs::create_directories(root_ / "drivers" / driver);
        fs::create_directories(tty / "device");
        fs::create_directory_symlink(root_ / "drivers" / driver, tty / "device" / "driver");
    }

    std::vector<std::string> List(const std::vector<std::string>& uartsPresent) {
        PortListSource source;
        source.SysClassTty = root_ / "class" / "tty";
        source.DevFolder = "/dev";
        source.UartExists = [&](const std::string& path) {
            probed_.push_back(path);
            return std::find(uartsPresent.begin(), uartsPresent.end(), path) != uartsPresent.end();
        };
        auto ports = ListSerialPorts(source);
        std::sort(ports.begin(), ports.end());
        return ports;
    }

    fs::path root_;
    std::vector<std::string> probed_;
};

TEST_F(PortListTest, DevicesWithDriversAndExisting8250Uarts) {
    AddTty("tty0", "");
    AddTty("ptmx", "");
    AddTty("ttyUSB0", "ftdi_sio");
    AddTty("ttyACM0", "cdc_acm");
    AddTty("ttyS0", "serial8250");
    AddTty("ttyS1", "serial8250");
    AddTty("ttyS2", "serial8250");
    AddTty("ttyAMA0", "uart-pl011");
    EXPECT_EQ(List({"/dev/ttyS1"}), (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyAMA0",
                                                              "/dev/ttyS1", "/dev/ttyUSB0"}));
    std::sort(probed_.begin(), probed_.end());
    EXPECT_EQ(probed_, (std::vector<std::string>{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2"}));
}

TEST_F(PortListTest, EmptyWhenThereAreNone) {
    AddTty("tty1", "");
    AddTty("ttyS0", "serial8250");
    EXPECT_TRUE(List({}).empty());
}

TEST_F(PortListTest, EmptyWhenTheClassFolderIsMissing) {
    PortListSource source;
    source.SysClassTty = root_ / "nothing";
    EXPECT_TRUE(ListSerialPorts(source).empty());
}

TEST_F(PortListTest, LoopbackComesAfterTheRealPortsAndStandsAloneWithoutThem) {
    PortListSource source;
    source.SysClassTty = root_ / "class" / "tty";
    source.UartExists = [](const std::string&) { return false; };
    EXPECT_EQ(ListPortsWithLoopback(source), std::vector<std::string>{"loop://"});

    AddTty("ttyUSB0", "ftdi_sio");
    EXPECT_EQ(ListPortsWithLoopback(source),
              (std::vector<std::string>{"/dev/ttyUSB0", "loop://"}));
}

} // namespace
} // namespace pellow
