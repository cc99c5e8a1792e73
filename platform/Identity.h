#pragma once
// Machine identity on Linux: disk serial, adapter address, computer and user names, local IP,
// and the computer ID the server knows this machine by. Free of Qt (the server uses it too).

#include <functional>
#include <string>
#include <vector>

namespace platform {

std::string DiskSeriNoAl();       // serial of the first physical disk, upper-case; empty when unknown
std::string MacAdresiAl();        // first adapter with a non-zero address, "XX-XX-XX-XX-XX-XX"; empty when none
std::string BilgisayarAdiAl();    // host name
std::string KullaniciAdiAl();     // login user name
std::string IcIpAl();             // first IPv4 address the host name resolves to; "127.0.0.1" when none
std::string BilgisayarIdBul();    // the computer ID

// The derivation behind BilgisayarIdBul, with the machine's readings passed in (testable).
// diskSerial may throw; adapters are read in order and stop at the first non-zero address.
std::string deriveComputerId(const std::function<std::string()>& diskSerial,
                             const std::function<std::string()>& adapterAddress);
// Picks the adapter address: the first of the list that is not all zeros, else the last tried.
std::string pickAdapterAddress(const std::vector<std::string>& addresses);

}  // namespace platform
