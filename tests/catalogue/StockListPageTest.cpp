#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTabWidget>
#include <QTest>
#include <atomic>
#include <condition_variable>
#include <mutex>

#include "FakeServices.h"
#include "StockFixtures.h"
#include "app/TForm1.h"
#include "catalogue/ModalRunner.h"
#include "catalogue/StockListPage.h"
#include "catalogue/StockListRules.h"
#include "catalogue/Thareket_stok.h"
#include "catalogue/Tstokayarinti.h"
#include "tests/remote/ScriptedDispatcher.h"
#include "wire/TestServer.h"

using namespace catalogue;
using catalogue_test::StockRow;
using catalogue_test::stockTable;
using testing_support::ScriptedDispatcher;

namespace {

const std::string kAra = "TServerMethods1.StokAraGetirTarvo";

std::vector<StockRow> rows(int n) {
    std::vector<StockRow> out;
    for (int i = 0; i < n; ++i) {
        StockRow r;
        r.stokno = 100 + i;
        r.barkod = "FIL-" + std::to_string(i);
        out.push_back(r);
    }
    return out;
}

void typeChar(QWidget* w, QChar ch) {
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

class StockListPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.bagc.setHostName("127.0.0.1");
        form.bagc.setPort(server.port());
        form.bagc.setRetryPause([] {});
        form.sbilgi.SetCARINO(314);
        form.sbilgi.SetMusteriTipi(3);
        page = form.sstoklistesi->findChild<StockListPage*>();
        ASSERT_NE(page, nullptr);
        dispatcher.on(kAra, [this](const wire::Call& c) {
            return ScriptedDispatcher::reply(c, wire::Value::dataPacket(stockTable(rows(answerRows))));
        });
        form.show();
    }

    std::vector<wire::Call> callsOf(const std::string& command) const {
        std::vector<wire::Call> out;
        for (const auto& c : dispatcher.calls())
            if (c.command == command) out.push_back(c);
        return out;
    }

    // Types the text and presses Enter, then waits for the search to end.
    void search(const QString& text) {
        form.araedit->setText(text);
        QTest::keyClick(form.araedit, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !page->aramaSuruyor(); }, 10000));
    }

    QString caption() const { return form.pageCaption("sstoklistesi"); }

    testing_support::ScopedFakeServices fake;
    ScriptedDispatcher dispatcher;
    wire::TestServer server{dispatcher};
    TForm1 form;
    StockListPage* page = nullptr;
    int answerRows = 25;
};

TEST_F(StockListPageTest, TypedTurkishLettersBecomePlainUpperCaseLatinButPastedTextIsNotFiltered) {
    form.araedit->clear();
    for (QChar ch : QStringLiteral("çğışöü")) typeChar(form.araedit, ch);
    EXPECT_EQ(form.araedit->text(), "CGISOU");
    form.araedit->clear();
    for (QChar ch : QStringLiteral("ıi fİl")) typeChar(form.araedit, ch);
    EXPECT_EQ(form.araedit->text(), "II FIL");

    form.araedit->clear();
    QApplication::clipboard()->setText(QStringLiteral("çelik"));
    form.araedit->paste();
    EXPECT_TRUE(form.araedit->text().startsWith(QStringLiteral("Ç"))) << form.araedit->text().toStdString();
}

TEST_F(StockListPageTest, ShortSearchesWarnAndSendNothing) {
    struct Case {
        const char* text;
        bool searches;
    };
    for (const Case c : {Case{"AB", false}, Case{"  AB  ", false}, Case{"A B", true}, Case{"  ABC ", true}}) {
        form.showPage("ssepet");
        fake->messages.clear();
        const auto before = callsOf(kAra).size();
        search(QString::fromUtf8(c.text));
        EXPECT_EQ(form.sPageControl1->currentWidget(), form.sstoklistesi) << c.text;  // switched first, even when short
        EXPECT_EQ(callsOf(kAra).size() - before, c.searches ? 1u : 0u) << c.text;
        if (!c.searches) {
            ASSERT_EQ(fake->messages.size(), 1u) << c.text;
            EXPECT_EQ(fake->messages[0].text, "Lütfen en az 3 harf giriniz !");
            EXPECT_EQ(fake->messages[0].kind, platform::MsgKind::Warning);
        } else {
            // Sent as typed, spaces included.
            EXPECT_EQ(callsOf(kAra).back().params[0].asText(), c.text);
        }
    }
}

