#include <QAbstractItemView>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "CartFixture.h"
#include "grid/DataGrid.h"
#include "grid/GridModel.h"

namespace cart_test {
namespace {

using Events = std::vector<std::string>;

// The events of the log that match one of the prefixes, in order.
Events only(const Events& all, std::initializer_list<const char*> prefixes) {
    Events out;
    for (const auto& e : all)
        for (const char* p : prefixes)
            if (e.rfind(p, 0) == 0) out.push_back(e);
    return out;
}

class CartPageTest : public CartFixture {};

TEST_F(CartPageTest, ShowingThePageLoadsInTheBackgroundAndTotalsTheSelectedLines) {
    {
        std::lock_guard lock(server.mutex());
        server.overdueText = "Vadesi 30 günü geçen 1.250,00 TL bakiyeniz var";
    }
    cart->lbluyarbakiye->setText("önceki ziyaretin uyarısı");
    server.cartGate.arm();
    page.show();

    EXPECT_TRUE(cart->loading());
    EXPECT_TRUE(cart->lbluyarbakiye->text().isEmpty());
    EXPECT_TRUE(gifsepet.isVisible());
    EXPECT_FALSE(cart->cxGrid2->isEnabled());
    for (QPushButton* b : {cart->Button1, cart->Button2, cart->Button4, cart->Button5}) EXPECT_FALSE(b->isEnabled());

    server.cartGate.release();
    ASSERT_TRUE(waitFor([&] { return !cart->loading(); }));
    EXPECT_EQ(captions["ssepet"], "3=Sepet");
    EXPECT_EQ(label("aratoplaml"), "150,00");
    EXPECT_EQ(label("indiriml"), "15,00");
    EXPECT_EQ(label("vergil"), "24,30");
    EXPECT_EQ(label("nettutarl"), "135,00");
    EXPECT_EQ(label("geneltoplaml"), "159,30");
    EXPECT_FALSE(cart->GroupBox2->isVisible());
    EXPECT_TRUE(cart->cxGrid2->isEnabled());
    EXPECT_TRUE(cart->cxGrid2->isAttached());
    EXPECT_EQ(cart->cxGrid2->rowCount(), 3);
    EXPECT_FALSE(gifsepet.isVisible());
    EXPECT_TRUE(cart->Button4->isEnabled());
    EXPECT_EQ(sepet.field(sepet.fieldIndex("TUTAR")).displayFormat, "#,###,##0.00");

    ASSERT_TRUE(waitFor([&] { return !cart->lbluyarbakiye->text().isEmpty(); }));
    EXPECT_EQ(cart->lbluyarbakiye->text(), QString::fromUtf8("Vadesi 30 günü geçen 1.250,00 TL bakiyeniz var"));
    EXPECT_EQ(server.callsOf("CariVadeGunGecmismiBul").at(0).params.at(0).asInt32(), 7);
    EXPECT_EQ(server.callsOf("SepetVer2").at(0).params.at(0).asInt32(), 7);
}

TEST_F(CartPageTest, CommandsAreRefusedWhileTheLoadRunsAndANewerReloadIsNotOverwritten) {
    loadNow();
    server.cartGate.arm();
    cart->SepetAl(true);  // holds the three-line cart on its way back
    ASSERT_TRUE(waitFor([&] { return server.callsOf("SepetVer2").size() == 2; }));

    cart->Button4Click();
    cart->Button5Click();
    cart->HepsiniSil1Click();
    cart->Button1Click();
    EXPECT_TRUE(server.callsOf("SepetSecimGuncelle").empty());
    EXPECT_TRUE(server.callsOf("SepetHepsiniSil").empty());
    EXPECT_TRUE(fake.messages.empty());

    {  // another page changes the cart and reloads it synchronously meanwhile
        std::lock_guard lock(server.mutex());
        server.lines.pop_back();
    }
    ctx.SepetAl(false);
    EXPECT_EQ(sepet.rowCount(), 2u);
    EXPECT_EQ(captions["ssepet"], "2=Sepet");

    server.cartGate.release();
    ASSERT_TRUE(waitFor([&] { return !cart->loading(); }));
    EXPECT_EQ(sepet.rowCount(), 2u) << "the older background answer replaced the newer cart";
    EXPECT_EQ(cart->cxGrid2->rowCount(), 2);
    EXPECT_EQ(captions["ssepet"], "2=Sepet");
}

TEST_F(CartPageTest, ACartFetchedForTheCustomerTheUserHasLeftIsNotShown) {
    server.cartGate.arm();
    cart->SepetAl(true);
    ASSERT_TRUE(waitFor([&] { return server.callsOf("SepetVer2").size() == 1; }));
    sbilgi.SetCARINO(8);  // staff picked another customer meanwhile
    server.cartGate.release();
    ASSERT_TRUE(waitFor([&] { return !cart->loading(); }));
    EXPECT_FALSE(sepet.active());
    EXPECT_EQ(captions["ssepet"], "0=Sepet");
}

TEST_F(CartPageTest, ColumnWidthsStayWhileTheCartLoadsAndFollowTheRuleAfterwards) {
    page.show();
    ASSERT_TRUE(waitFor([&] { return !cart->loading(); }));
    cart->cxGrid2->setColumnWidth("STOKADI", 20);
    server.cartGate.arm();
    cart->SepetAl(true);
    page.resize(page.width() - 150, page.height());
    QCoreApplication::processEvents();
    EXPECT_EQ(cart->cxGrid2->columnWidth("STOKADI"), 20);
    server.cartGate.release();
    ASSERT_TRUE(waitFor([&] { return !cart->loading(); }));
    ASSERT_TRUE(waitFor([&] { return cart->cxGrid2->columnWidth("STOKADI") != 20; }));
}

TEST_F(CartPageTest, AFailedBackgroundFetchCompletesThePageThenShowsTheError) {
    {
        std::lock_guard lock(server.mutex());
        server.cartError = "Sepet okunamadı";
    }
    cart->SepetAl(true);
    ASSERT_TRUE(waitFor([&] { return !fake.messages.empty(); }));
    EXPECT_EQ(only(events(), {"caption:", "msg:"}), (Events{"caption:0=Sepet", "msg:Sepet okunamadı"}));
    EXPECT_EQ(fake.messages[0].kind, platform::MsgKind::Error);
    EXPECT_TRUE(cart->cxGrid2->isEnabled());
    EXPECT_FALSE(sepet.active());

    // Outside the page load the error reaches the caller at once.
    EXPECT_THROW(ctx.SepetAl(false), std::exception);
}

TEST_F(CartPageTest, SelectAllAndNoneSendOneCallPerLineEachOnAFreshConnection) {
    loadNow();
    ASSERT_TRUE(cart->cxGrid2->focusRow(1));
    araedit.setText("filtre");
    const struct {
        QPushButton* button;
        int flag;
        const char* total;
    } cases[] = {{cart->Button4, 1, "1.149,99"}, {cart->Button5, 0, "0,00"}, {cart->Button4, 1, "1.149,99"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flag);
        log.clear();
        const std::size_t before = tcp.connectionsAccepted();
        const std::size_t callsBefore = server.callsOf("SepetSecimGuncelle").size();
        c.button->click();
        const auto calls = server.callsOf("SepetSecimGuncelle");
        ASSERT_EQ(calls.size() - callsBefore, 3u);
        std::vector<int> siranos;
        for (std::size_t i = callsBefore; i < calls.size(); ++i) {
            siranos.push_back(calls[i].params.at(0).asInt32());
            EXPECT_EQ(calls[i].params.at(1).asInt32(), c.flag);
        }
        EXPECT_EQ(siranos, (std::vector<int>{11, 12, 13}));
        EXPECT_EQ(tcp.connectionsAccepted() - before, 3u);
        EXPECT_EQ(cart->cxGrid2->focusedRow(), 1);  // the user's line stays focused
        for (int s : {11, 12, 13}) EXPECT_EQ(sec(s), c.flag);
        ASSERT_TRUE(cart->cxGrid2->focusRow(1));
        EXPECT_EQ(label("aratoplaml"), QString::fromUtf8(c.total));
        EXPECT_EQ(cart->cxGrid2->view()->model()->index(0, 0).data(Qt::CheckStateRole).toInt(),
                  c.flag ? Qt::Checked : Qt::Unchecked);  // the grid shows the new flags
        EXPECT_TRUE(only(events(), {"call:SepetVer2"}).empty());  // the selection is not reloaded
    }
    EXPECT_EQ(araedit.selectedText(), "filtre");
}

TEST_F(CartPageTest, TheSelectColumnTogglesTheLineAndAnyOtherColumnOpensTheChange) {
    page.show();
    ASSERT_TRUE(waitFor([&] { return !cart->loading(); }));
    QTableView* view = cart->cxGrid2->view();
    auto doubleClick = [&](int row, const char* field) {
        int column = -1;
        for (int c = 0; c < cart->cxGrid2->model()->columnCount(); ++c)
            if (cart->cxGrid2->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() ==
                QString::fromUtf8(field))
                column = c;
        ASSERT_GE(column, 0) << field;
        const QRect r = view->visualRect(view->model()->index(row, column));
        ASSERT_TRUE(r.isValid());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, r.center());
    };

