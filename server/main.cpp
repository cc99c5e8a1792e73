// korvel-server: the remote methods on TCP (default port 9090), the web side (default port 8080),
// SQLite storage; --demo fills a new database with demo data and registers this computer.

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <algorithm>

#include <asio.hpp>

#include "platform/Identity.h"
#include "server/DemoData.h"
#include "server/Methods.h"
#include "server/NetworkFront.h"
#include "server/SqliteStorage.h"
#include "server/Web.h"

namespace {

const char* kUsage =
    "Kullanım: korvel-server [seçenekler]\n"
    "  --db PATH                 veritabanı dosyası (varsayılan: korvel.db)\n"
    "  --port N                  uzak metot portu (varsayılan: 9090; 0: boş bir port)\n"
    "  --web-port N              web portu (varsayılan: 8080; 0: boş bir port)\n"
    "  --host ADRES              dinlenen adres (varsayılan: 0.0.0.0)\n"
    "  --demo                    veritabanı boşsa demo verisi üretir, bu bilgisayarı DEMO kullanıcısına kaydeder\n"
    "  --parts N                 demo parça sayısı (varsayılan: 20000)\n"
    "  --register KULLANICI      bu bilgisayarın (ya da --computer-id ile verilenin) ID'sini kullanıcıya kaydeder\n"
    "  --computer-id ID          --register ile kaydedilecek bilgisayar ID'si\n"
    "  --print-computer-id       bu bilgisayarın ID'sini yazar ve çıkar\n"
    "  --installer PATH          /exe/KorvelSetup.exe olarak sunulacak dosya\n"
    "  --threads N               ağ iş parçacığı sayısı (varsayılan: 4)\n"
    "  --max-connections N       eş zamanlı bağlantı sınırı (varsayılan: 256)\n"
    "  --idle-timeout-ms N       çağrılar arası boşta bekleme süresi (varsayılan: 30000; el sıkışma ve\n"
    "                            yarım kalmış bir çerçeve için beklemeyi de sınırlar)\n"
    "  --quiet                   çağrı günlüğünü yazmaz\n";

struct Args {
    std::string db = "korvel.db", host = "0.0.0.0", installer, registerUser, computerId;
    int port = 9090, webPort = 8080, parts = 20000, threads = 4, maxConnections = 256, idleMs = 30000;
    bool demo = false, printId = false, quiet = false, help = false;
};

bool parse(int argc, char** argv, Args& a) {
    for (int i = 1; i < argc; ++i) {
        std::string k = argv[i];
        auto next = [&](std::string& out) {
            if (i + 1 >= argc) throw std::invalid_argument(k + " bir değer bekliyor");
            out = argv[++i];
        };
        auto nextInt = [&](int& out, int lo, int hi) {
            std::string v;
            next(v);
            char* end = nullptr;
            long n = std::strtol(v.c_str(), &end, 10);
            if (v.empty() || *end || n < lo || n > hi) throw std::invalid_argument(k + ": geçersiz sayı " + v);
            out = static_cast<int>(n);
        };
        if (k == "--db") next(a.db);
        else if (k == "--port") nextInt(a.port, 0, 65535);
        else if (k == "--web-port") nextInt(a.webPort, 0, 65535);
        else if (k == "--host") next(a.host);
        else if (k == "--demo") a.demo = true;
        else if (k == "--parts") nextInt(a.parts, 1, 5000000);
        else if (k == "--register") next(a.registerUser);
        else if (k == "--computer-id") next(a.computerId);
        else if (k == "--print-computer-id") a.printId = true;
        else if (k == "--installer") next(a.installer);
        else if (k == "--threads") nextInt(a.threads, 1, 256);
        else if (k == "--max-connections") nextInt(a.maxConnections, 1, 100000);
        else if (k == "--idle-timeout-ms") nextInt(a.idleMs, 100, 3600000);
        else if (k == "--quiet") a.quiet = true;
        else if (k == "--help" || k == "-h") a.help = true;
        else throw std::invalid_argument("bilinmeyen seçenek: " + k);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Args a;
    try {
        parse(argc, argv, a);
    } catch (const std::exception& e) {
        std::cerr << "korvel-server: " << e.what() << "\n" << kUsage;
        return 2;
    }
    if (a.help) {
        std::cout << kUsage;
        return 0;
    }
    if (a.printId) {
        std::cout << platform::BilgisayarIdBul() << '\n';
        return 0;
    }
    // Block the stop signals in every thread; the main thread waits for them below.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    try {
        if (a.demo) {
            server::DemoOptions o;
            o.parts = a.parts;
            auto r = server::generateDemoData(a.db, o);
            if (r.created)
                std::cerr << "demo: " << r.parts << " parça üretildi (" << r.seconds << " s)\n";
            else
                std::cerr << "demo: mevcut veritabanı korundu (" << r.parts << " parça)\n";
        }
        server::SqliteStorage storage(a.db);
        if (a.demo || !a.registerUser.empty()) {
            std::string user = a.registerUser.empty() ? "DEMO" : a.registerUser;
            std::string id = a.computerId.empty() ? platform::BilgisayarIdBul() : a.computerId;
            auto u = storage.userByName(user);
            if (!u) {
                std::cerr << "korvel-server: kullanıcı bulunamadı: " << user << '\n';
                return 1;
            }
            if (id.empty()) {
                std::cerr << "korvel-server: bilgisayar ID'si bulunamadı\n";
                return 1;
            }
            storage.bindComputer(id, u->id);
            std::cerr << "bilgisayar " << id << " -> " << user << " kaydedildi\n";
            if (!a.demo) return 0;
        }

        server::ServerMethods methods(storage, !a.quiet);
        server::FrontOptions fo;
        fo.host = a.host;
        fo.port = static_cast<std::uint16_t>(a.port);
        fo.threads = a.threads;
        fo.maxConnections = a.maxConnections;
        fo.idleTimeoutMs = a.idleMs;
        fo.handshakeTimeoutMs = std::min(fo.handshakeTimeoutMs, a.idleMs);
        fo.readTimeoutMs = std::min(fo.readTimeoutMs, a.idleMs);
        server::NetworkFront front(methods, fo);
        front.start();
        server::WebSite web(storage, a.installer, !a.quiet);
        if (!web.start(a.host, static_cast<std::uint16_t>(a.webPort))) {
            std::cerr << "korvel-server: web portu " << a.webPort << " kullanılamıyor\n";
            return 1;
        }
        // Machine-readable for tests and scripts: the ports actually bound.
        std::cerr << "listening port=" << front.port() << " web-port=" << web.port() << std::endl;

        int sig = 0;
        sigwait(&stopSignals, &sig);
        std::cerr << "korvel-server: " << (sig == SIGINT ? "SIGINT" : "SIGTERM") << " alındı, kapanıyor\n";
        front.stop();
        web.stop();
    } catch (const std::exception& e) {
        std::cerr << "korvel-server: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
