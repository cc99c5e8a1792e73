// The real korvel-server program on a temporary database, spoken to over loopback: the network
// front, the web side, bad peers, shutdown, and a kill while orders are being saved.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "ServerProcess.h"
#include "platform/Identity.h"
#include "server/Sql.h"
#include "session/records/Records.h"
#include "wire/Client.h"
#include "wire/Codec.h"

using wire::Value;

namespace {

std::filesystem::path tempDir() {
    char tmpl[] = "/tmp/korvel-process-XXXXXX";
    return mkdtemp(tmpl);
}

struct Remote {
    std::uint16_t port;
    wire::Answer call(const std::string& method, std::vector<Value> params) const {
        wire::Client c;  // a fresh connection per call, as the client does
        c.connect(wire::Endpoint{"127.0.0.1", port, 5000, 20000});
        auto a = c.call(wire::Call{"TServerMethods1." + method, std::move(params)});
        c.close();
        return a;
    }
    Value ok(const std::string& method, std::vector<Value> params) const {
        auto a = call(method, std::move(params));
        EXPECT_TRUE(a.ok) << method << ": " << a.error;
        return a.ok ? a.values.back() : Value();
    }
};

int rawConnect(std::uint16_t port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        close(fd);
        return -1;
    }
    timeval tv{10, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    return fd;
}

// Reads until the peer closes (or 10 s pass); returns what arrived and whether it closed.
std::pair<std::string, bool> readUntilClosed(int fd) {
    std::string got;
    char buf[4096];
    for (;;) {
        ssize_t n = recv(fd, buf, sizeof buf, 0);
        if (n == 0) return {got, true};
        if (n < 0) return {got, false};
        got.append(buf, static_cast<std::size_t>(n));
    }
}

class Process : public ::testing::Test {
protected:
    static inline std::filesystem::path dir;
    static inline std::unique_ptr<ServerProcess> server;

    static void SetUpTestSuite() {
        dir = tempDir();
        std::ofstream(dir / "setup.exe", std::ios::binary) << std::string("MZ\x90\0installer bytes", 20);
        std::string db = (dir / "k.db").string();
        server = std::make_unique<ServerProcess>(std::vector<std::string>{
            "--db", db, "--demo", "--parts", "3000", "--port", "0", "--web-port", "0", "--host", "127.0.0.1",
            "--installer", (dir / "setup.exe").string(), "--idle-timeout-ms", "700"});
    }
    static void TearDownTestSuite() {
        server.reset();
        std::filesystem::remove_all(dir);
    }
    Remote remote() const { return Remote{server->port}; }
};

}  // namespace

TEST_F(Process, DemoRegistersThisComputerAndTheLoginFindsIt) {
    auto s = TSonucBilgisi::fromJson(remote().ok("BuyukGetir", {Value::text(platform::BilgisayarIdBul())}).asObject());
    EXPECT_TRUE(s.Varmi());
    EXPECT_EQ(s.ADI(), "DEMO");
    EXPECT_EQ(s.Version(), 3);
}

TEST_F(Process, EveryCallIsLoggedWithoutPasswords) {
    remote().ok("BuyukGetir", {Value::text(platform::BilgisayarIdBul())});
    remote().call("SepetVer2", {Value::text("x")});
    // The line is written before the answer; give the reader thread time to collect it.
    std::string log;
    for (int k = 0; k < 200 && log.find("error: SepetVer2") == std::string::npos; ++k) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        log = server->log();
    }
    EXPECT_NE(log.find("call TServerMethods1.BuyukGetir"), std::string::npos);
    EXPECT_NE(log.find(" ms ok"), std::string::npos);
    EXPECT_NE(log.find("call TServerMethods1.SepetVer2"), std::string::npos);
    EXPECT_NE(log.find("error: SepetVer2"), std::string::npos);
    EXPECT_EQ(log.find("DEMO123"), std::string::npos);
}

