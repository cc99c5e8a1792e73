#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QBuffer>
#include <QHeaderView>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTest>
#include <map>
#include <thread>

#include "GridFixtures.h"
#include "grid/DataGrid.h"
#include "grid/GridModel.h"
#include "grid/GridParts.h"
#include "grid/Icons.h"

using namespace grid;
using namespace grid_test;

namespace {

const QLocale kTurkish(QLocale::Turkish, QLocale::Turkey);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

// A cart-like table: five lines, two of them from one seller.
struct CartFixture {
    data::MemTable table{"sepet"};
    DataGrid grid;

    CartFixture() {
        load(table,
             {{"SIRANO", FieldType::Integer}, {"BARKOD", FieldType::Text}, {"STOKADI", FieldType::Text},
              {"MIKTAR", FieldType::Float}, {"NETTUTAR", FieldType::Float}, {"VEREN", FieldType::Text},
              {"DURUM", FieldType::Integer}, {"SEC", FieldType::Integer}},
             {{I(1), S("AB100"), S("Fren balatası"), D(2), D(1234.5), S("Ali"), I(1), I(1)},
              {I(2), S("AC200"), S("Yağ filtresi"), D(1), D(80.25), S("Veli"), I(0), I(0)},
              {I(3), S("ŞA300"), S("Şanzıman yağı"), D(4), D(400), S("Ali"), I(3), I(1)},
              {I(4), S("AB150"), S("Fren diski"), D(3), D(999.99), S("Ayşe"), N(), I(0)},
              {I(5), S("XZ900"), S(""), D(10), D(10), S("Veli"), I(5), I(1)}});
        table.setDisplayFormat("MIKTAR", "#,###,##0.00");
        table.setDisplayFormat("NETTUTAR", "#,###,##0.00");
        grid.setDisplayLocale(kTurkish);
        grid.setColumns({
            {"SEC", "Seç", 1, {}, Visibility::Shown, CellKind::CheckBox},
            {"SIRANO", "", 1, {}, Visibility::Never},
            {"BARKOD", "Barkod", 2},
            {"STOKADI", "Stok Açıklama", 3},
            {"MIKTAR", "Miktar", 1},
            {"NETTUTAR", "Net Tutar", 1},
            {"VEREN", "Veren", 1},
            {"DURUM", "Durum", 1, {}, Visibility::Shown, CellKind::Icon, IconSet::StockState},
        });
        grid.resize(900, 400);
        grid.attach(&table);
    }
};

void typeText(QWidget* w, const QString& text) {
    for (const QChar ch : text) QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// A press, a release and the double click, delivered straight to the widget.
void doubleClick(QWidget* w, const QPoint& pos) {
    const QPointF global = w->mapToGlobal(QPointF(pos));
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                      QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, QPointF(pos), global, Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
}

}  // namespace

TEST(DataGrid, VisibilityClassesDecideShownColumnsAndChooserEntries) {
    data::MemTable t("stok");
    load(t, {{"A", FieldType::Text}, {"B", FieldType::Text}, {"C", FieldType::Text}, {"D", FieldType::Float}}, {});
    DataGrid grid;
    grid.setColumns({
        {"A", "Shown", 1, {}, Visibility::Shown},
        {"B", "Offered", 1, {}, Visibility::HiddenOffered},
        {"C", "", 1, {}, Visibility::Never},
        {"D", "Kalan", 1, {}, Visibility::StaffOnly},
    });
    grid.attach(&t);

    struct Expect {
        bool staff;
        QStringList visible;
        QStringList chooser;
    };
    const Expect cases[] = {
        {false, {"A"}, {"A", "B"}},
        {true, {"A", "D"}, {"A", "B", "D"}},
        {false, {"A"}, {"A", "B"}},  // switching back hides and withdraws the staff column again
    };
    for (const auto& c : cases) {
        grid.setStaffMode(c.staff);
        EXPECT_EQ(grid.visibleFields(), c.visible) << "staff " << c.staff;
        EXPECT_EQ(grid.chooserFields(), c.chooser) << "staff " << c.staff;
    }

    // The header menu offers exactly the chooser's columns, by caption (the field name without one).
    std::unique_ptr<QMenu> menu(grid.buildHeaderMenu(nullptr));
    QStringList entries;
    for (QAction* a : menu->actions())
        if (a->isCheckable()) entries << a->text();
    EXPECT_EQ(entries, (QStringList{"Shown", "Offered"}));

    // Checking an entry shows the column; a window can withdraw a column from the chooser.
    for (QAction* a : menu->actions())
        if (a->data().toString() == "B") a->setChecked(true);
    EXPECT_TRUE(grid.isColumnVisible("B"));
    grid.setColumnVisible("A", false);
    grid.setColumnOffered("A", false);
    EXPECT_EQ(grid.visibleFields(), QStringList{"B"});
    EXPECT_EQ(grid.chooserFields(), QStringList{"B"});
    EXPECT_EQ(grid.columns().at(2).headerText(), "C");
}

TEST(DataGrid, CellsShowNumbersWithDisplayFormatInTheGivenLocale) {
    CartFixture f;
    EXPECT_EQ(f.grid.cellText(0, "NETTUTAR"), "1.234,50");
    EXPECT_EQ(f.grid.cellText(0, "STOKADI"), "Fren balatası");
    EXPECT_EQ(f.grid.cellText(0, "SIRANO"), "1");
    f.grid.setDisplayLocale(kEnglish);
    EXPECT_EQ(f.grid.cellText(0, "NETTUTAR"), "1,234.50");

    // Without a display format numbers show plainly, with the locale's decimal separator.
    f.table.setDisplayFormat("MIKTAR", "");
    f.grid.setDisplayLocale(kTurkish);
    f.table.edit();
    f.table.setValue("MIKTAR", D(2.5));
    f.table.post();
    EXPECT_EQ(f.grid.cellText(0, "MIKTAR"), "2,5");

    // Dates travel as day counts.
    data::MemTable t;
    load(t, {{"TARIH", FieldType::DateTime}}, {{D(46367.0)}, {D(46367.75)}});
    DataGrid g;
    g.attach(&t);
    EXPECT_EQ(g.cellText(0, "TARIH"), "11.12.2026");
    EXPECT_EQ(g.cellText(1, "TARIH"), "11.12.2026 18:00:00");
}

TEST(DataGrid, IconAndCheckBoxCellsExposeTheirMeaning) {
    CartFixture f;
    auto* m = f.grid.model();
    const int durum = m->columnOf("DURUM");
    const int sec = m->columnOf("SEC");
    const std::map<int, QString> expected = {{0, "Var"}, {1, "Yok"}, {2, "Yolda"}, {3, ""}, {4, "Tedarik Sürecinde"}};
    for (const auto& [row, meaning] : expected) {
        const QModelIndex idx = m->index(row, durum);
        EXPECT_EQ(m->data(idx, Qt::AccessibleDescriptionRole).toString(), meaning) << row;
        EXPECT_TRUE(m->data(idx, Qt::DisplayRole).toString().isEmpty()) << "icon only";
    }
    // Screen readers get the meaning through the table's accessibility.
    f.grid.show();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(f.grid.view());
    ASSERT_TRUE(iface && iface->tableInterface());
    QAccessibleInterface* cell = iface->tableInterface()->cellAt(2, durum);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Description), "Yolda");

    EXPECT_EQ(m->data(m->index(0, sec), Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(m->data(m->index(1, sec), Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(m->flags(m->index(0, sec)) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable));

    EXPECT_EQ(stockStateMeaning(2), "Telefon Açınız");
    EXPECT_EQ(stockStateMeaning(4), "Özel Sipariş");
    EXPECT_EQ(iconMeaning(IconSet::Warehouse, S("VAR")), "Depoda var");
    EXPECT_FALSE(hasIcon(IconSet::Tick, I(0)));
    EXPECT_TRUE(hasIcon(IconSet::Camera, I(1)));
    EXPECT_TRUE(hasIcon(IconSet::StockState, N()));  // the empty code has its own ball
    EXPECT_FALSE(hasIcon(IconSet::StockState, I(9)));
}

TEST(DataGrid, FooterAggregatesFollowFilters) {
    CartFixture f;
    f.grid.addFooter("BARKOD", Aggregate::Count);
    f.grid.addFooter("MIKTAR", Aggregate::Sum);
    f.grid.addFooter("NETTUTAR", Aggregate::Average);
    EXPECT_TRUE(f.grid.isFooterVisible());
    EXPECT_EQ(f.grid.footerValue("BARKOD"), 5.0);
    EXPECT_EQ(f.grid.footerValue("MIKTAR"), 20.0);
    EXPECT_EQ(f.grid.footerText("MIKTAR"), "20,00");
    EXPECT_FALSE(f.grid.footerValue("VEREN").has_value()) << "no footer declared";

    f.grid.setFilter("VEREN", {"Ali", "Ayşe"});
    EXPECT_EQ(f.grid.rowCount(), 3);
    EXPECT_EQ(f.grid.footerValue("BARKOD"), 3.0);
    EXPECT_EQ(f.grid.footerValue("MIKTAR"), 9.0);
    EXPECT_NEAR(*f.grid.footerValue("NETTUTAR"), (1234.5 + 400 + 999.99) / 3, 1e-9);
    EXPECT_EQ(f.grid.footerText("NETTUTAR"), "878,16");

    // Filters combine; a value list shows only rows of the other filters.
    f.grid.setFilter("DURUM", {"Var", "Yolda"});
    EXPECT_EQ(f.grid.footerValue("BARKOD"), 2.0);
    EXPECT_EQ(f.grid.footerText("MIKTAR"), "6,00");
    EXPECT_EQ(f.grid.distinctValues("VEREN"), (QStringList{"Ali"}));

    // A changed row updates the sums.
    f.table.setRecNo(2);
    f.table.edit();
    f.table.setValue("MIKTAR", D(14));
    f.table.post();
    EXPECT_EQ(f.grid.footerValue("MIKTAR"), 16.0);

    f.grid.clearFilters();
    EXPECT_EQ(f.grid.footerValue("BARKOD"), 5.0);
    EXPECT_EQ(f.grid.footerValue("MIKTAR"), 30.0);

    // A filter that matches nothing: zero count, zero sum, no average.
    f.grid.setFilter("VEREN", {"Nobody"});
    EXPECT_EQ(f.grid.rowCount(), 0);
    EXPECT_EQ(f.grid.footerValue("MIKTAR"), 0.0);
    EXPECT_FALSE(f.grid.footerValue("NETTUTAR").has_value());
    EXPECT_EQ(f.grid.footerText("NETTUTAR"), "");
}

TEST(DataGrid, FilterPopupListsDistinctValuesAndApplies) {
    CartFixture f;
    f.grid.show();
    FilterPopup* popup = f.grid.showFilterPopup("STOKADI");
    ASSERT_NE(popup, nullptr);
    // "(Tümü)" first, then the values in Turkish order with the empty one labelled.
    EXPECT_EQ(popup->labels(),
              (QStringList{"(Tümü)", "(Boş)", "Fren balatası", "Fren diski", "Şanzıman yağı", "Yağ filtresi"}));
    popup->setValueChecked("Fren balatası", true);
    popup->setValueChecked("Fren diski", true);
    popup->apply();
    EXPECT_EQ(f.grid.rowCount(), 2);
    EXPECT_EQ(f.grid.filterValues("STOKADI"), (QStringList{"Fren balatası", "Fren diski"}));

    popup = f.grid.showFilterPopup("STOKADI");
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isValueChecked("Fren balatası")) << "current choice is shown";
    EXPECT_FALSE(popup->isValueChecked("Yağ filtresi"));
    popup->showAll();
    EXPECT_EQ(f.grid.rowCount(), 5);
}

TEST(DataGrid, HeaderClickSortsButItsFilterButtonOpensThePopup) {
    CartFixture f;
    f.grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.grid));
    auto* header = static_cast<GridHeader*>(f.grid.view()->horizontalHeader());
    const int miktar = f.grid.model()->columnOf("MIKTAR");
    const QRect button = header->filterButtonRect(miktar);
    ASSERT_TRUE(button.isValid());

    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, button.center());
    auto* popup = f.grid.findChild<FilterPopup*>();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->labels(), (QStringList{"(Tümü)", "1,00", "2,00", "3,00", "4,00", "10,00"}));
    EXPECT_EQ(f.grid.model()->sortColumn(), -1) << "the button does not sort";
    popup->close();

    const QPoint caption(header->sectionViewportPosition(miktar) + 6, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, caption);
    EXPECT_EQ(f.grid.model()->sortColumn(), miktar);
    EXPECT_EQ(f.grid.model()->sourceRow(0), 1) << "smallest quantity first";
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, caption);
    EXPECT_EQ(f.grid.model()->sourceRow(0), 4) << "a second click reverses";

    f.grid.setSortingEnabled(false);
    f.grid.sortBy("");  // back to table order
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, caption);
    EXPECT_EQ(f.grid.model()->sortColumn(), -1);
}

