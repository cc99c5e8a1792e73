// Prints how long the grid takes to show a 100,000 x 35 table, to filter, sort, group and export
// it, and how much memory it needs beyond the table. Runs offscreen.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <clocale>
#include <cstdio>
#include <fstream>
#include <string>

#include "grid/DataGrid.h"
#include "grid/GridParts.h"
#include "grid/demo/DemoTable.h"

namespace {

long statusKb(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::string(key).size()));
    return -1;
}

double ms(QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const int rows = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;

    grid::DataGrid grid;
    grid.setColumns(grid::demo::stockColumns());
    grid.addFooter("BARKOD", grid::Aggregate::Count);
    grid.addFooter("NETFIYAT", grid::Aggregate::Sum);
    grid.resize(1350, 650);
    grid.show();
    app.processEvents();
    grid.grab();  // warm up fonts and styles on the empty grid

    data::MemTable table("stok");
    const long rssBefore = statusKb("VmRSS:");
    QElapsedTimer t;
    t.start();
    grid::demo::fillStockTable(table, rows);
    const double fillMs = ms(t);
    const long rssTable = statusKb("VmRSS:");
    const long hwmTable = statusKb("VmHWM:");

    t.restart();
    grid.attach(&table);
    const double attachMs = ms(t);
    grid.grab();
    const double firstScreenMs = ms(t);

    t.restart();
    grid.setFilter("MARKA", {"BOSCH", "VALEO"});
    const double filterMs = ms(t);
    const int filtered = grid.rowCount();
    grid.grab();
    const double filterPaintMs = ms(t);
    t.restart();
    grid.clearFilters();
    const double clearMs = ms(t);

    t.restart();
    grid.sortBy("NETFIYAT");
    const double sortNumberMs = ms(t);
    t.restart();
    grid.sortBy("ADI");
    const double sortTextMs = ms(t);
    t.restart();
    grid.setGroupBy("MARKA");
    grid.grab();
    const double groupMs = ms(t);
    grid.setGroupBy({});

    t.restart();
    const int distinct = static_cast<int>(grid.distinctValues("BARKOD").size());
    const double distinctMs = ms(t);
    t.restart();
    grid::FilterPopup* popup = grid.showFilterPopup("BARKOD");  // every value distinct
    const double popupMs = ms(t);
    if (popup) popup->close();
    app.processEvents();

    t.restart();
    grid.bestFit();
    const double bestFitMs = ms(t);

    QTemporaryDir dir;
    t.restart();
    const bool exported = grid.writeSpreadsheet(dir.filePath("bench.xlsx"));
    const double exportMs = ms(t);
    const qint64 exportBytes = QFile(dir.filePath("bench.xlsx")).size();

    const long hwmEnd = statusKb("VmHWM:");
    std::printf("rows %d x %zu fields\n", rows, table.fieldCount());
    std::printf("table generation                 %8.1f ms, table %6.1f MB (resident, before %.1f MB)\n", fillMs,
                (rssTable - rssBefore) / 1024.0, rssBefore / 1024.0);
    std::printf("attach                           %8.1f ms\n", attachMs);
    std::printf("attach + first screen painted    %8.1f ms   (goal < 300 ms)\n", firstScreenMs);
    std::printf("filter 2 brands -> %6d rows     %8.1f ms, with repaint %.1f ms\n", filtered, filterMs, filterPaintMs);
    std::printf("clear filters                    %8.1f ms\n", clearMs);
    std::printf("sort by number / by text         %8.1f / %.1f ms\n", sortNumberMs, sortTextMs);
    std::printf("group by brand + paint           %8.1f ms\n", groupMs);
    std::printf("distinct values (%6d)           %8.1f ms\n", distinct, distinctMs);
    std::printf("filter popup of those values     %8.1f ms\n", popupMs);
    std::printf("best fit (first 1000 rows)       %8.1f ms\n", bestFitMs);
    std::printf("export all rows (%s, %.1f MB)      %8.1f ms\n", exported ? "ok" : "FAILED", exportBytes / 1048576.0, exportMs);
    std::printf("peak memory VmHWM %.1f MB; after table %.1f MB; beyond the table %.1f MB   (goal < 150 MB)\n",
                hwmEnd / 1024.0, hwmTable / 1024.0, (hwmEnd - std::max(hwmTable, rssTable)) / 1024.0);
    return 0;
}