TEST_F(Process, WebSideServesPicturesFormsPaymentPageInstallerAndIp) {
    httplib::Client web("127.0.0.1", server->webPort);
    auto ip = web.Get("/ip");
    ASSERT_TRUE(ip);
    EXPECT_EQ(ip->status, 200);
    EXPECT_EQ(ip->body, "127.0.0.1");
    EXPECT_NE(ip->get_header_value("Content-Type").find("text/plain"), std::string::npos);

    auto pic = web.Get("/resimgoster.ashx?id=1");
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->status, 200);
    EXPECT_EQ(pic->get_header_value("Content-Type"), "image/jpeg");
    EXPECT_EQ(pic->body.substr(0, 3), "\xFF\xD8\xFF");
    for (const char* missing : {"/resimgoster.ashx?id=2999", "/resimgoster.ashx?id=abc", "/resimgoster.ashx"}) {
        auto r = web.Get(missing);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->status, 404) << missing;
    }

    auto form = web.Get("/formmailgonder.aspx?carino=0&kullanici=%20&id=PC-NEW-1");
    ASSERT_TRUE(form);
    EXPECT_NE(form->body.find("<form"), std::string::npos);
    EXPECT_NE(form->body.find("PC-NEW-1"), std::string::npos);
    auto sent = web.Post("/formmailgonder.aspx", "id=PC-NEW-1&firma=Deneme+Oto&telefon=0312+000+00+00",
                         "application/x-www-form-urlencoded");
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->status, 200);
    auto refused = web.Post("/formmailgonder.aspx", "id=PC-NEW-1", "application/x-www-form-urlencoded");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 400);
    {
        server::sql::Connection db((dir / "k.db").string());
        auto q = db.prepare("SELECT COUNT(*) FROM outbox WHERE kind = 'access-request' AND computer_id = 'PC-NEW-1'");
        ASSERT_TRUE(q.step());
        EXPECT_EQ(q.int32(0), 1);
    }

    auto pay = web.Get("/odemekart.html?carino=1&sube=MERKEZ&firmasi=%3Cscript%3Ealert(1)%3C%2Fscript%3E%20%26%20Ortak"
                       "&bakiye=1234.50");
    ASSERT_TRUE(pay);
    EXPECT_EQ(pay->status, 200);
    EXPECT_EQ(pay->body.find("<script>"), std::string::npos);
    EXPECT_NE(pay->body.find("&lt;script&gt;alert(1)&lt;/script&gt; &amp; Ortak"), std::string::npos);
    EXPECT_NE(pay->body.find("1234.50"), std::string::npos);
    EXPECT_NE(pay->body.find("MERKEZ"), std::string::npos);

    auto exe = web.Get("/exe/KorvelSetup.exe");
    ASSERT_TRUE(exe);
    EXPECT_EQ(exe->status, 200);
    EXPECT_EQ(exe->body, std::string("MZ\x90\0installer bytes", 20));
}

TEST_F(Process, CardPaymentOnThePaymentPageBecomesACollectionWithAReceipt) {
    httplib::Client web("127.0.0.1", server->webPort);
    std::string before = remote().ok("CariDurumVer", {Value::int32(5)}).asText();
    auto bad = web.Post("/odemekart.html", "carino=5&tutar=100&isim=Ali+Veli&kartno=4111111111111112",
                        "application/x-www-form-urlencoded");
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->status, 400);  // fails the card number check
    EXPECT_EQ(remote().ok("CariDurumVer", {Value::int32(5)}).asText(), before);
    auto paid = web.Post("/odemekart.html", "carino=5&tutar=100%2C00&isim=Ali+Veli&kartno=4111+1111+1111+1111",
                         "application/x-www-form-urlencoded");
    ASSERT_TRUE(paid);
    ASSERT_EQ(paid->status, 200) << paid->body;
    EXPECT_NEAR(std::stod(remote().ok("CariDurumVer", {Value::int32(5)}).asText()), std::stod(before) - 100, 0.001);
    auto rows = remote().ok("CariEkstreVer", {Value::int32(5)}).asTable();
    int idno = static_cast<int>(std::get<std::int64_t>(rows.at(rows.rowCount() - 1, 9)));
    int sirano = remote().ok("SanalposSiranoVer", {Value::int32(idno)}).asInt32();
    ASSERT_GT(sirano, 0);
    auto pdf = remote().call("SAnalPosPdfVer", {Value::int32(sirano), Value()});
    ASSERT_TRUE(pdf.ok);
    EXPECT_EQ(pdf.values[2].asStream().substr(0, 5), "%PDF-");
}