TEST_F(StockListPageTest, ASearchFillsTheListAndTheCaption) {
    search("FIL");
    const auto calls = callsOf(kAra);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].params[1].asObject()["fields"]["FCARINO"], 314);
    EXPECT_EQ(form.stok.rowCount(), 25u);
    EXPECT_EQ(caption(), "25=Stok Listesi");
    EXPECT_EQ(page->cxGrid1->rowCount(), 25);
    EXPECT_TRUE(page->cxGrid1->isAttached());
    EXPECT_EQ(page->cxGrid1->footerText("OEM1"), "25");
    EXPECT_EQ(form.stok.fields()[form.stok.fieldIndex("FIYAT")].displayFormat, "#,###,##0.00");
    EXPECT_EQ(page->cxGrid1->cellText(0, "LISTEFIYAT1"), "100,00");  // the user's (Turkish) number format
    EXPECT_TRUE(form.araedit->isEnabled());
    EXPECT_EQ(form.araedit->selectedText(), "FIL");
    EXPECT_FALSE(form.gifstokara->isVisible());
    EXPECT_TRUE(fake->messages.empty());

    answerRows = 0;  // no match is no failure
    search("XYZ");
    EXPECT_EQ(caption(), "0=Stok Listesi");
    EXPECT_TRUE(fake->messages.empty());
}

TEST_F(StockListPageTest, AFailedSearchEmptiesTheListAndSaysSo) {
    search("FIL");
    ASSERT_EQ(form.stok.rowCount(), 25u);
    struct Case {
        const char* name;
        ScriptedDispatcher::Handler answer;
    };
    const Case cases[] = {
        {"server error", [](const wire::Call&) { return wire::Answer::failure("veritabanı hatası"); }},
        {"no IND1 column",
         [](const wire::Call& c) {
             wire::Table t = stockTable(rows(3));
             t.columns[t.columnIndex("IND1")].name = "IND9";
             return ScriptedDispatcher::reply(c, wire::Value::dataPacket(t));
         }},
    };
    for (const Case& c : cases) {
        dispatcher.on(kAra, c.answer);
        fake->messages.clear();
        search("FIL");
        EXPECT_EQ(form.stok.rowCount(), 0u) << c.name;
        EXPECT_EQ(caption(), "Stok Listesi") << c.name;
        ASSERT_EQ(fake->messages.size(), 1u) << c.name;
        EXPECT_EQ(fake->messages[0].text, "Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");
        EXPECT_EQ(fake->messages[0].kind, platform::MsgKind::Error);
        EXPECT_TRUE(form.araedit->isEnabled());
    }
}

TEST_F(StockListPageTest, ClearingWaitsForARunningSearch) {
    std::mutex m;
    std::condition_variable cv;
    bool release = false;
    dispatcher.on(kAra, [&](const wire::Call& c) {
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return release; });
        return ScriptedDispatcher::reply(c, wire::Value::dataPacket(stockTable(rows(4))));
    });
    form.araedit->setText("FIL");
    QTest::keyClick(form.araedit, Qt::Key_Return);
    ASSERT_TRUE(page->aramaSuruyor());
    EXPECT_FALSE(form.araedit->isEnabled());
    page->SpeedButton1Click();  // "Temizle" while searching: nothing
    page->SpeedButton2Click();  // "Ara" while searching: nothing
    EXPECT_EQ(form.araedit->text(), "FIL");
    {
        std::lock_guard lock(m);
        release = true;
    }
    cv.notify_all();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !page->aramaSuruyor(); }, 10000));
    EXPECT_EQ(callsOf(kAra).size(), 1u);
    EXPECT_EQ(caption(), "4=Stok Listesi");

    form.showPage("ssepet");
    form.SpeedButton1->click();
    EXPECT_EQ(form.stok.rowCount(), 0u);
    EXPECT_EQ(caption(), "Stok Listesi");
    EXPECT_TRUE(form.araedit->text().isEmpty());
    EXPECT_EQ(form.sPageControl1->currentWidget(), form.sstoklistesi);
}

