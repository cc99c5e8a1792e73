#pragma once
// Machine identity on Linux: disk serial, adapter address, computer and user names, local IP,
// and the computer ID the server knows this machine by. Free of Qt (the server uses it too).

#include <functional>
#include <string>
#include <vector>

namespace platform {

std::string DiskSeriNoAl();       // serial of the first physical disk, upper-case; empty when unknown
std::string MacAdresiAl();        // first adapter with a non-zero address, "XX-XX-XX-XX-XX-XX"; empty when none
std::string BilgisayarAdiAl();    // host name; empty when the system cannot tell
std::string KullaniciAdiAl();     // login user name; empty when the system cannot tell
std::string IcIpAl();             // first IPv4 address the host name resolves to; "127.0.0.1" when none
std::string BilgisayarIdBul();    // the computer ID

// The derivation behind BilgisayarIdBul, with the machine's readings passed in (testable).
// Either reading may throw; a throwing reading counts as empty.
std::string deriveComputerId(const std::function<std::string()>& diskSerial,
                             const std::function<std::string()>& adapterAddress);
// Picks the adapter address from the adapters in enumeration order: the next adapter is tried
// only while the value so far is all zeros. Empty when there are no adapters.
std::string pickAdapterAddress(const std::vector<std::string>& addresses);

// Readers behind DiskSeriNoAl and MacAdresiAl with the system folders passed in, so a test can
// point them at a small fake tree. sysBlockDir is like "/sys/block", udevDataDir like
// "/run/udev/data", sysNetDir like "/sys/class/net".
std::string diskSerialFrom(const std::string& sysBlockDir, const std::string& udevDataDir);
// Adapter addresses as "XX-XX-XX-XX-XX-XX": loopback and non-Ethernet-sized addresses left out;
// adapters backed by a device first, each group by interface index.
std::vector<std::string> adapterAddressesFrom(const std::string& sysNetDir);

}  // namespace platform