    ASSERT_TRUE(cart->cxGrid2->focusRow(0));
    doubleClick(2, "Seç");  // line 13, not selected
    EXPECT_EQ(sec(13), 1);
    EXPECT_EQ(label("geneltoplaml"), "1.161,51");
    EXPECT_EQ(cart->cxGrid2->focusedRow(), 2);
    doubleClick(2, "Seç");
    EXPECT_EQ(sec(13), 0);
    EXPECT_EQ(label("geneltoplaml"), "159,30");
    const auto toggles = server.callsOf("SepetSecimGuncelle");
    ASSERT_EQ(toggles.size(), 2u);
    EXPECT_EQ(toggles[0].params.at(0).asInt32(), 13);
    EXPECT_EQ(toggles[0].params.at(1).asInt32(), 1);
    EXPECT_EQ(toggles[1].params.at(1).asInt32(), 0);
    EXPECT_TRUE(edited.empty());

    doubleClick(1, "Stok Açıklama");
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0].stokno, 502);
    EXPECT_EQ(server.callsOf("SepetSecimGuncelle").size(), 2u);
}

TEST_F(CartPageTest, DeletingALineOfACartAnotherClientEmptiedStillReportsAndShowsTheEmptyCart) {
    loadNow();
    ASSERT_TRUE(cart->cxGrid2->focusRow(0));
    {
        std::lock_guard lock(server.mutex());
        server.lines.clear();
    }

    fake.answers = {platform::mrNo};
    cart->SatrSil1Click();
    EXPECT_TRUE(server.callsOf("SepetSatirSil").empty());
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].kind, platform::MsgKind::Confirmation);
    EXPECT_EQ(fake.messages[0].buttons, platform::kYesNo);
    EXPECT_EQ(fake.messages[0].first, platform::MsgButton::No);

    log.clear();
    fake.answers = {platform::mrYes};
    cart->SatrSil1Click();
    EXPECT_EQ(only(events(), {"call:", "msg:", "caption:"}),
              (Events{"msg:Satırı silmek istiyor musunuz ", "call:SepetSatirSil", "call:SepetVer2",
                      "caption:0=Sepet", "msg:Satır silindi !"}));
    const wire::Call del = server.callsOf("SepetSatirSil").at(0);
    EXPECT_EQ(del.params.at(1).asInt32(), 11);
    EXPECT_EQ(del.params.at(2).asText(), "A1-FILTRE");
    EXPECT_EQ(sepet.rowCount(), 0u);
    EXPECT_EQ(label("geneltoplaml"), "0,00");

    fake.messages.clear();
    cart->SatrSil1Click();  // nothing focused in an empty cart
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(CartPageTest, DeleteAllAsksThenReportsBeforeTheReload) {
    loadNow();
    for (int answer : {int(platform::mrNo), int(platform::mrClose)}) {
        fake.answers = {answer};
        cart->HepsiniSil1Click();
    }
    EXPECT_TRUE(server.callsOf("SepetHepsiniSil").empty());
    EXPECT_EQ(sepet.rowCount(), 3u);

    log.clear();
    fake.answers = {platform::mrYes};
    cart->HepsiniSil1Click();
    EXPECT_EQ(only(events(), {"call:", "msg:"}),
              (Events{"msg:Tüm Sepeti Silmek İstiyor musunuz ", "call:SepetHepsiniSil", "msg:Sepet Silindi !",
                      "call:SepetVer2"}));
    EXPECT_EQ(sepet.rowCount(), 0u);

    log.clear();
    cart->HepsiniSil1Click();  // an empty cart asks nothing
    EXPECT_TRUE(events().empty());
}