TEST_F(StockListPageTest, OtherPagesStartAndClearSearchesThroughTheContext) {
    ASSERT_TRUE(form.context.startSearch);
    form.context.startSearch("YAĞ");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !page->aramaSuruyor(); }, 10000));
    EXPECT_EQ(callsOf(kAra).at(0).params[0].asText(), "YAĞ");
    form.showPage("ssepet");
    form.context.clearStockList();
    EXPECT_EQ(form.stok.rowCount(), 0u);
    EXPECT_EQ(caption(), "0=Stok Listesi");
    EXPECT_EQ(form.sPageControl1->currentWidget(), form.sstoklistesi);
}

TEST_F(StockListPageTest, LayoutFollowsTheWindowWidth) {
    struct Case {
        int width;
        bool wide;
    };
    for (const Case c : {Case{1153, true}, Case{1152, false}, Case{1400, true}, Case{1000, false}}) {
        form.resize(c.width, 700);
        page->StokKolonlariDuzenle();
        auto* g = page->cxGrid1;
        for (const char* f : {"LISTEFIYAT1", "NETFIYAT", "KDVDAHIL", "KAMPFIYAT"})
            EXPECT_EQ(g->isColumnVisible(f), c.wide) << c.width << f;
        EXPECT_EQ(g->isColumnVisible(kFiyatBilgisi), !c.wide) << c.width;
        EXPECT_EQ(g->gridStyle().rowHeight, c.wide ? 60 : 100) << c.width;
    }

    // Narrow: the visible weights add up to 20; a grid 1030 wide gives a unit of 50.
    form.resize(1100, 700);
    page->cxGrid1->resize(1030, 400);
    page->StokKolonlariDuzenle();
    EXPECT_EQ(page->cxGrid1->columnWidth("ADI"), 150);
    EXPECT_EQ(page->cxGrid1->columnWidth("MARKA"), 100);
    EXPECT_EQ(page->cxGrid1->columnWidth("DURUM"), 50);
    EXPECT_EQ(page->cxGrid1->columnWidth(kFiyatBilgisi), 150);
    page->cxGrid1->setColumnVisible("OEM1", true);  // the hidden column got its width too
    EXPECT_EQ(page->cxGrid1->columnWidth("OEM1"), 80);
}

TEST_F(StockListPageTest, CustomerTypeDecidesStaffAndCampaignColumns) {
    struct Case {
        int tip;
        bool staff;
        bool campaign;
    };
    for (const Case c : {Case{1, true, true}, Case{2, true, true}, Case{3, false, true}, Case{4, false, false}}) {
        TForm1 w;
        w.sbilgi.SetMusteriTipi(c.tip);
        auto* p = w.sstoklistesi->findChild<StockListPage*>();
        for (const auto& adapt : w.context.customerTypeAdapters) adapt(c.tip);
        for (int width : {1400, 1000}) {
            w.resize(width, 700);
            p->StokKolonlariDuzenle();
            for (const char* f : {"KALAN", "ALINANSIPARIS", "VERILENSIPARIS"}) {
                EXPECT_EQ(p->cxGrid1->isColumnVisible(f), c.staff) << c.tip << f;
                EXPECT_EQ(p->cxGrid1->chooserFields().contains(f), c.staff) << c.tip << f;
            }
            EXPECT_EQ(p->cxGrid1->isColumnVisible("K"), c.campaign) << c.tip;
            EXPECT_EQ(p->cxGrid1->isColumnVisible("KAMPFIYAT"), c.campaign && width > 1152) << c.tip;
            EXPECT_EQ(p->cxGrid1->chooserFields().contains("KAMPFIYAT"), c.campaign) << c.tip;
            EXPECT_EQ(p->cxGrid1->chooserFields().contains("K"), c.campaign) << c.tip;
            EXPECT_FALSE(p->cxGrid1->chooserFields().contains("STOK_STOKNO"));
        }
    }
}