TEST(DataGrid, IncrementalSearchMovesFocus) {
    CartFixture f;
    f.grid.show();
    f.grid.setFocusedField("BARKOD");
    QWidget* view = f.grid.view();
    ASSERT_EQ(f.grid.focusedRow(), 0);

    struct Step {
        QString typed;
        int focused;
        QString searchText;
    };
    const Step steps[] = {
        {"a", 0, "A"},    // the focused row already matches
        {"c", 1, "AC"},   // AC200
        {"q", 1, "AC"},   // nothing starts with ACQ: focus and text stay
        {"2", 1, "AC2"},
    };
    for (const auto& s : steps) {
        typeText(view, s.typed);
        EXPECT_EQ(f.grid.focusedRow(), s.focused) << s.typed.toStdString();
        EXPECT_EQ(f.grid.searchText().toUpper(), s.searchText) << s.typed.toStdString();
    }
    // Backspace shortens the text; a navigation key ends the search.
    QTest::keyClick(view, Qt::Key_Backspace);
    EXPECT_EQ(f.grid.searchText().toUpper(), "AC");
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_TRUE(f.grid.searchText().isEmpty());
    EXPECT_EQ(f.grid.focusedRow(), 2);

    // From row 2 the next "AB" is row 3; searching wraps to the top after the last row.
    typeText(view, "ab");
    EXPECT_EQ(f.grid.focusedRow(), 3);
    f.grid.clearSearch();
    f.grid.focusRow(4);
    typeText(view, "ş");  // Turkish letters compare without case
    EXPECT_EQ(f.grid.focusedRow(), 2);

    // The search follows the focused column.
    f.grid.clearSearch();
    f.grid.setFocusedField("VEREN");
    typeText(view, "ay");
    EXPECT_EQ(f.grid.focusedRow(), 3);
}

