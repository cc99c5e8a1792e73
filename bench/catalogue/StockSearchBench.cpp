// Search on a large catalogue, end to end: from Enter in the search box of the real main
// window to the stock grid painted with the answer, against a korvel-server process.
//
//   catalogue_search_bench [--db PATH] [--parts N] [--runs N]
//
// With --db the database is used as it is (made beforehand, for example with
// korvel-server --db PATH --demo --parts 1000000); without it a demo database of --parts parts
// (default 20000) is made in a temporary folder. Prints the median and other figures.

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <numeric>

#include "app/TForm1.h"
#include "catalogue/StockListPage.h"
#include "remote/ServerMethods.h"
#include "tests/server/ServerProcess.h"

namespace {

struct Stats {
    double median, p90, min, max;
};

Stats stats(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    auto at = [&](double q) { return v[std::min(v.size() - 1, static_cast<std::size_t>(q * (v.size() - 1) + 0.5))]; };
    return {at(0.5), at(0.9), v.front(), v.back()};
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("KORVEL_BINARY_DIR", KORVEL_SERVER_BINARY_DIR, 0);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    std::string dbPath;
    int parts = 20000, runs = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string k = argv[i];
        if (k == "--db") dbPath = argv[i + 1];
        else if (k == "--parts") parts = std::atoi(argv[i + 1]);
        else if (k == "--runs") runs = std::atoi(argv[i + 1]);
    }
    QTemporaryDir tmp;
    std::vector<std::string> args{"--port", "0", "--web-port", "0", "--quiet", "--demo", "--computer-id", "BENCH-PC"};
    if (dbPath.empty()) {
        dbPath = (tmp.path() + "/bench.db").toStdString();
        args.push_back("--parts");
        args.push_back(std::to_string(parts));
    }
    args.insert(args.begin(), {"--db", dbPath});
    std::fprintf(stderr, "starting korvel-server on %s ...\n", dbPath.c_str());
    ServerProcess server(args, 1800);

    TForm1 form;
    form.resize(1366, 768);
    form.bagc.setHostName("127.0.0.1");
    form.bagc.setPort(server.port);
    {
        form.bagc.open();
        remote::TServerMethods1Client proxy(form.bagc);
        const TSonucBilgisi* who = proxy.BuyukGetir(QStringLiteral("BENCH-PC"));
        if (!who || !who->Varmi()) {
            std::fprintf(stderr, "the computer is not registered\n");
            return 1;
        }
        form.sbilgi.Kopyala(*who);
        form.bagc.close();
    }
    for (const auto& adapt : form.context.customerTypeAdapters) adapt(form.sbilgi.MusteriTipi());
    form.show();
    auto* page = form.sstoklistesi->findChild<catalogue::StockListPage*>();
    QWidget* viewport = page->cxGrid1->view()->viewport();

    const char* terms[] = {"FIL", "BAL", "YAG", "DIS", "BUJ", "AMO", "POM", "KAY", "RAD", "CON",
                           "HAV", "SUS", "MOT", "FAR", "TER", "KIT", "BOS", "YAK", "ARK", "BOB"};
    auto once = [&](const char* term, double& ms, std::size_t& rows) {
        form.araedit->setText(QString::fromLatin1(term));
        QElapsedTimer t;
        t.start();
        QTest::keyClick(form.araedit, Qt::Key_Return);
        while (page->aramaSuruyor()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        viewport->repaint();  // the grid painted with the answer
        ms = t.nsecsElapsed() / 1e6;
        rows = form.stok.rowCount();
    };
    double ms = 0;
    std::size_t rows = 0;
    for (int i = 0; i < 3; ++i) once(terms[i], ms, rows);  // warm up

    std::vector<double> times;
    std::vector<double> counts;
    for (int r = 0; r < runs; ++r)
        for (const char* term : terms) {
            once(term, ms, rows);
            times.push_back(ms);
            counts.push_back(static_cast<double>(rows));
        }
    const Stats s = stats(times);
    const double meanRows = std::accumulate(counts.begin(), counts.end(), 0.0) / counts.size();
    const auto empty = std::count(counts.begin(), counts.end(), 0.0);
    std::printf("catalogue search, Enter to painted grid, %zu searches of 3 characters on %s\n", times.size(),
                dbPath.c_str());
    std::printf("  median %.1f ms   p90 %.1f ms   min %.1f ms   max %.1f ms\n", s.median, s.p90, s.min, s.max);
    std::printf("  rows per answer %.0f (mean), answers without rows %td\n", meanRows, empty);
    std::printf("  goal: median under 50 ms -> %s\n", s.median < 50 ? "met" : "NOT met");
    return 0;
}