TEST_F(StockListPageTest, PriceSummaryTextHasThreeOrFourLines) {
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    EXPECT_EQ(fiyatBilgisiYazisi(1234.5, 0, 1000, 1180, tr),
              "Liste Fiyatı: 1.234,50\r\nNetFiyat: 1.000,00\r\nKDV li Fiyat: 1.180,00\r\n");
    EXPECT_EQ(fiyatBilgisiYazisi(15, 12.5, 10, 11.8, tr),
              "Liste Fiyatı: 15,00\r\nKampanyalı Fiyat: 12,50\r\nNetFiyat: 10,00\r\nKDV li Fiyat: 11,80\r\n");
    EXPECT_EQ(fiyatBilgisiYazisi(15, 12.5, 10, 11.8, QLocale(QLocale::English, QLocale::UnitedStates)),
              "Liste Fiyatı: 15.00\r\nKampanyalı Fiyat: 12.50\r\nNetFiyat: 10.00\r\nKDV li Fiyat: 11.80\r\n");
}

class DoubleClick : public StockListPageTest {
protected:
    void SetUp() override {
        StockListPageTest::SetUp();
        answerRows = 3;
        search("FIL");
        // The cart holds stock 101.
        wire::Table cart;
        cart.columns = {{"SIRANO", wire::FieldType::Integer, 0}, {"STOKNO", wire::FieldType::Integer, 0}};
        cart.appendRow({std::int64_t{7}, std::int64_t{101}});
        form.sepet.load(cart);
        dispatcher.on("TServerMethods1.ResimVer5", [](const wire::Call& c) {
            wire::Answer a;
            a.values = {wire::Value(), wire::Value::int64(0), wire::Value::stream("")};
            return a;
        });
    }
    QStringList popupTexts() const {
        QStringList out;
        for (QAction* a : page->popstok->actions()) out << a->text();
        return out;
    }
    int dialogs = 0;
    catalogue::ScopedModalRunner runner{[this](QDialog& d) {
        ++dialogs;
        return int(QDialog::Rejected);
    }};
};

TEST_F(DoubleClick, AnItemInTheCartIsChangedThereNeverAddedTwice) {
    std::vector<int> opened;
    int sirano = 0;
    form.context.openCartLineForStock = [&](int stokno) {
        opened.push_back(stokno);
        sirano = static_cast<int>(form.sepet.asInteger("SIRANO"));
        return true;
    };
    page->cxGrid1->focusRowWhere("STOK_STOKNO", wire::Cell(std::int64_t{101}));
    page->cxGrid1DBTableView1DblClick();
    EXPECT_EQ(opened, std::vector<int>{101});
    EXPECT_EQ(sirano, 7);
    EXPECT_EQ(dialogs, 0);

    page->cxGrid1->focusRowWhere("STOK_STOKNO", wire::Cell(std::int64_t{102}));
    page->S2->trigger();
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(dialogs, 1);  // not in the cart: the detail dialog
    EXPECT_EQ(form.stok.asInteger("STOK_STOKNO"), 102);

    // Without the cart's line change the dialog does not open for an add either.
    form.context.openCartLineForStock = nullptr;
    page->cxGrid1->focusRowWhere("STOK_STOKNO", wire::Cell(std::int64_t{101}));
    page->cxGrid1DBTableView1DblClick();
    EXPECT_EQ(dialogs, 1);
    ASSERT_EQ(fake->messages.size(), 1u);
    EXPECT_EQ(fake->messages[0].kind, platform::MsgKind::Information);
    EXPECT_TRUE(callsOf("TServerMethods1.SepetEkle2").empty());
}