TEST(DataGrid, DetachShowsNothingAndAttachShowsTheTableAgain) {
    CartFixture f;
    f.grid.addFooter("BARKOD", Aggregate::Count);
    f.grid.focusRow(2);
    ASSERT_EQ(f.grid.view()->model()->rowCount(), 5);

    f.grid.beginUpdate();
    f.grid.detach();
    EXPECT_FALSE(f.grid.isAttached());
    EXPECT_EQ(f.grid.view()->model()->rowCount(), 0);
    EXPECT_EQ(f.grid.focusedRow(), -1);
    EXPECT_TRUE(data::cellIsNull(f.grid.focusedValue("BARKOD")));
    EXPECT_EQ(f.grid.footerValue("BARKOD"), 0.0);

    // A background load rewrites the table while detached; the grid does not see it.
    load(f.table,
         {{"SIRANO", FieldType::Integer}, {"BARKOD", FieldType::Text}, {"MIKTAR", FieldType::Float}},
         {{I(7), S("NEW1"), D(1)}, {I(8), S("NEW2"), D(2)}});
    EXPECT_EQ(f.grid.view()->model()->rowCount(), 0);

    f.grid.attach(&f.table);
    f.grid.endUpdate();
    EXPECT_EQ(f.grid.view()->model()->rowCount(), 2);
    EXPECT_EQ(f.grid.footerValue("BARKOD"), 2.0);
    EXPECT_EQ(f.grid.focusedRow(), 0) << "focus follows the freshly loaded table's cursor";
    EXPECT_EQ(data::cellToString(f.grid.focusedValue("BARKOD")), "NEW1");
    EXPECT_EQ(f.grid.cellText(1, "BARKOD"), "NEW2");
    EXPECT_EQ(f.grid.cellText(1, "STOKADI"), "") << "a declared column the new table lacks stays empty";
}

