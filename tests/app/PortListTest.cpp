// The port list from a sysfs tree the test builds; no device is ever opened.
#include "app/posix/SysfsPortList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

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

    // A tty; driver empty: no device/driver link (virtual consoles, ptys). uartType: the
    // content of the sysfs type file of an 8250 port, none when empty.
    void AddTty(const std::string& name, const std::string& driver,
                const std::string& uartType = {}) {
        const fs::path tty = root_ / "class" / "tty" / name;
        fs::create_directories(tty);
        if (!uartType.empty()) {
            std::ofstream(tty / "type") << uartType;
        }
        if (driver.empty()) {
            return;
        }
        fs::create_directories(root_ / "drivers" / driver);
        fs::create_directories(tty / "device");
        fs::create_directory_symlink(root_ / "drivers" / driver, tty / "device" / "driver");
    }

    PortListSource Source() const { return {root_ / "class" / "tty", root_ / "dev"}; }

    std::vector<std::string> List() {
        auto ports = ListSysfsPorts(Source());
        std::sort(ports.begin(), ports.end());
        return ports;
    }

    fs::path root_;
};

TEST_F(PortListTest, DevicesWithDriversAnd8250UartsTheKernelFound) {
    AddTty("tty0", "");
    AddTty("ptmx", "");
    AddTty("ttyUSB0", "ftdi_sio");
    AddTty("ttyACM0", "cdc_acm");
    AddTty("ttyS0", "serial8250", "0\n"); // PORT_UNKNOWN: no UART behind it
    AddTty("ttyS1", "serial8250", "4\n");
    AddTty("ttyS2", "serial8250");
    AddTty("ttyAMA0", "uart-pl011");
    // The node of ttyS1 as a user outside dialout sees it: it cannot be opened, and the
    // port is listed all the same.
    fs::create_directories(root_ / "dev");
    std::ofstream(root_ / "dev" / "ttyS1").close();
    fs::permissions(root_ / "dev" / "ttyS1", fs::perms::none);
    const std::string dev = (root_ / "dev").string();
    EXPECT_EQ(List(), (std::vector<std::string>{dev + "/ttyACM0", dev + "/ttyAMA0",
                                                dev + "/ttyS1", dev + "/ttyUSB0"}));
}

TEST_F(PortListTest, EmptyWhenThereAreNone) {
    AddTty("tty1", "");
    AddTty("ttyS0", "serial8250", "0\n");
    EXPECT_TRUE(List().empty());
}

TEST_F(PortListTest, EmptyWhenTheClassFolderIsMissing) {
    PortListSource source;
    source.SysClassTty = root_ / "nothing";
    EXPECT_TRUE(ListSysfsPorts(source).empty());
}

} // namespace
} // namespace pellow