TEST_F(CartPageTest, ChangingALineSendsTheNewQuantityAndPriceWithTheStoredRates) {
    const struct {
        int musteriTipi;
        std::optional<double> typedPrice;
        bool priceEditable;
        double sentPrice;
    } cases[] = {{3, std::nullopt, false, 50}, {1, 42.5, true, 42.5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.musteriTipi);
        sbilgi.SetMusteriTipi(c.musteriTipi);
        {
            std::lock_guard lock(server.mutex());
            server.lines = threeLines();
        }
        loadNow();
        edited.clear();
        ASSERT_TRUE(cart->cxGrid2->focusRow(1));
        cart->cxGrid2->setFocusedField("STOKADI");
        editAnswer = Answer{"3", c.typedPrice};
        const std::size_t changesBefore = server.callsOf("SepetGuncelle2").size();
        cart->Deitir1Click();

        ASSERT_EQ(edited.size(), 1u);
        EXPECT_EQ(edited[0].stokno, 502);
        EXPECT_EQ(edited[0].barkod, "B2");
        EXPECT_EQ(edited[0].adi, "BALATA");
        EXPECT_EQ(edited[0].marka, "BOSCH");
        EXPECT_EQ(edited[0].adet, "1");
        EXPECT_EQ(edited[0].fiyat, 50);
        EXPECT_EQ(edited[0].priceEditable, c.priceEditable);

        const auto changes = server.callsOf("SepetGuncelle2");
        ASSERT_EQ(changes.size(), changesBefore + 1);
        const auto& p = changes.back().params;
        EXPECT_EQ(p.at(0).kind(), wire::Kind::Object);
        EXPECT_EQ(p.at(1).asInt32(), 7);
        EXPECT_EQ(p.at(2).asInt32(), 0);
        EXPECT_EQ(p.at(3).asText(), "B2");
        EXPECT_EQ(p.at(4).asText(), "BALATA");
        EXPECT_EQ(p.at(5).asDouble(), 3);
        EXPECT_EQ(p.at(6).asDouble(), 20);
        EXPECT_EQ(p.at(7).asDouble(), c.sentPrice);
        EXPECT_EQ(p.at(8).asDouble(), 10);  // the stored rates, not the dialog's
        EXPECT_EQ(p.at(9).asInt32(), 3);
        EXPECT_EQ(p.at(10).asInt32(), 12);
        EXPECT_EQ(p.at(11).asDouble(), 5);
        EXPECT_EQ(p.at(12).asDouble(), 2);
        EXPECT_EQ(p.at(13).asDouble(), 1);
        const Events calls = only(events(), {"call:SepetGuncelle2", "call:SepetVer2"});
        ASSERT_GE(calls.size(), 2u);
        EXPECT_EQ(calls[0], "call:SepetGuncelle2");
        EXPECT_EQ(calls.back(), "call:SepetVer2");
        ASSERT_TRUE(sepet.locate("SIRANO", data::Cell{std::int64_t{12}}));
        EXPECT_EQ(sepet.asFloat("MIKTAR"), 3);
        EXPECT_EQ(sepet.asFloat("BIRIMFIYAT"), c.sentPrice);
    }
}