TEST(DataGrid, TableDestroyedWhileAttachedLeavesAnEmptyDetachedGrid) {
    DataGrid grid;
    grid.addFooter("A", Aggregate::Count);
    {
        data::MemTable t;
        load(t, {{"A", FieldType::Text}}, {{S("x")}, {S("y")}});
        grid.attach(&t);
        ASSERT_EQ(grid.rowCount(), 2);
    }
    EXPECT_FALSE(grid.isAttached());
    EXPECT_EQ(grid.view()->model()->rowCount(), 0);
    EXPECT_EQ(grid.focusedRow(), -1);
    grid.grab();  // painting after the table is gone must not touch it
}

TEST(DataGrid, TableLoadedOffTheUserInterfaceThreadRefreshesOnIt) {
    CartFixture f;
    f.grid.show();
    // A window that forgot to detach: the worker's notification must not touch the view.
    std::thread worker([&] {
        load(f.table, {{"BARKOD", FieldType::Text}, {"A", FieldType::Text}, {"B", FieldType::Text},
                       {"C", FieldType::Text}, {"D", FieldType::Text}, {"E", FieldType::Text},
                       {"F", FieldType::Text}, {"G", FieldType::Text}, {"H", FieldType::Text}},
             {{S("ONLY")}});
    });
    worker.join();
    f.grid.grab();  // painting between the load and the refresh stays inside the new table
    QCoreApplication::processEvents();
    EXPECT_EQ(f.grid.view()->model()->rowCount(), 1);
    EXPECT_EQ(f.grid.cellText(0, "BARKOD"), "ONLY");
}

