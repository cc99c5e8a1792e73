#include "platform/Identity.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace platform {

namespace fs = std::filesystem;

namespace {

// Two machines of the wholesaler share one registration on the server: their disk serials
// map to one fixed computer ID.
constexpr std::array<const char*, 2> kSharedDiskSerials = {"WD4CX8K2NT7N5QA", "S4EVNF0M613251K"};
constexpr const char* kSharedComputerId = "100420073306";

std::string trim(std::string s) {
    const auto blank = [](unsigned char c) { return c <= ' '; };
    while (!s.empty() && blank(static_cast<unsigned char>(s.back()))) s.pop_back();
    std::size_t start = 0;
    while (start < s.size() && blank(static_cast<unsigned char>(s[start]))) ++start;
    return s.substr(start);
}

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string readTrimmed(const fs::path& path) { return trim(readFile(path)); }

bool pathExists(const fs::path& p) {
    std::error_code ec;
    return fs::exists(p, ec);
}

bool isPhysicalDisk(const fs::path& dir) {
    const std::string name = dir.filename().string();
    // Optical and floppy drives have a device too but are no disks.
    if (name.rfind("sr", 0) == 0 || name.rfind("fd", 0) == 0) return false;
    if (!pathExists(dir / "device")) return false;  // loop, zram, dm-*, md* have none
    return readTrimmed(dir / "removable") != "1";
}

std::string serialFromUdev(const fs::path& udevDataDir, const std::string& majorMinor) {
    if (majorMinor.empty()) return {};
    std::istringstream lines(readFile(udevDataDir / ("b" + majorMinor)));
    const std::string key = "E:ID_SERIAL_SHORT=";
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(key, 0) == 0) return trim(line.substr(key.size()));
    return {};
}

// SCSI unit serial number page: 4 header bytes, the length in byte 3, then the serial.
std::string serialFromVpdPage(const fs::path& path) {
    const std::string page = readFile(path);
    if (page.size() < 4) return {};
    const std::size_t len = static_cast<unsigned char>(page[3]);
    return trim(page.substr(4, std::min(len, page.size() - 4)));
}

std::string hexByte(unsigned value) {
    static const char digits[] = "0123456789ABCDEF";
    return {digits[(value >> 4) & 0xF], digits[value & 0xF]};
}

// "aa:bb:cc:dd:ee:ff" -> "AA-BB-CC-DD-EE-FF"; empty unless exactly six bytes.
std::string formatAddress(const std::string& sysfsAddress) {
    std::string out;
    int bytes = 0;
    std::istringstream in(sysfsAddress);
    for (std::string part; std::getline(in, part, ':');) {
        if (part.empty() || part.size() > 2) return {};
        unsigned value = 0;
        for (char c : part) {
            if (!std::isxdigit(static_cast<unsigned char>(c))) return {};
            value = value * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c))
                                                          ? c - '0'
                                                          : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10);
        }
        if (bytes++) out += '-';
        out += hexByte(value);
    }
    return bytes == 6 ? out : std::string();
}

constexpr const char* kZeroAddress = "00-00-00-00-00-00";

std::string safely(const std::function<std::string()>& reading) {
    if (!reading) return {};
    try {
        return reading();
    } catch (...) {
        return {};
    }
}

}  // namespace

std::string diskSerialFrom(const std::string& sysBlockDir, const std::string& udevDataDir) {
    std::vector<fs::path> disks;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(sysBlockDir, ec))
        if (isPhysicalDisk(entry.path())) disks.push_back(entry.path());
    if (disks.empty()) return {};
    std::sort(disks.begin(), disks.end());
    const fs::path& disk = disks.front();
    std::string serial = serialFromUdev(udevDataDir, readTrimmed(disk / "dev"));
    if (serial.empty()) serial = readTrimmed(disk / "device" / "serial");
    if (serial.empty()) serial = readTrimmed(disk / "serial");  // virtio
    if (serial.empty()) serial = serialFromVpdPage(disk / "device" / "vpd_pg80");
    return upper(serial);
}

std::vector<std::string> adapterAddressesFrom(const std::string& sysNetDir) {
    struct Adapter {
        bool physical;
        long index;
        std::string address;
    };
    std::vector<Adapter> adapters;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(sysNetDir, ec)) {
        const fs::path& dir = entry.path();
        const std::string type = readTrimmed(dir / "type");
        if (type == "772") continue;  // loopback
        const std::string flags = readTrimmed(dir / "flags");
        if (!flags.empty() && (std::strtoul(flags.c_str(), nullptr, 0) & 0x8)) continue;  // IFF_LOOPBACK
        std::string address = formatAddress(readTrimmed(dir / "address"));
        if (address.empty()) continue;
        adapters.push_back({pathExists(dir / "device"), std::strtol(readTrimmed(dir / "ifindex").c_str(), nullptr, 10),
                            std::move(address)});
    }
    std::sort(adapters.begin(), adapters.end(), [](const Adapter& a, const Adapter& b) {
        if (a.physical != b.physical) return a.physical;
        return a.index < b.index;
    });
    std::vector<std::string> out;
    for (auto& a : adapters) out.push_back(std::move(a.address));
    return out;
}

std::string pickAdapterAddress(const std::vector<std::string>& addresses) {
    std::string value;
    for (const auto& address : addresses) {
        value = address;
        if (value != kZeroAddress) break;
    }
    return value;
}

std::string DiskSeriNoAl() { return diskSerialFrom("/sys/block", "/run/udev/data"); }

std::string MacAdresiAl() { return pickAdapterAddress(adapterAddressesFrom("/sys/class/net")); }

std::string BilgisayarAdiAl() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

std::string KullaniciAdiAl() {
    std::array<char, 4096> buffer{};
    passwd pw{};
    passwd* result = nullptr;
    if (getpwuid_r(getuid(), &pw, buffer.data(), buffer.size(), &result) == 0 && result && result->pw_name)
        return result->pw_name;
    char login[256] = {};
    if (getlogin_r(login, sizeof login - 1) == 0) return login;
    return {};
}

std::string IcIpAl() {
    const std::string fallback = "127.0.0.1";
    const std::string host = BilgisayarAdiAl();
    if (host.empty()) return fallback;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* answer = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &answer) != 0 || !answer) return fallback;
    std::string out = fallback;
    char text[INET_ADDRSTRLEN] = {};
    const auto* in = reinterpret_cast<const sockaddr_in*>(answer->ai_addr);
    if (inet_ntop(AF_INET, &in->sin_addr, text, sizeof text)) out = text;
    freeaddrinfo(answer);
    return out;
}

std::string deriveComputerId(const std::function<std::string()>& diskSerial,
                             const std::function<std::string()>& adapterAddress) {
    std::string value = trim(safely(diskSerial));
    if (value.empty()) value = trim(safely(adapterAddress));
    value.erase(std::remove(value.begin(), value.end(), ' '), value.end());
    for (const char* shared : kSharedDiskSerials)
        if (value == shared) return kSharedComputerId;
    return value;
}

std::string BilgisayarIdBul() { return deriveComputerId(DiskSeriNoAl, MacAdresiAl); }

}  // namespace platform