TEST_F(CartPageTest, AChangeThatIsCancelledRefusedOrMistypedSendsOrReloadsAccordingly) {
    loadNow();
    const struct {
        const char* name;
        std::optional<Answer> answer;
        int serverResult;
        std::size_t changes, reloads, messages;
    } cases[] = {
        {"cancelled", std::nullopt, 1, 0, 0, 0},
        {"quantity not a number", Answer{"iki", std::nullopt}, 1, 0, 0, 1},
        {"server refuses", Answer{"4", std::nullopt}, 0, 1, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        log.clear();
        fake.messages.clear();
        editAnswer = c.answer;
        {
            std::lock_guard lock(server.mutex());
            server.changeResult = c.serverResult;
        }
        ASSERT_TRUE(sepet.locate("SIRANO", data::Cell{std::int64_t{11}}));
        cart->SepetSatirDegistir(11);
        const Events all = events();
        EXPECT_EQ(only(all, {"call:SepetGuncelle2"}).size(), c.changes);
        EXPECT_EQ(only(all, {"call:SepetVer2"}).size(), c.reloads);
        ASSERT_EQ(fake.messages.size(), c.messages);
        if (c.messages) EXPECT_EQ(fake.messages[0].kind, platform::MsgKind::Error);
    }
}

TEST_F(CartPageTest, AStockAlreadyInTheCartOpensItsLineChange) {
    EXPECT_TRUE(ctx.openCartLineForStock(502));  // the closed cart is loaded first
    EXPECT_EQ(server.callsOf("SepetVer2").size(), 1u);
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0].stokno, 502);
    EXPECT_EQ(edited[0].barkod, "B2");
    EXPECT_FALSE(ctx.openCartLineForStock(999));
    EXPECT_EQ(edited.size(), 1u);
    EXPECT_EQ(server.callsOf("SepetVer2").size(), 1u);
}