TEST(DataGrid, FocusFollowsTableCursorAndBack) {
    CartFixture f;
    QSignalSpy focusSpy(&f.grid, &DataGrid::focusedRowChanged);
    EXPECT_TRUE(f.grid.focusRowWhere("SIRANO", I(4)));
    EXPECT_EQ(f.grid.focusedRow(), 3);
    EXPECT_EQ(f.table.recNo(), 3u) << "the table's current row follows the grid";
    EXPECT_EQ(data::cellToString(f.grid.focusedValue("BARKOD")), "AB150");
    EXPECT_FALSE(focusSpy.isEmpty());

    EXPECT_TRUE(f.table.locate("SIRANO", I(2)));
    EXPECT_EQ(f.grid.focusedRow(), 1) << "the grid follows the table's cursor";

    EXPECT_FALSE(f.grid.focusRowWhere("SIRANO", I(99)));
    EXPECT_FALSE(f.grid.focusRowWhere("NOSUCHFIELD", I(1)));
    EXPECT_EQ(f.grid.focusedRow(), 1);

    // A row hidden by a filter cannot be focused.
    f.grid.setFilter("VEREN", {"Ali"});
    EXPECT_FALSE(f.grid.focusRowWhere("SIRANO", I(2)));
}

TEST(DataGrid, DoubleClickAndContextMenuReachTheWindow) {
    CartFixture f;
    f.grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.grid));
    QSignalSpy dbl(&f.grid, &DataGrid::rowDoubleClicked);
    QSignalSpy ctx(&f.grid, &DataGrid::contextMenuRequested);
    auto* view = f.grid.view();
    const QModelIndex idx = view->model()->index(2, f.grid.model()->columnOf("STOKADI"));
    const QRect r = view->visualRect(idx);
    ASSERT_TRUE(r.isValid());
    doubleClick(view->viewport(), r.center());
    ASSERT_EQ(dbl.count(), 1);
    EXPECT_EQ(dbl.at(0).at(0).toInt(), 2);
    EXPECT_EQ(dbl.at(0).at(1).toString(), "STOKADI");
    emit view->customContextMenuRequested(r.center());
    EXPECT_EQ(ctx.count(), 1);
}

