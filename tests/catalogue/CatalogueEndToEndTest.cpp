// Drives the real main window against a real korvel-server: log in as the demo customer,
// search, open an item, confirm a quantity of 2 and find the line in the server's cart.

#include <gtest/gtest.h>

#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "FakeServices.h"
#include "app/TForm1.h"
#include "catalogue/ModalRunner.h"
#include "catalogue/Pricing.h"
#include "catalogue/StockListPage.h"
#include "catalogue/Tstokayarinti.h"
#include "data/NumberFormat.h"
#include "remote/ServerMethods.h"
#include "tests/server/ServerProcess.h"

using namespace catalogue;

namespace {

TEST(CatalogueEndToEnd, SearchOpenConfirmAndFindTheLineInTheServersCart) {
    testing_support::ScopedFakeServices fake;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string db = (dir.path() + "/e2e.db").toStdString();
    ServerProcess server({"--db", db, "--demo", "--parts", "3000", "--port", "0", "--web-port", "0", "--computer-id",
                          "E2E-CATALOGUE", "--quiet"});

    TForm1 form;
    form.bagc.setHostName("127.0.0.1");
    form.bagc.setPort(server.port);
    form.bagc.setRetryPause([] {});
    form.context.ResimAdresi = QStringLiteral("http://127.0.0.1:%1/resimgoster.ashx?id=").arg(server.webPort);

    // The login's outcome: the session record the server keeps for this computer, with the
    // password the user types.
    {
        form.bagc.open();
        remote::TServerMethods1Client proxy(form.bagc);
        const TSonucBilgisi* who = proxy.BuyukGetir(QStringLiteral("E2E-CATALOGUE"));
        ASSERT_NE(who, nullptr);
        ASSERT_TRUE(who->Varmi());
        ASSERT_EQ(who->SIFRE(), "DEMO123");
        form.sbilgi.Kopyala(*who);
        form.bagc.close();
    }
    for (const auto& adapt : form.context.customerTypeAdapters) adapt(form.sbilgi.MusteriTipi());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    auto* page = form.sstoklistesi->findChild<StockListPage*>();
    ASSERT_NE(page, nullptr);
    form.araedit->setFocus();
    for (QChar ch : QStringLiteral("fil")) QTest::sendKeyEvent(QTest::Click, form.araedit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    ASSERT_EQ(form.araedit->text(), "FIL");
    QTest::keyClick(form.araedit, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !page->aramaSuruyor(); }, 30000));
    ASSERT_TRUE(fake->messages.empty()) << fake->messages[0].text.toStdString();
    ASSERT_GT(form.stok.rowCount(), 0u);
    EXPECT_EQ(form.pageCaption("sstoklistesi"), QString::number(form.stok.rowCount()) + "=Stok Listesi");

    // Open the first row that is not in the cart yet.
    ASSERT_TRUE(page->cxGrid1->focusRow(0));
    const int stokno = static_cast<int>(data::cellToInteger(page->cxGrid1->focusedValue("STOK_STOKNO")));
    form.stok.locate("STOK_STOKNO", data::Cell(std::int64_t{stokno}));
    const double fiyat = form.stok.asFloat("FIYAT");
    const double kdv = form.stok.asFloat("KDV");
    const Indirimler ind{form.stok.asFloat("IND1"), form.stok.asFloat("IND2"), form.stok.asFloat("IND3"),
                         form.stok.asFloat("IND4")};
    const std::string barkod = form.stok.asString("BARKOD"), adi = form.stok.asString("ADI");

    QString shownTotal;
    int dialogs = 0;
    {
        ScopedModalRunner runner([&](QDialog& d) {
            ++dialogs;
            auto& dlg = static_cast<Tstokayarinti&>(d);
            dlg.show();
            dlg.adet->setFocus();
            dlg.adet->selectAll();
            QTest::keyClicks(dlg.adet, "2");
            shownTotal = dlg.geneltutar->text();
            QTest::keyClick(dlg.adet, Qt::Key_Return);  // Enter in the quantity confirms
            return d.result();
        });
        QTableView* view = page->cxGrid1->view();
        const QModelIndex cell = view->model()->index(0, 6);
        view->scrollTo(cell);
        QApplication::processEvents();
        const QRect r = view->visualRect(cell);
        ASSERT_TRUE(r.isValid());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, r.center());
    }
    ASSERT_EQ(dialogs, 1);
    ASSERT_TRUE(fake->messages.empty()) << fake->messages[0].text.toStdString();
    const Tutarlar expected = TutarlariHesapla(fiyat, 2, ind, kdv);
    const QString expectedTotal = QString::fromStdString(
        data::formatNumber(expected.geneltutar, data::kAmountFormat, data::NumberLocale::turkish()));
    EXPECT_EQ(shownTotal, expected.geneltutar == 0 ? QString() : expectedTotal);

    // The server's cart holds the line with what was sent.
    form.bagc.open();
    remote::TServerMethods1Client proxy(form.bagc);
    const wire::Table* cart = proxy.SepetVer2(form.sbilgi.CARINO());
    ASSERT_NE(cart, nullptr);
    data::MemTable sepet("sepet");
    sepet.load(*cart);
    form.bagc.close();
    ASSERT_TRUE(sepet.locate("STOKNO", data::Cell(std::int64_t{stokno})));
    EXPECT_DOUBLE_EQ(sepet.asFloat("MIKTAR"), 2);
    EXPECT_DOUBLE_EQ(sepet.asFloat("BIRIMFIYAT"), fiyat);
    EXPECT_DOUBLE_EQ(sepet.asFloat("KDV"), std::nearbyint(kdv));
    EXPECT_DOUBLE_EQ(sepet.asFloat("INDIRIMORANI1"), ind[0]);
    EXPECT_DOUBLE_EQ(sepet.asFloat("INDIRIMORANI2"), ind[1]);
    EXPECT_EQ(sepet.asString("BARKOD"), barkod);
    EXPECT_EQ(sepet.asString("STOKADI"), adi);
    // The window's cart table was reloaded after the add.
    ASSERT_TRUE(form.sepet.active());
    EXPECT_TRUE(form.sepet.locate("STOKNO", data::Cell(std::int64_t{stokno})));

    // A second double click on the same item does not add it again.
    {
        ScopedModalRunner runner([&](QDialog& d) {
            ++dialogs;
            return int(QDialog::Rejected);
        });
        page->cxGrid1->focusRowWhere("STOK_STOKNO", data::Cell(std::int64_t{stokno}));
        page->cxGrid1DBTableView1DblClick();
    }
    form.bagc.open();
    remote::TServerMethods1Client again(form.bagc);
    data::MemTable after("sepet");
    after.load(*again.SepetVer2(form.sbilgi.CARINO()));
    form.bagc.close();
    int lines = 0;
    for (after.first(); !after.eof(); after.next())
        if (after.asInteger("STOKNO") == stokno) ++lines;
    EXPECT_EQ(lines, 1);
}

}  // namespace