TEST_F(CartPageTest, CustomerTypesShowRemainingOrHideTheStateColumn) {
    ASSERT_EQ(ctx.customerTypeAdapters.size(), 1u);
    const struct {
        int type;
        bool kalan, durum;
    } cases[] = {{1, true, true}, {2, true, true}, {3, false, false}, {4, false, true}, {5, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        ctx.customerTypeAdapters[0](c.type);
        EXPECT_EQ(cart->cxGrid2->isColumnVisible("KALAN"), c.kalan);
        EXPECT_EQ(cart->cxGrid2->isColumnOffered("KALAN"), c.kalan);
        EXPECT_EQ(cart->cxGrid2->isColumnVisible("DURUM"), c.durum);
        EXPECT_EQ(cart->cxGrid2->isColumnOffered("DURUM"), c.durum);
    }
    EXPECT_FALSE(cart->cxGrid2->isColumnOffered("SEC"));
    EXPECT_TRUE(cart->cxGrid2->isColumnOffered("MARKA"));
    EXPECT_FALSE(cart->cxGrid2->isColumnVisible("MARKA"));
    EXPECT_FALSE(cart->cxGrid2->isColumnOffered("SIRANO"));
}

TEST_F(CartPageTest, TheFootersCoverEveryLineSelectedOrNot) {
    loadNow();
    EXPECT_EQ(cart->cxGrid2->footerValue("VERILISTARIHI"), 3.0);
    EXPECT_EQ(cart->cxGrid2->footerValue("MIKTAR"), 6.0);
    EXPECT_NEAR(*cart->cxGrid2->footerValue("NETTUTAR"), 90 + 16.20 + 45 + 8.10 + 998.88 + 3.33, 1e-9);
}

TEST_F(CartPageTest, ExcelExportWritesTheGridToTheChosenFile) {
    loadNow();
    QTemporaryDir dir;
    fake.saveFileName = dir.filePath("sepet.xls");
    cart->Button2->click();
    EXPECT_EQ(fake.saveDialogFilters, QStringList{"Excel|*.xls*"});
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("sepet.xlsx")));
    fake.saveFileName.clear();  // cancelled: nothing happens
    cart->Button2->click();
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(CartPageTest, OnlyTheLatestOverdueAnswerReachesTheLabel) {
    Gate first;
    first.arm();
    std::atomic<int> asked{0};
    server.overdueAnswer = [&]() -> std::string {
        if (++asked == 1) {
            first.pass();
            return "eski cevap";
        }
        return "yeni cevap";
    };
    cart->CariBakiyeUyariBak();
    ASSERT_TRUE(waitFor([&] { return asked == 1; }));
    cart->CariBakiyeUyariBak();
    ASSERT_TRUE(waitFor([&] { return cart->lbluyarbakiye->text() == "yeni cevap"; }));
    first.release();
    ASSERT_TRUE(waitFor([&] { return cart->overdueWarning().running() == 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(cart->lbluyarbakiye->text(), "yeni cevap");
}

TEST_F(CartPageTest, AnEmptyOrFailedOverdueCheckLeavesTheLabelEmpty) {
    const struct {
        const char* name;
        std::function<std::string()> answer;
    } cases[] = {{"empty", [] { return std::string(); }},
                 {"server error", []() -> std::string { throw std::runtime_error("db"); }}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        server.overdueAnswer = c.answer;
        cart->lbluyarbakiye->setText("x");
        cart->ssepetShow();
        ASSERT_TRUE(waitFor([&] { return cart->overdueWarning().running() == 0 && !cart->loading(); }));
        QCoreApplication::processEvents();
        EXPECT_TRUE(cart->lbluyarbakiye->text().isEmpty());
    }
    EXPECT_TRUE(fake.messages.empty());
}

}  // namespace
}  // namespace cart_test