TEST(DataGrid, CustomDrawHookReceivesHiddenColumnsValues) {
    data::MemTable t("stok");
    load(t,
         {{"BARKOD", FieldType::Text}, {"LISTEFIYAT1", FieldType::Float}, {"KAMPFIYAT", FieldType::Float},
          {"NETFIYAT", FieldType::Float}},
         {{S("P1"), D(100), D(0), D(90)}, {S("P2"), D(200), D(12.5), D(180)}});
    DataGrid grid;
    grid.setColumns({
        {"BARKOD", "Barkod", 2},
        {"LISTEFIYAT1", "Liste Fiyatı", 2, {}, Visibility::HiddenOffered},
        {"KAMPFIYAT", "Kampanyalı Fiyat", 2, {}, Visibility::Never},
        {"NETFIYAT", "Net Fiyatı", 2, {}, Visibility::HiddenOffered},
        {"FIYATBILGISI", "Fiyat Bilgisi", 2, {}, Visibility::Shown, CellKind::Custom},
    });
    std::map<int, std::tuple<double, double, double>> seen;
    QColor background;
    grid.setCustomDrawHook("FIYATBILGISI", [&](QPainter* p, const QRect& r, const RowValues& row,
                                                const QStyleOptionViewItem& option) {
        seen[row.row()] = {row.asFloat("LISTEFIYAT1"), row.asFloat("KAMPFIYAT"), row.asFloat("NETFIYAT")};
        if (row.row() == 1) background = option.backgroundBrush.color();
        p->fillRect(r, option.backgroundBrush);
    });
    grid.setCustomTextHook("FIYATBILGISI",
                           [](const RowValues& row) { return QString::number(row.asFloat("NETFIYAT")); });
    grid.resize(600, 300);
    grid.attach(&t);
    grid.focusRow(0);
    grid.grab();

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], std::make_tuple(100.0, 0.0, 90.0));
    EXPECT_EQ(seen[1], std::make_tuple(200.0, 12.5, 180.0));
    EXPECT_EQ(background, grid.gridStyle().oddRow) << "the hook gets the row's background";
    EXPECT_EQ(grid.cellText(1, "FIYATBILGISI"), "180");
}

