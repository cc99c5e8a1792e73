#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>

#include "FakeServices.h"
#include "StockFixtures.h"
#include "catalogue/ModalRunner.h"
#include "catalogue/Tstokayarinti.h"
#include "data/MemTable.h"

using namespace catalogue;
using catalogue_test::StockRow;
using catalogue_test::stockTable;

namespace {

void loadOne(data::MemTable& t, const StockRow& r) {
    t.load(stockTable({r}));
    t.first();
}

void releaseKey(QWidget* w, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

TEST(StockDetailDialog, CaptionsAndPriceDependOnPageAndCampaignFlag) {
    struct Case {
        Tstokayarinti::Sayfa sayfa;
        int k;
        const char* fiyatCaption;
        const char* indirimCaption;
        bool filled;
    };
    using S = Tstokayarinti::Sayfa;
    const Case cases[] = {
        {S::StokListesi, 0, "Fiyat:", "İndirim: %10+5", true},
        {S::StokListesi, 1, "Kampanyalı Fiyat:", "Kampanyalı 10+5", true},
        {S::StokListesi, -1, "Fiyat:", "İndirim:", false},
        {S::YeniUrunler, 1, "Kampanyalı Fiyat:", "Kampanyalı 10+5", true},
        {S::YeniUrunler, 0, "Fiyat:", "İndirim:  % 10+5", true},
        {S::YeniUrunler, -1, "Fiyat:", "İndirim:  % 10+5", true},
        {S::KampanyaliUrunler, 0, "Kampanyalı Fiyat:", "Kampanyalı 10+5", true},
    };
    for (const Case& c : cases) {
        data::MemTable stok("stok");
        StockRow r;
        r.k = c.k;
        r.fiyat = 100;
        r.ind[0] = 10;
        r.ind[1] = 5;
        r.indirimyazi = "10+5";
        loadOne(stok, r);
        auto d = Tstokayarinti::Ac(nullptr, r.stokno);
        d->fillFromStockRow(stok, c.sayfa, 3);
        EXPECT_EQ(d->Label2->text(), QString::fromUtf8(c.fiyatCaption)) << c.k;
        EXPECT_EQ(d->indirimoran->text(), QString::fromUtf8(c.indirimCaption)) << c.k;
        EXPECT_DOUBLE_EQ(d->birimfiyat->value(), c.filled ? 100.0 : 0.0) << c.k;
        EXPECT_DOUBLE_EQ(d->edindirim1->value(), c.filled ? 10.0 : 0.0) << c.k;
        EXPECT_EQ(d->barkod->text(), "A1");
        EXPECT_EQ(d->adi->text(), "YAG FILTRESI");
        EXPECT_DOUBLE_EQ(d->kdvoran, 18.0);
    }
}

TEST(StockDetailDialog, ShowingRecalculatesAndDecidesTheDiscountRowOnce) {
    data::MemTable stok("stok");
    StockRow r;
    r.ind[0] = 10;
    r.ind[1] = 5;
    loadOne(stok, r);
    auto d = Tstokayarinti::Ac(nullptr, 1);
    d->fillFromStockRow(stok, Tstokayarinti::Sayfa::StokListesi, 3);
    d->adet->setText("2");
    d->show();
    EXPECT_EQ(d->indtutar->text(), "29,00");
    EXPECT_EQ(d->kdvdahiltutar->text(), "100,89");
    EXPECT_EQ(d->geneltutar->text(), "201,78");
    EXPECT_TRUE(d->indtutar->isVisible());
    EXPECT_TRUE(d->indirimoran->isVisible());

    // Hidden for rates adding up to exactly 1, shown for 1.01.
    for (double rate : {1.0, 1.01}) {
        StockRow one;
        one.ind[0] = rate;
        loadOne(stok, one);
        auto e = Tstokayarinti::Ac(nullptr, 1);
        e->fillFromStockRow(stok, Tstokayarinti::Sayfa::StokListesi, 3);
        e->show();
        EXPECT_EQ(e->indtutar->isVisible(), rate > 1) << rate;
        EXPECT_EQ(e->indirimoran->isVisible(), rate > 1) << rate;
    }
}

TEST(StockDetailDialog, F4InAnyAmountBoxTakesTheVatOutAndRecalculates) {
    data::MemTable stok("stok");
    StockRow r;
    r.fiyat = 118.00;
    loadOne(stok, r);
    auto d = Tstokayarinti::Ac(nullptr, 1);
    d->fillFromStockRow(stok, Tstokayarinti::Sayfa::StokListesi, 3);  // price read-only
    d->show();
    EXPECT_EQ(d->geneltutar->text(), "139,24");
    releaseKey(d->birimfiyat, Qt::Key_F4);
    EXPECT_EQ(d->birimfiyat->text(), "100,00");
    EXPECT_EQ(d->geneltutar->text(), "118,00");
    releaseKey(d->geneltutar, Qt::Key_F4);
    EXPECT_EQ(d->birimfiyat->text(), "84,75");
    EXPECT_EQ(d->kdvdahiltutar->text(), "100,00");  // 84.75 x 1.18 is stored just below 100.005
}

TEST(StockDetailDialog, QuantityChangesRecalculateAndKeepThePrice) {
    data::MemTable stok("stok");
    StockRow r;
    r.fiyat = 10.00;
    loadOne(stok, r);
    auto d = Tstokayarinti::Ac(nullptr, 1);
    d->fillFromStockRow(stok, Tstokayarinti::Sayfa::StokListesi, 3);
    d->show();
    EXPECT_EQ(d->adet->text(), "1");
    d->adet->stepBy(2);
    EXPECT_EQ(d->adet->text(), "3");
    EXPECT_EQ(d->geneltutar->text(), "35,40");
    EXPECT_EQ(d->kdvdahiltutar->text(), "11,80");
    EXPECT_EQ(d->birimfiyat->text(), "10,00");
    d->adet->setText("2,5");  // not a whole number: the recalculation takes 1
    EXPECT_EQ(d->geneltutar->text(), "11,80");
    // Letters cannot be typed into the quantity; digits, signs and the decimal separator can.
    d->adet->setText("");
    QTest::keyClicks(d->adet, "2a,5");
    EXPECT_EQ(d->adet->text(), "2,5");
    d->adet->setText("0");  // zero shows empty amounts
    EXPECT_EQ(d->geneltutar->text(), "");
    EXPECT_EQ(d->kdvdahiltutar->text(), "");
}

TEST(StockDetailDialog, EnterInTheQuantityConfirmsAValidQuantityOnly) {
    testing_support::ScopedFakeServices fake;
    data::MemTable stok("stok");
    StockRow r;
    r.fiyat = 50;
    r.ind[0] = -5;
    loadOne(stok, r);
    struct Case {
        const char* typed;
        bool accepted;
    };
    for (const Case c : {Case{"4", true}, Case{"2,5", false}, Case{"", false}, Case{"0", false}, Case{"10001", false}}) {
        fake->messages.clear();
        auto d = Tstokayarinti::Ac(nullptr, 1);
        d->fillFromStockRow(stok, Tstokayarinti::Sayfa::StokListesi, 3);
        std::optional<Tstokayarinti::Onay> onay;
        {
            ScopedModalRunner runner([&](QDialog& dlg) {
                dlg.show();
                d->adet->setText(QString::fromUtf8(c.typed));
                QTest::keyClick(d->adet, Qt::Key_Return);
                const int result = dlg.result();
                if (dlg.isVisible()) dlg.reject();  // the user gives up
                return result == QDialog::Accepted ? result : dlg.result();
            });
            onay = d->calistir();
        }
        EXPECT_EQ(onay.has_value(), c.accepted) << c.typed;
        EXPECT_EQ(fake->messages.size(), c.accepted ? 0u : 1u) << c.typed;
        if (!c.accepted) {
            EXPECT_EQ(fake->messages[0].kind, platform::MsgKind::Error);
            EXPECT_TRUE(fake->messages[0].text.contains("tam sayı")) << fake->messages[0].text.toStdString();
        } else {
            EXPECT_DOUBLE_EQ(onay->miktar, 4);
            EXPECT_DOUBLE_EQ(onay->fiyat, 50);
            EXPECT_DOUBLE_EQ(onay->indirimler[0], -5);  // sent as it stands
        }
    }
}

TEST(StockDetailDialog, EnterInThePriceBoxDoesNothing) {
    data::MemTable stok("stok");
    loadOne(stok, StockRow{});
    auto d = Tstokayarinti::Ac(nullptr, 1);
    d->fillFromStockRow(stok, Tstokayarinti::Sayfa::StokListesi, 1);
    d->show();
    QTest::keyClick(d->birimfiyat, Qt::Key_Return);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->result(), 0);
}

TEST(StockDetailDialog, StaffMayChangePriceAndDiscounts) {
    struct Case {
        int tip;
        Tstokayarinti::Sayfa sayfa;
        bool editable;
        bool panel;
    };
    using S = Tstokayarinti::Sayfa;
    const Case cases[] = {{1, S::StokListesi, true, true},  {2, S::YeniUrunler, true, true},
                          {2, S::KampanyaliUrunler, true, false}, {3, S::StokListesi, false, false},
                          {4, S::StokListesi, false, false}};
    for (const Case& c : cases) {
        data::MemTable stok("stok");
        loadOne(stok, StockRow{});
        auto d = Tstokayarinti::Ac(nullptr, 1);
        d->fillFromStockRow(stok, c.sayfa, c.tip);
        d->show();
        EXPECT_EQ(!d->birimfiyat->isReadOnly(), c.editable) << c.tip;
        EXPECT_EQ(!d->edindirim3->isReadOnly(), c.editable) << c.tip;
        EXPECT_EQ(d->GridPanel2->isVisible(), c.panel) << c.tip;
        EXPECT_TRUE(d->indtutar->isReadOnly());
    }

    // A typed price and discount are what the dialog confirms.
    data::MemTable stok("stok");
    loadOne(stok, StockRow{});
    auto d = Tstokayarinti::Ac(nullptr, 1);
    d->fillFromStockRow(stok, Tstokayarinti::Sayfa::StokListesi, 1);
    d->show();
    d->birimfiyat->setText("1.234,5");
    d->edindirim2->setText("7,5");
    releaseKey(d->edindirim2, Qt::Key_Shift);
    EXPECT_EQ(d->kdvdahiltutar->text(), "1.347,45");  // 1234.50 x 0.925 = 1141.91, x 1.18
    const auto onay = d->okunanDegerler();
    ASSERT_TRUE(onay);
    EXPECT_DOUBLE_EQ(onay->fiyat, 1234.5);
    EXPECT_DOUBLE_EQ(onay->indirimler[1], 7.5);

    // What a staff user may leave in the price box.
    struct Typed {
        const char* text;
        double value;
    };
    for (const Typed t : {Typed{"12,", 12}, Typed{",5", 0.5}, Typed{"", 0}, Typed{"3,456", 3.46}, Typed{"1.000", 1000}}) {
        d->birimfiyat->setText(QString::fromUtf8(t.text));
        EXPECT_DOUBLE_EQ(d->birimfiyat->value(), t.value) << t.text;
    }
}

TEST(StockDetailDialog, FillsFromACartLineForALineChange) {
    data::MemTable sepet("sepet");
    wire::Table t;
    for (const char* n : {"SIRANO", "STOKNO", "BARKOD", "STOKADI", "MARKA", "FINISHKOD", "MODEL", "KDV", "INDIRIMORANI1",
                          "INDIRIMORANI2", "INDIRIMORANI3", "INDIRIMORANI4", "BIRIMFIYAT", "MIKTAR"})
        t.columns.push_back({n, wire::FieldType::Text, 40});
    for (int i : {0, 1}) t.columns[i].type = wire::FieldType::Integer;
    for (int i = 7; i < 14; ++i) t.columns[i].type = wire::FieldType::Float;
    using C = wire::Cell;
    t.appendRow({C(std::int64_t(9)), C(std::int64_t(77)), C(std::string("B7")), C(std::string("FREN BALATASI")),
                 C(std::string("M")), C(std::string("F")), C(std::string("X")), C(18.0), C(10.0), C(5.0), C(0.0), C(0.0),
                 C(100.0), C(2.0)});
    sepet.load(t);
    sepet.first();
    auto d = Tstokayarinti::Ac(nullptr, 77);
    d->fillFromCartLine(sepet, 3);
    d->show();
    EXPECT_EQ(d->windowTitle(), "Sepete Ekle");
    EXPECT_EQ(d->adi->text(), "FREN BALATASI");
    EXPECT_EQ(d->adet->text(), "2");
    EXPECT_EQ(d->geneltutar->text(), "201,78");
    EXPECT_TRUE(d->birimfiyat->isReadOnly());
    EXPECT_FALSE(d->GridPanel2->isVisible());
    EXPECT_EQ(d->stokno, 77);
}

TEST(StockDetailDialog, LeavingTheQuantityPullsItIntoRange) {
    auto d = Tstokayarinti::Ac(nullptr, 1);
    d->show();
    d->activateWindow();
    d->adet->setFocus();
    d->adet->setText("20000");
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(d->adet, &out);
    EXPECT_EQ(d->adet->text(), "10000");
    d->adet->setText("3,5");
    QApplication::sendEvent(d->adet, &out);
    EXPECT_EQ(d->adet->text(), "3,5");
}

}  // namespace
