#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/Identity.h"

namespace fs = std::filesystem;

namespace {

std::function<std::string()> gives(std::string value) {
    return [value] { return value; };
}
std::function<std::string()> fails() {
    return []() -> std::string { throw std::runtime_error("no management service"); };
}

TEST(ComputerId, DerivedFromDiskSerialOrAdapter) {
    const struct {
        const char* what;
        std::function<std::string()> disk;
        std::function<std::string()> adapter;
        std::string id;
    } cases[] = {
        {"serial with inner spaces", gives("  WD-WX 41 A8 C3  "), gives("00-11-22-33-44-55"), "WD-WX41A8C3"},
        {"blank serial", gives("   "), gives("00-11-22-33-44-55"), "00-11-22-33-44-55"},
        {"empty serial", gives(""), gives(" 0A-1B-2C-3D-4E-5F "), "0A-1B-2C-3D-4E-5F"},
        {"serial fails", fails(), gives("0A-1B-2C-3D-4E-5F"), "0A-1B-2C-3D-4E-5F"},
        {"both fail", fails(), fails(), ""},
        {"no adapter", gives(""), gives(""), ""},
        {"first shared serial", gives("WD4CX8K2NT7N5QA"), gives("0A-1B-2C-3D-4E-5F"), "100420073306"},
        {"second shared serial", gives("S4EVNF0M613251K"), gives(""), "100420073306"},
        {"shared serial with spaces", gives(" S4EV NF0M 6132 51K "), gives(""), "100420073306"},
        {"other serial stays", gives("S4EVNF0M613251X"), gives(""), "S4EVNF0M613251X"},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::deriveComputerId(c.disk, c.adapter), c.id) << c.what;
}

TEST(AdapterAddress, NextAdapterOnlyWhileAllZeros) {
    using V = std::vector<std::string>;
    const std::string zero = "00-00-00-00-00-00";
    EXPECT_EQ(platform::pickAdapterAddress(V{zero, "02-FC-00-00-00-01", "AA-BB-CC-DD-EE-FF"}), "02-FC-00-00-00-01");
    EXPECT_EQ(platform::pickAdapterAddress(V{"AA-BB-CC-DD-EE-FF", "02-FC-00-00-00-01"}), "AA-BB-CC-DD-EE-FF");
    EXPECT_EQ(platform::pickAdapterAddress(V{zero, zero}), zero);
    EXPECT_EQ(platform::pickAdapterAddress(V{}), "");
}

// A small fake of the system folders the readers look at.
class FakeSystem : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("korvel-identity-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }

    void write(const fs::path& rel, const std::string& text) {
        fs::create_directories((root / rel).parent_path());
        std::ofstream(root / rel, std::ios::binary) << text;
    }
    void disk(const std::string& name, const std::string& dev, bool physical = true, bool removable = false) {
        write("block/" + name + "/dev", dev + "\n");
        write("block/" + name + "/removable", removable ? "1\n" : "0\n");
        if (physical) fs::create_directories(root / "block" / name / "device");
    }
    void adapter(const std::string& name, int index, const std::string& address, int type = 1, bool physical = true) {
        write("net/" + name + "/address", address + "\n");
        write("net/" + name + "/ifindex", std::to_string(index) + "\n");
        write("net/" + name + "/type", std::to_string(type) + "\n");
        write("net/" + name + "/flags", type == 772 ? "0x9\n" : "0x1003\n");
        if (physical) fs::create_directories(root / "net" / name / "device");
    }
    std::string serial() { return platform::diskSerialFrom((root / "block").string(), (root / "udev").string()); }
    std::vector<std::string> adapters() { return platform::adapterAddressesFrom((root / "net").string()); }

    fs::path root;
};

TEST_F(FakeSystem, DiskSerialOfTheFirstPhysicalDiskUpperCase) {
    disk("loop0", "7:0", false);
    disk("sr0", "11:0");
    disk("sdb", "8:16");
    disk("sda", "8:0");
    write("block/sda/device/serial", "  wd-wcc4e1234567 \n");
    write("block/sdb/device/serial", "OTHER\n");
    EXPECT_EQ(serial(), "WD-WCC4E1234567");
}

TEST_F(FakeSystem, DiskSerialPrefersUdevThenFallsBack) {
    disk("nvme0n1", "259:0");
    write("block/nvme0n1/device/serial", "FROMSYSFS\n");
    write("udev/b259:0", "S:disk/by-id/nvme-x\nE:ID_SERIAL=Samsung_SSD_S4EV\nE:ID_SERIAL_SHORT=s4evnf0m\n");
    EXPECT_EQ(serial(), "S4EVNF0M");
    fs::remove(root / "udev/b259:0");
    EXPECT_EQ(serial(), "FROMSYSFS");
}

TEST_F(FakeSystem, DiskSerialFromVirtioAndVpdPage) {
    disk("vda", "254:0");
    write("block/vda/serial", "virt-01\n");
    EXPECT_EQ(serial(), "VIRT-01");
    fs::remove(root / "block/vda/serial");
    write("block/vda/device/vpd_pg80", std::string("\x00\x80\x00\x06", 4) + " ab12 ");
    EXPECT_EQ(serial(), "AB12");
}

TEST_F(FakeSystem, NoDiskOrNoSerialGivesEmpty) {
    EXPECT_EQ(serial(), "");
    disk("zram0", "252:0", false);
    disk("sdc", "8:32", true, true);  // removable
    write("block/sdc/device/serial", "USBSTICK\n");
    EXPECT_EQ(serial(), "");
    disk("sda", "8:0");
    EXPECT_EQ(serial(), "");  // the first disk has no serial: no other disk is asked
}

TEST_F(FakeSystem, AdaptersSkipLoopbackAndOddAddresses) {
    adapter("lo", 1, "00:00:00:00:00:00", 772, false);
    adapter("ifb0", 2, "6a:b2:4a:bf:84:b5", 1, false);
    adapter("eth1", 5, "02:fc:00:00:00:02");
    adapter("eth0", 4, "00:00:00:00:00:00");
    adapter("ip6tnl0", 6, "00:00:00:00:00:00:00:00:00:00:00:00:00:00:00:00", 769, false);
    const std::vector<std::string> expected = {"00-00-00-00-00-00", "02-FC-00-00-00-02", "6A-B2-4A-BF-84-B5"};
    EXPECT_EQ(adapters(), expected);
    // The all-zero first adapter gives way to the second.
    EXPECT_EQ(platform::pickAdapterAddress(adapters()), "02-FC-00-00-00-02");
}

TEST(Identity, ReadsThisMachine) {
    EXPECT_FALSE(platform::BilgisayarAdiAl().empty());
    EXPECT_FALSE(platform::KullaniciAdiAl().empty());
    const std::string ip = platform::IcIpAl();
    int dots = 0;
    for (char c : ip) dots += c == '.';
    EXPECT_EQ(dots, 3) << ip;
    const std::string mac = platform::MacAdresiAl();
    if (!mac.empty()) {
        EXPECT_EQ(mac.size(), 17u) << mac;
    }
    const std::string serial = platform::DiskSeriNoAl();
    for (char c : serial) EXPECT_FALSE(c >= 'a' && c <= 'z') << serial;
    EXPECT_EQ(platform::BilgisayarIdBul().find(' '), std::string::npos);
}

}  // namespace