TEST(DataGrid, GroupingWithGroupFooters) {
    data::MemTable t("siparis");
    load(t,
         {{"SATICIADI", FieldType::Text}, {"TARIH", FieldType::DateTime}, {"TUTAR", FieldType::Float},
          {"IDNO", FieldType::Integer}},
         {{S("Zeki"), D(46000), D(100), I(1)},
          {S("Ahmet"), D(46001), D(50.5), I(2)},
          {S("Zeki"), D(46002), D(25), I(3)},
          {S("Çetin"), D(46003), D(10), I(4)},
          {S("Ahmet"), D(46004), D(4.5), I(5)},
          {S("Zeki"), D(46005), D(1), I(6)}});
    t.setDisplayFormat("TUTAR", "#,###,##0.00");
    DataGrid grid;
    grid.setDisplayLocale(kTurkish);
    grid.setColumns({
        {"SATICIADI", "", 1, {}, Visibility::Never},
        {"TARIH", "", 1},
        {"TUTAR", "", 1},
        {"IDNO", "", 1, {}, Visibility::HiddenOffered},
    });
    grid.attach(&t);
    grid.addFooter("TARIH", Aggregate::Count);
    grid.addFooter("TUTAR", Aggregate::Sum);
    grid.addGroupFooter("TARIH", Aggregate::Count);
    grid.addGroupFooter("TUTAR", Aggregate::Sum);
    grid.setGroupBy("SATICIADI");

    // Groups in Turkish alphabetical order, each with its count and sum.
    struct G {
        QString key;
        int count;
        double sum;
    };
    const G expected[] = {{"Ahmet", 2, 55.0}, {"Çetin", 1, 10.0}, {"Zeki", 3, 126.0}};
    ASSERT_EQ(grid.groupCount(), 3);
    for (int g = 0; g < 3; ++g) {
        EXPECT_EQ(grid.groupKey(g), expected[g].key);
        EXPECT_EQ(grid.groupRowCount(g), expected[g].count);
        EXPECT_EQ(grid.groupFooterValue(g, "TARIH"), double(expected[g].count));
        EXPECT_EQ(grid.groupFooterValue(g, "TUTAR"), expected[g].sum);
    }
    EXPECT_EQ(grid.footerValue("TUTAR"), 191.0);
    // Group row, its data rows and its footer row for every group.
    auto* m = grid.model();
    EXPECT_EQ(m->rowCount(), 3 + 6 + 3);
    EXPECT_EQ(m->rowKind(0), GridModel::RowKind::Group);
    EXPECT_EQ(m->sourceRow(1), 1);
    EXPECT_EQ(m->rowKind(3), GridModel::RowKind::GroupFooter);
    EXPECT_EQ(m->data(m->index(3, m->columnOf("TUTAR")), Qt::DisplayRole).toString(), "55,00");

    grid.collapseAll();
    EXPECT_EQ(m->rowCount(), 6) << "collapsed groups keep their header and footer rows";
    for (int g = 0; g < 3; ++g) EXPECT_FALSE(grid.isGroupExpanded(g));
    EXPECT_EQ(grid.footerValue("TUTAR"), 191.0) << "collapsing hides rows, it does not filter them";
    // Locating a row in a collapsed group opens that group only.
    EXPECT_TRUE(grid.focusRowWhere("IDNO", I(3)));
    EXPECT_EQ(grid.focusedRow(), 2);
    EXPECT_TRUE(grid.isGroupExpanded(2));
    EXPECT_FALSE(grid.isGroupExpanded(0));

    // Filters apply inside groups; an emptied group disappears.
    grid.expandAll();
    grid.setFilter("IDNO", {"1", "2", "3"});
    ASSERT_EQ(grid.groupCount(), 2);
    EXPECT_EQ(grid.groupFooterValue(1, "TUTAR"), 125.0);
    EXPECT_EQ(grid.footerValue("TARIH"), 3.0);

    grid.setGroupBy({});
    EXPECT_EQ(grid.groupCount(), 0);
    EXPECT_EQ(m->rowCount(), 3);
}

TEST(DataGrid, SortingByHeaderOrdersRowsByValue) {
    CartFixture f;
    f.grid.sortBy("NETTUTAR", Qt::DescendingOrder);
    auto* m = f.grid.model();
    std::vector<int> order;
    for (int r = 0; r < m->rowCount(); ++r) order.push_back(m->sourceRow(r));
    EXPECT_EQ(order, (std::vector<int>{0, 3, 2, 1, 4}));  // 1234.5, 999.99, 400, 80.25, 10
    f.grid.sortBy("STOKADI");
    order.clear();
    for (int r = 0; r < m->rowCount(); ++r) order.push_back(m->sourceRow(r));
    EXPECT_EQ(order, (std::vector<int>{4, 0, 3, 2, 1}));  // empty, Fren b., Fren d., Şanzıman, Yağ
}

TEST(DataGrid, PictureCellsDecodeImageBytes) {
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    red.save(&buffer, "PNG");
    data::MemTable t("duyuru");
    load(t, {{"RESIM", FieldType::Blob}, {"BASLIK", FieldType::Text}},
         {{Cell{wire::Blob{std::string(png.constData(), png.size())}}, S("one")},
          {Cell{wire::Blob{"not a picture"}}, S("two")}});
    DataGrid grid;
    grid.setColumns({{"RESIM", "", 1, {}, Visibility::Shown, CellKind::Picture, IconSet::None, 100},
                     {"BASLIK", "", 1, {}, Visibility::Never}});
    grid.setHeaderVisible(false);
    grid.setRowHeight(40);
    grid.resize(200, 200);
    grid.attach(&t);
    grid.view()->clearSelection();
    grid.view()->selectionModel()->clearCurrentIndex();
    const QImage shot = grid.view()->viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(50, 20), QColor(Qt::red)) << "picture drawn in the middle of the first row";
    EXPECT_NE(shot.pixelColor(50, 60), QColor(Qt::red)) << "undecodable bytes draw nothing";
}