TEST_F(Process, BadPeersAreClosedAndEveryoneElseIsServed) {
    // An oversized frame after the handshake: refused before its body is read.
    {
        int fd = rawConnect(server->port);
        ASSERT_GE(fd, 0);
        std::string bytes = wire::encodeHelloFrame() + std::string("\xff\xff\xff\x7f", 4) + "abc";
        ASSERT_EQ(send(fd, bytes.data(), bytes.size(), 0), static_cast<ssize_t>(bytes.size()));
        auto [got, closed] = readUntilClosed(fd);
        EXPECT_TRUE(closed);
        close(fd);
    }
    // A wrong handshake.
    {
        int fd = rawConnect(server->port);
        std::string junk = "GET / HTTP/1.1\r\nHost: x\r\n\r\n";
        send(fd, junk.data(), junk.size(), 0);
        EXPECT_TRUE(readUntilClosed(fd).second);
        close(fd);
    }
    // A peer that connects and sends nothing is closed after the idle time.
    {
        auto started = std::chrono::steady_clock::now();
        int fd = rawConnect(server->port);
        EXPECT_TRUE(readUntilClosed(fd).second);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(8));
        close(fd);
    }
    // A peer that stops in the middle of a frame is closed as well.
    {
        int fd = rawConnect(server->port);
        std::string bytes = wire::encodeHelloFrame() + std::string("\x40\x00", 2);
        send(fd, bytes.data(), bytes.size(), 0);
        EXPECT_TRUE(readUntilClosed(fd).second);
        close(fd);
    }
    // Meanwhile, and afterwards, calls are answered.
    int silent = rawConnect(server->port);
    EXPECT_EQ(remote().ok("KayanYaziGetir", {}).kind(), wire::Kind::Text);
    close(silent);
    EXPECT_TRUE(server->running());
}

TEST_F(Process, ManyClientsAtOnceAreAllServed) {
    std::atomic<int> answered{0}, failed{0};
    std::vector<std::thread> clients;
    for (int k = 0; k < 12; ++k)
        clients.emplace_back([&, k] {
            for (int n = 0; n < 25; ++n) {
                try {
                    auto a = remote().call(n % 2 ? "CariDurumVer" : "TeslimVer",
                                           n % 2 ? std::vector<Value>{Value::int32(1 + k % 5)} : std::vector<Value>{});
                    (a.ok ? answered : failed)++;
                } catch (const std::exception&) {
                    ++failed;
                }
            }
        });
    for (auto& t : clients) t.join();
    EXPECT_EQ(answered.load(), 300);
    EXPECT_EQ(failed.load(), 0);
}

TEST_F(Process, ASecondServerOnTheSamePortRefusesToStart) {
    std::string db = (dir / "other.db").string();
    EXPECT_THROW(ServerProcess({"--db", db, "--port", std::to_string(server->port), "--web-port", "0", "--host",
                                "127.0.0.1", "--quiet"}),
                 std::runtime_error);
    EXPECT_GT(remote().ok("AcilisReklamAdet", {}).asInt32(), 0);
}

TEST_F(Process, RegisterCommandBindsAComputerToAnyUser) {
    std::string db = (dir / "k.db").string();
    EXPECT_EQ(ServerProcess::run({"--db", db, "--register", "PERSONEL", "--computer-id", "PC-SALES-7"}), 0);
    EXPECT_NE(ServerProcess::run({"--db", db, "--register", "NOBODY", "--computer-id", "PC-SALES-8"}), 0);
    auto s = TSonucBilgisi::fromJson(remote().ok("BuyukGetir", {Value::text("PC-SALES-7")}).asObject());
    EXPECT_TRUE(s.Varmi());
    EXPECT_EQ(s.MusteriTipi(), 1);
    EXPECT_FALSE(TSonucBilgisi::fromJson(remote().ok("BuyukGetir", {Value::text("PC-SALES-8")}).asObject()).Varmi());
}

TEST(ProcessLifecycle, ConnectionsBeyondTheBoundAreRefusedAndServiceResumes) {
    auto d = tempDir();
    ServerProcess srv({"--db", (d / "k.db").string(), "--demo", "--parts", "300", "--computer-id", "X", "--port", "0",
                       "--web-port", "0", "--quiet", "--max-connections", "2"});
    int a = rawConnect(srv.port), b = rawConnect(srv.port);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    int c = rawConnect(srv.port);
    auto [got, closed] = readUntilClosed(c);
    EXPECT_TRUE(closed);
    EXPECT_NE(got.find("me\xC5\x9Fgul"), std::string::npos);  // the abort message says the server is busy
    close(c);
    close(a);
    close(b);
    // Once the server has seen the two close, calls are answered again.
    bool served = false;
    for (int k = 0; k < 100 && !served; ++k) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        try {
            served = Remote{srv.port}.call("AcilisReklamAdet", {}).ok;
        } catch (const std::exception&) {
        }
    }
    EXPECT_TRUE(served);
    std::filesystem::remove_all(d);
}

