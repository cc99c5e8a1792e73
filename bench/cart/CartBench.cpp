// "Hepsini Seç" and "Seçimleri Kaldır" on a large cart against a real korvel-server: one
// SepetSecimGuncelle per line, each on a fresh connection. Prints the time of each round, and
// for comparison the same number of bare calls on fresh connections without the page.

#include <QApplication>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "FakeServices.h"
#include "cart/CartPage.h"
#include "cart/InstallCartPage.h"
#include "data/MemTable.h"
#include "remote/Connection.h"
#include "remote/ServerMethods.h"
#include "session/MainContext.h"
#include "tests/server/ServerProcess.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

void print(const char* what, std::vector<double> s, int lines) {
    std::sort(s.begin(), s.end());
    const double median = s[s.size() / 2];
    std::printf("%-34s lines=%d rounds=%zu  min %.3f s  median %.3f s  max %.3f s  (%.2f ms per line)\n", what, lines,
                s.size(), s.front(), median, s.back(), median * 1000.0 / lines);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!std::getenv("KORVEL_BINARY_DIR")) setenv("KORVEL_BINARY_DIR", KORVEL_BUILD_DIR, 1);
    const int lines = argc > 1 ? std::atoi(argv[1]) : 500;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    testing_support::ScopedFakeServices fake;

    char tmpl[] = "/tmp/korvel-cart-bench-XXXXXX";
    const std::filesystem::path dir = mkdtemp(tmpl);
    ServerProcess server({"--db", (dir / "k.db").string(), "--demo", "--parts", "2000", "--computer-id", "PC-CART-BENCH",
                          "--port", "0", "--web-port", "0", "--host", "127.0.0.1", "--quiet"});

    remote::Connection bagc;
    bagc.setHostName("127.0.0.1");
    bagc.setPort(server.port);
    TSonucBilgisi sbilgi;
    auto copy = [&] {
        auto s = std::make_unique<TSonucBilgisi>();
        s->Kopyala(sbilgi);
        return s;
    };
    {
        bagc.open();
        remote::TServerMethods1Client p(bagc);
        sbilgi.Kopyala(*p.BuyukGetir("PC-CART-BENCH"));
        p.SepetHepsiniSil(copy());
        const wire::Table parts = *p.YenilerVer2(sbilgi.CARINO());
        const int stokCol = parts.columnIndex("STOK_STOKNO");
        for (int i = 0; i < lines; ++i) {
            const std::size_t r = static_cast<std::size_t>(i) % parts.rowCount();
            p.SepetEkle2(copy(), sbilgi.CARINO(), static_cast<int>(data::cellToInteger(parts.at(r, stokCol))), "", "",
                         1 + i % 5, 20, 0, 0, sbilgi.Sirano(), 0, 0, 0, 0);
        }
        bagc.close();
    }

    QWidget page;
    new QVBoxLayout(&page);
    page.resize(1300, 700);
    data::MemTable sepet{"sepet"};
    session::MainContext ctx;
    ctx.window = &page;
    ctx.sbilgi = &sbilgi;
    ctx.bagc = &bagc;
    ctx.table = [&](const QString& n) { return n == "sepet" ? &sepet : nullptr; };
    ctx.page = [&](const QString& n) { return n == "ssepet" ? &page : nullptr; };
    cart::CartPage* cart = cart::installCartPage(ctx);
    ctx.SepetAl(false);
    page.show();  // starts the page's own background load; commands wait for it to end
    while (cart->loading()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("cart lines loaded: %zu\n", sepet.rowCount());

    std::vector<double> selectAll, selectNone, bare;
    for (int r = 0; r < rounds; ++r) {
        auto t0 = Clock::now();
        cart->Button4Click();
        selectAll.push_back(secondsSince(t0));
        QCoreApplication::processEvents();
        t0 = Clock::now();
        cart->Button5Click();
        selectNone.push_back(secondsSince(t0));
        QCoreApplication::processEvents();
    }
    std::vector<int> siranos;
    for (sepet.first(); !sepet.eof(); sepet.next()) siranos.push_back(static_cast<int>(sepet.asInteger("SIRANO")));
    for (int r = 0; r < rounds; ++r) {
        const auto t0 = Clock::now();
        for (int s : siranos) {
            remote::Connection c;
            c.setHostName("127.0.0.1");
            c.setPort(server.port);
            c.open();
            remote::TServerMethods1Client(c).SepetSecimGuncelle(s, 1);
        }
        bare.push_back(secondsSince(t0));
    }
    // What the server holds after a last "Hepsini Seç".
    cart->Button4Click();
    ctx.SepetAl(false);
    int selected = 0;
    for (sepet.first(); !sepet.eof(); sepet.next()) selected += sepet.asInteger("SEC") == 1;
    std::printf("calls per round: %zu; lines selected on the server after Hepsini Seç: %d of %zu\n", siranos.size(),
                selected, sepet.rowCount());
    print("Hepsini Seç (page, goal < 0.5 s)", selectAll, lines);
    print("Seçimleri Kaldır (page)", selectNone, lines);
    print("bare calls, fresh connections", bare, lines);
    std::printf("messages shown: %zu, plain boxes: %lld\n", fake->messages.size(),
                static_cast<long long>(fake->plainBoxes.size()));

    page.close();
    server.stop();
    std::filesystem::remove_all(dir);
    return 0;
}