TEST_F(DoubleClick, MenuEntriesActOnTheFocusedRowOnly) {
    std::vector<int> orderLines;
    form.context.showOrderLinesOfStock = [&](int stokno) { orderLines.push_back(stokno); };
    form.stok.emptyDataSet();
    page->S3->trigger();
    page->StokHareketleri1->trigger();
    page->cxGrid1DBTableView1DblClick();
    EXPECT_TRUE(orderLines.empty());
    EXPECT_EQ(dialogs, 0);

    search("FIL");
    page->cxGrid1->focusRowWhere("STOK_STOKNO", wire::Cell(std::int64_t{100}));
    page->S3->trigger();
    EXPECT_EQ(orderLines, std::vector<int>{100});
    page->SiparisBakiyeleriniz1->trigger();  // no action
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(popupTexts(), QStringList({"Sepete Ekle", "", "Sipariş Bakiyeleriniz", "", "Siparişleri Göster", "",
                                         "Stok Hareketleri"}));
}

TEST_F(StockListPageTest, StockMovementsAskTheServerEachTime) {
    answerRows = 2;
    search("FIL");
    dispatcher.on("TServerMethods1.StokHareketVer", [](const wire::Call& c) {
        wire::Table t;
        for (const auto& col : hareketKolonlari()) t.columns.push_back({col.field.toStdString(), wire::FieldType::Float, 0});
        t.columns[1].type = wire::FieldType::DateTime;
        std::vector<wire::Cell> row(t.columns.size(), wire::Cell(0.0));
        const int net = t.columnIndex("NETBIRIMFIYAT"), kdv = t.columnIndex("KDVDAHILTUTAR"), miktar = t.columnIndex("MIKTAR");
        for (double v : {10.0, 20.0, 45.0}) {
            row[net] = v;
            row[kdv] = v * 2;
            row[miktar] = 1.0;
            t.appendRow(row);
        }
        return ScriptedDispatcher::reply(c, wire::Value::dataPacket(t));
    });
    std::vector<QString> seen;
    catalogue::ScopedModalRunner runner([&](QDialog& d) {
        auto& w = static_cast<Thareket_stok&>(d);
        EXPECT_EQ(w.windowTitle(), "Stok Hareketleri");
        EXPECT_EQ(w.cxGrid1->rowCount(), 3);
        EXPECT_EQ(w.cxGrid1->footerValue("MIKTAR"), 3.0);
        EXPECT_EQ(w.cxGrid1->footerValue("NETBIRIMFIYAT"), 25.0);
        EXPECT_EQ(w.cxGrid1->footerValue("KDVDAHILTUTAR"), 50.0);
        EXPECT_FALSE(w.cxGrid1->isColumnVisible("BARKOD"));
        EXPECT_TRUE(w.cxGrid1->chooserFields().contains("BARKOD"));
        EXPECT_EQ(w.cxGrid1->columnWidth("TURU"), 171);
        seen.push_back(w.cxGrid1->visibleFields().join(","));
        w.Button1->click();
        return int(QDialog::Rejected);
    });
    page->cxGrid1->focusRowWhere("STOK_STOKNO", wire::Cell(std::int64_t{101}));
    page->StokHareketleri1->trigger();
    page->StokHareketleri1->trigger();
    EXPECT_EQ(seen.size(), 2u);
    const auto calls = callsOf("TServerMethods1.StokHareketVer");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].params[0].asInt32(), 314);
    EXPECT_EQ(calls[0].params[1].asInt32(), 101);
    EXPECT_EQ(seen[0], "TARIH,TURU,EVRAKSERI,EVRAKSIRA,MIKTAR,TLBIRIMFIYAT,TLVERGI,TLTUTAR,TOPLAMINDIRIM,NETBIRIMFIYAT,"
                       "NETTLTUTAR,KDVDAHILBIRIMFIYAT,KDVDAHILTUTAR");

    // A failing call opens no window and shows the error.
    dispatcher.on("TServerMethods1.StokHareketVer", [](const wire::Call&) { return wire::Answer::failure("yetki yok"); });
    page->StokHareketleri1->trigger();
    EXPECT_EQ(seen.size(), 2u);
    ASSERT_FALSE(fake->messages.empty());
    EXPECT_EQ(fake->messages.back().text, "yetki yok");
}

}  // namespace
