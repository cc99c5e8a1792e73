#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "FakeServices.h"
#include "GridFixtures.h"
#include "grid/DataGrid.h"
#include "grid/SpreadsheetExport.h"

using namespace grid;
using namespace grid_test;

namespace {

// Reads the first sheet back with an independent reader, one list of cells per row.
QList<QStringList> readBack(const QString& path) {
    QProcess p;
    p.start("xlsx2csv", {"-d", "tab", path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        ADD_FAILURE() << "xlsx2csv failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    QList<QStringList> rows;
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    for (const QString& line : out.split('\n', Qt::SkipEmptyParts)) rows << line.split('\t');
    return rows;
}

struct ExportFixture {
    data::MemTable table{"sepet"};
    DataGrid grid;
    QTemporaryDir dir;

    ExportFixture() {
        load(table,
             {{"SIRANO", FieldType::Integer}, {"STOKADI", FieldType::Text}, {"MIKTAR", FieldType::Float},
              {"NETTUTAR", FieldType::Float}, {"VEREN", FieldType::Text}, {"DURUM", FieldType::Integer},
              {"TARIH", FieldType::DateTime}},
             {{I(1), S("Fren balatası"), D(2), D(1234567.891), S("Ali"), I(1), D(46367)},
              {I(2), S("Yağ filtresi"), D(1), D(80.25), S("Veli"), I(2), D(46368)},
              {I(3), S("Şanzıman yağı"), D(4), D(-400), S("Ali"), N(), N()}});
        table.setDisplayFormat("MIKTAR", "#,###,##0.00");
        table.setDisplayFormat("NETTUTAR", "#,###,##0.00");
        grid.setDisplayLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
        grid.setColumns({
            {"SIRANO", "", 1, {}, Visibility::Never},
            {"STOKADI", "Stok Açıklama", 3},
            {"MIKTAR", "Miktar", 1},
            {"NETTUTAR", "Net Tutar", 1},
            {"VEREN", "Veren", 1, {}, Visibility::HiddenOffered},
            {"DURUM", "Durum", 1, {}, Visibility::Shown, CellKind::Icon, IconSet::StockState},
            {"TARIH", "Tarih", 1},
        });
        grid.attach(&table);
    }
};

}  // namespace

TEST(SpreadsheetExport, FileNameTakesTheWorkbookExtension) {
    const std::pair<QString, QString> cases[] = {
        {"/tmp/rapor.xls", "/tmp/rapor.xlsx"},
        {"/tmp/rapor.XLS", "/tmp/rapor.XLSx"},
        {"/tmp/rapor.xlsx", "/tmp/rapor.xlsx"},
        {"/tmp/rapor", "/tmp/rapor.xlsx"},
        {"/tmp/rapor.2026", "/tmp/rapor.2026.xlsx"},
        {"", ""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(spreadsheetFileName(in), out) << in.toStdString();
}

TEST(SpreadsheetExport, NumberFormatsFollowTheMasks) {
    EXPECT_EQ(spreadsheetNumberFormat("#,###,##0.00"), "#,##0.00");
    EXPECT_EQ(spreadsheetNumberFormat("#,###,##00.00"), "#,##0.00");
    EXPECT_EQ(spreadsheetNumberFormat("0.000"), "0.000");
    EXPECT_EQ(spreadsheetNumberFormat(",0.00 TL;-,0.00 TL"), "#,##0.00\" TL\"");
    EXPECT_EQ(spreadsheetNumberFormat(""), "");
}

TEST(SpreadsheetExport, WritesCaptionsAndValuesOfVisibleColumns) {
    ExportFixture f;
    testing_support::ScopedFakeServices services;
    services->saveFileName = f.dir.filePath("sepet.xls");
    f.grid.addFooter("MIKTAR", Aggregate::Sum);
    // A comma as the C library's decimal point must not leak into the file.
    const bool commaLocale = std::setlocale(LC_NUMERIC, "tr_TR.UTF-8") != nullptr;
    ASSERT_TRUE(f.grid.exportToSpreadsheet("sepet"));
    if (commaLocale) std::setlocale(LC_NUMERIC, "C");

    EXPECT_EQ(services->saveDialogFilters, QStringList{"Excel|*.xls*"});
    EXPECT_FALSE(QFile::exists(f.dir.filePath("sepet.xls")));
    const QString written = f.dir.filePath("sepet.xlsx");
    ASSERT_TRUE(QFile::exists(written));
    QFile file(written);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), "PK") << "an Office Open XML package";

    const auto rows = readBack(written);
    ASSERT_EQ(rows.size(), 5);  // captions, three rows, footer
    EXPECT_EQ(rows[0], (QStringList{"Stok Açıklama", "Miktar", "Net Tutar", "Durum", "Tarih"}));
    EXPECT_EQ(rows[1][0], "Fren balatası");
    EXPECT_EQ(rows[1][3], "Var");
    EXPECT_EQ(rows[2][3], "Telefon Açınız");
    EXPECT_EQ(rows[3][0], "Şanzıman yağı");
    EXPECT_EQ(rows[3][3], "") << "an empty state has no text";
    // Numbers are numbers, whatever the screen's separators.
    const std::pair<int, double> numbers[] = {{1, 1234567.891}, {2, 80.25}, {3, -400}};
    for (const auto& [row, value] : numbers) {
        bool ok = false;
        const double read = QString(rows[row][2]).remove(',').toDouble(&ok);
        EXPECT_TRUE(ok) << rows[row][2].toStdString();
        EXPECT_NEAR(read, value, 0.006) << row;
    }
    bool ok = false;
    EXPECT_NEAR(QString(rows[4][1]).remove(',').toDouble(&ok), 7.0, 1e-9);
    EXPECT_TRUE(ok) << "footer sum";
    EXPECT_TRUE(rows[1][4].contains("2026")) << rows[1][4].toStdString();
}

TEST(SpreadsheetExport, CancelledDialogWritesNothing) {
    ExportFixture f;
    testing_support::ScopedFakeServices services;
    services->saveFileName.clear();
    EXPECT_FALSE(f.grid.exportToSpreadsheet());
    EXPECT_TRUE(QDir(f.dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(services->messages.empty());
}

TEST(SpreadsheetExport, UnwritablePlaceIsReportedNotClaimed) {
    ExportFixture f;
    testing_support::ScopedFakeServices services;
    services->saveFileName = f.dir.filePath("no/such/folder/x.xlsx");
    EXPECT_FALSE(f.grid.exportToSpreadsheet());
    ASSERT_EQ(services->messages.size(), 1u);
    EXPECT_EQ(services->messages[0].kind, platform::MsgKind::Error);
}

TEST(SpreadsheetExport, GridLargerThanASheetIsRefusedBeforeWriting) {
    data::MemTable t;
    wire::Table big;
    big.columns = {{"N", FieldType::Integer}};
    big.cells.assign(1048576, Cell{std::int64_t{1}});  // with the caption row one too many
    t.load(std::move(big));
    DataGrid grid;
    grid.attach(&t);
    QTemporaryDir dir;
    testing_support::ScopedFakeServices services;
    services->saveFileName = dir.filePath("big.xlsx");
    EXPECT_FALSE(grid.exportToSpreadsheet());
    ASSERT_EQ(services->messages.size(), 1u);
    EXPECT_TRUE(services->messages[0].text.contains("1048577")) << services->messages[0].text.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("big.xlsx")));

    grid.setFilter("N", {"1"});  // still all rows: still refused
    QString error;
    EXPECT_FALSE(grid.writeSpreadsheet(dir.filePath("big.xlsx"), &error));
}

TEST(SpreadsheetExport, WritesAllFilteredRowsWithGroupsExpanded) {
    ExportFixture f;
    f.grid.setColumnVisible("VEREN", true);
    f.grid.addGroupFooter("MIKTAR", Aggregate::Sum);
    f.grid.setGroupBy("VEREN");
    f.grid.collapseAll();
    f.grid.setFilter("DURUM", {"Var", "Telefon Açınız"});
    const QString path = f.dir.filePath("grup.xlsx");
    QString error;
    ASSERT_TRUE(f.grid.writeSpreadsheet(path, &error)) << error.toStdString();
    const auto rows = readBack(path);
    // captions; "Veren: Ali", its row, its footer; "Veren: Veli", its row, its footer
    ASSERT_EQ(rows.size(), 7);
    EXPECT_EQ(rows[1][0], "Veren: Ali");
    EXPECT_EQ(rows[2][0], "Fren balatası");
    EXPECT_EQ(rows[3][1].toDouble(), 2.0) << "group footer sum";
    EXPECT_EQ(rows[4][0], "Veren: Veli");
    EXPECT_EQ(rows[5][0], "Yağ filtresi");
    EXPECT_EQ(rows[5][3], "Veli");
    EXPECT_EQ(rows[5][4], "Telefon Açınız");
}

TEST(SpreadsheetExport, SpreadsheetProgramOpensTheFile) {
    const QString office = QStandardPaths::findExecutable("soffice");
    if (office.isEmpty()) GTEST_SKIP() << "LibreOffice is not installed";
    ExportFixture f;
    const QString path = f.dir.filePath("sepet.xlsx");
    ASSERT_TRUE(f.grid.writeSpreadsheet(path));
    QProcess p;
    p.start(office, {"--headless", "--convert-to", "csv", "--outdir", f.dir.path(), path});
    ASSERT_TRUE(p.waitForFinished(120000));
    QFile csv(f.dir.filePath("sepet.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly)) << "LibreOffice could not read the file";
    const QString text = QString::fromUtf8(csv.readAll());
    EXPECT_TRUE(text.startsWith("Stok Açıklama,Miktar,Net Tutar,Durum,Tarih")) << text.left(80).toStdString();
    EXPECT_TRUE(text.contains("Şanzıman yağı"));
}
