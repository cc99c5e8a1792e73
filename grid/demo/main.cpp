// Shows a generated 100,000-row stock table in the data grid with every cell kind.
// Usage: korvel_grid_demo [rows]

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionViewItem>
#include <QVBoxLayout>
#include <clocale>

#include "data/NumberFormat.h"
#include "grid/CellText.h"
#include "grid/DataGrid.h"
#include "grid/Icons.h"
#include "grid/demo/DemoTable.h"

using namespace grid;

namespace {

QString priceSummary(const RowValues& row, const data::NumberLocale& numbers) {
    const auto money = [&](const char* field) {
        return QString::fromStdString(data::formatNumber(row.asFloat(field), data::kAmountFormat, numbers));
    };
    QString text = QStringLiteral("Liste Fiyatı: ") + money("LISTEFIYAT1") + QStringLiteral("\r\n");
    if (row.asFloat("KAMPFIYAT") > 0) text += QStringLiteral("Kampanyalı Fiyat: ") + money("KAMPFIYAT") + QStringLiteral("\r\n");
    text += QStringLiteral("NetFiyat: ") + money("NETFIYAT") + QStringLiteral("\r\n");
    text += QStringLiteral("KDV li Fiyat: ") + money("KDVDAHIL") + QStringLiteral("\r\n");
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const int rows = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;

    data::MemTable table("stok");
    demo::fillStockTable(table, rows);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Tablo örneği"));
    auto* layout = new QVBoxLayout(&window);
    auto* bar = new QHBoxLayout;
    layout->addLayout(bar);

    auto* grid = new DataGrid(&window);
    grid->setObjectName(QStringLiteral("demoGrid"));
    GridStyle style;
    style.font = QFont(QStringLiteral("Arial"));
    style.font->setPixelSize(13);
    style.rowHeight = 60;
    grid->setGridStyle(style);
    grid->setColumns(demo::stockColumns());
    const data::NumberLocale numbers = numberLocaleOf(QLocale::system());
    grid->setCustomDrawHook(QStringLiteral("FIYATBILGISI"),
                            [numbers](QPainter* p, const QRect& r, const RowValues& row, const QStyleOptionViewItem& o) {
                                p->fillRect(r, o.backgroundBrush);
                                p->setPen(o.palette.color(QPalette::Text));
                                p->drawText(r.adjusted(10, 0, -10, 0), Qt::AlignRight | Qt::AlignVCenter,
                                            priceSummary(row, numbers).trimmed().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
                            });
    grid->setCustomTextHook(QStringLiteral("FIYATBILGISI"),
                            [numbers](const RowValues& row) { return priceSummary(row, numbers).trimmed(); });
    grid->addFooter(QStringLiteral("BARKOD"), Aggregate::Count);
    grid->addFooter(QStringLiteral("NETFIYAT"), Aggregate::Sum);
    grid->addFooter(QStringLiteral("KDVDAHIL"), Aggregate::Average);
    grid->addGroupFooter(QStringLiteral("BARKOD"), Aggregate::Count);
    grid->addGroupFooter(QStringLiteral("NETFIYAT"), Aggregate::Sum);
    grid->attach(&table);
    layout->addWidget(grid, 1);

    auto* group = new QCheckBox(QStringLiteral("Markaya göre grupla"), &window);
    auto* collapse = new QPushButton(QStringLiteral("Grupları Kapat"), &window);
    auto* staff = new QCheckBox(QStringLiteral("Personel"), &window);
    auto* fit = new QPushButton(QStringLiteral("Sütunları Yerleştir"), &window);
    auto* clear = new QPushButton(QStringLiteral("Filtreleri Temizle"), &window);
    auto* excel = new QPushButton(QStringLiteral("Excel Kaydet"), &window);
    for (QWidget* w : std::initializer_list<QWidget*>{group, collapse, staff, fit, clear, excel}) bar->addWidget(w);
    bar->addStretch();
    QObject::connect(group, &QCheckBox::toggled, grid,
                     [grid](bool on) { grid->setGroupBy(on ? QStringLiteral("MARKA") : QString()); });
    QObject::connect(collapse, &QPushButton::clicked, grid, &DataGrid::collapseAll);
    QObject::connect(staff, &QCheckBox::toggled, grid, &DataGrid::setStaffMode);
    QObject::connect(fit, &QPushButton::clicked, grid,
                     [grid] { grid->fitColumns(grid->screen() ? grid->screen()->geometry().width() : 1920); });
    QObject::connect(clear, &QPushButton::clicked, grid, &DataGrid::clearFilters);
    QObject::connect(excel, &QPushButton::clicked, grid, [grid] { grid->exportToSpreadsheet(QStringLiteral("stok")); });

    // The status legend, with the grid's own icons.
    auto* legend = new QHBoxLayout;
    legend->addWidget(new QLabel(QStringLiteral("Durum Açıklaması:    "), &window));
    for (int code : {1, 2, 3, 5, 4, 0}) {
        auto* icon = new QLabel(&window);
        icon->setPixmap(stockStatePixmap(code, 20));
        legend->addWidget(icon);
        legend->addWidget(new QLabel(code == 1 ? QStringLiteral("Stok mevcut") : stockStateMeaning(code), &window));
    }
    legend->addStretch();
    layout->addLayout(legend);

    window.resize(1350, 700);
    window.show();
    grid->fitColumns(grid->screen() ? grid->screen()->geometry().width() : 1920);
    return app.exec();
}