TEST(ProcessLifecycle, DemoOnAnExistingDatabaseKeepsItAndTermStopsCleanly) {
    auto d = tempDir();
    std::string db = (d / "k.db").string();
    {
        ServerProcess first({"--db", db, "--demo", "--parts", "500", "--port", "0", "--web-port", "0", "--quiet"});
        Remote r{first.port};
        // Change something, then start --demo again: the change must survive.
        ASSERT_EQ(ServerProcess::run({"--db", db, "--register", "MUDUR", "--computer-id", "PC-KEEP"}), 0);
        EXPECT_EQ(first.stop(SIGTERM), 0);
    }
    ServerProcess second({"--db", db, "--demo", "--parts", "900", "--port", "0", "--web-port", "0", "--quiet"});
    EXPECT_NE(second.log().find("korundu"), std::string::npos);
    Remote r{second.port};
    auto s = TSonucBilgisi::fromJson(r.ok("BuyukGetir", {Value::text("PC-KEEP")}).asObject());
    EXPECT_EQ(s.ADI(), "MUDUR");
    EXPECT_EQ(second.stop(SIGINT), 0);
    std::filesystem::remove_all(d);
}

TEST(ProcessLifecycle, KilledWhileSavingOrdersRestartsWithOnlyWholeOrders) {
    auto d = tempDir();
    std::string db = (d / "k.db").string();
    ServerProcess({"--db", db, "--demo", "--parts", "500", "--computer-id", "X", "--port", "0", "--web-port", "0",
                   "--quiet"})
        .stop();
    ASSERT_EQ(ServerProcess::run({"--db", db, "--register", "PERSONEL", "--computer-id", "PC-STAFF"}), 0);
    std::atomic<int> saved{0};
    {
        ServerProcess srv({"--db", db, "--port", "0", "--web-port", "0", "--quiet"});
        Remote r{srv.port};
        TSonucBilgisi staff = TSonucBilgisi::fromJson(r.ok("BuyukGetir", {Value::text("PC-STAFF")}).asObject());
        std::atomic<bool> stop{false};
        auto worker = [&](int carino) {
            TSonucBilgisi s = staff;
            s.SetCARINO(carino);
            Value session = Value::object(s.toJson());
            try {
                while (!stop) {
                    for (int stokno : {1, 2}) {
                        auto a = r.call("SepetEkle2", {session, Value::int32(carino), Value::int32(stokno),
                                                       Value::text(""), Value::text(""), Value::real(2),
                                                       Value::real(20), Value::real(10), Value::real(0),
                                                       Value::int32(0), Value::int32(0), Value::real(0),
                                                       Value::real(0), Value::real(0)});
                        if (!a.ok) return;
                    }
                    auto a = r.call("SiparisKaydet", {session, Value::int32(carino), Value::int32(1),
                                                      Value::int32(1), Value::text("kill test"), Value::int32(0),
                                                      Value::int32(1)});
                    if (a.ok && a.values.back().asBool()) ++saved;
                }
            } catch (const std::exception&) {
                // the server went away mid-call
            }
        };
        std::thread a(worker, 4), b(worker, 6);
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (saved < 20 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ASSERT_GE(saved.load(), 20) << srv.log();
        srv.stop(SIGKILL);
        stop = true;
        a.join();
        b.join();
    }
    ServerProcess again({"--db", db, "--port", "0", "--web-port", "0", "--quiet"});
    Remote r{again.port};
    for (int carino : {4, 6}) {
        auto orders = r.ok("OncekiSiparisler", {Value::int32(carino)}).asTable();
        int killTestOrders = 0;
        for (std::size_t row = 0; row < orders.rowCount(); ++row) {
            if (std::get<std::string>(orders.at(row, static_cast<std::size_t>(orders.columnIndex("VERENINNOTU")))) !=
                "kill test")
                continue;
            ++killTestOrders;
            int idno = static_cast<int>(std::get<std::int64_t>(orders.at(row, 1)));
            auto lines = r.ok("SiparisAyrintisi2", {Value::int32(carino), Value::int32(idno)}).asTable();
            EXPECT_EQ(lines.rowCount(), 2u) << "order " << idno;
        }
        EXPECT_GT(killTestOrders, 0);
        // Cart lines never also live in an order: at most the two lines of an unfinished round remain.
        EXPECT_LE(r.ok("SepetVer2", {Value::int32(carino)}).asTable().rowCount(), 2u);
    }
    std::filesystem::remove_all(d);
}
