// The cart page against the real korvel-server: lines added through the server, selected on the
// page, sent with "Gönder" through the confirmation window, and the saved order read back.

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>

#include "../server/ServerProcess.h"
#include "FakeServices.h"
#include "cart/CartPage.h"
#include "cart/InstallCartPage.h"
#include "cart/OverdueWarning.h"
#include "cart/RadioGroup.h"
#include "cart/TONAYSIP.h"
#include "catalogue/ModalRunner.h"
#include "data/MemTable.h"
#include "grid/DataGrid.h"
#include "remote/Connection.h"
#include "remote/ServerMethods.h"
#include "session/MainContext.h"

namespace {

template <class Cond>
bool waitFor(Cond cond, int ms = 20000) {
    QDeadlineTimer deadline(ms);
    while (!cond() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return cond();
}

std::int64_t integer(const wire::Table& t, std::size_t row, const char* field) {
    return data::cellToInteger(t.at(row, static_cast<std::size_t>(t.columnIndex(field))));
}
std::string text(const wire::Table& t, std::size_t row, const char* field) {
    return data::cellToString(t.at(row, static_cast<std::size_t>(t.columnIndex(field))));
}

class CartEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/korvel-cart-e2e-XXXXXX";
        dir_ = mkdtemp(tmpl);
        server_ = std::make_unique<ServerProcess>(std::vector<std::string>{
            "--db", (dir_ / "k.db").string(), "--demo", "--parts", "2000", "--computer-id", "PC-CART-E2E", "--port",
            "0", "--web-port", "0", "--host", "127.0.0.1", "--quiet"});
        bagc.setHostName("127.0.0.1");
        bagc.setPort(server_->port);
        bagc.setRetryPause([] {});
        {
            remote::Connection c;
            c.setHostName("127.0.0.1");
            c.setPort(server_->port);
            c.open();
            remote::TServerMethods1Client proxy(c);
            TSonucBilgisi* s = proxy.BuyukGetir("PC-CART-E2E");
            ASSERT_NE(s, nullptr);
            sbilgi.Kopyala(*s);
        }
        ASSERT_GT(sbilgi.CARINO(), 0);

        new QVBoxLayout(&page);
        page.resize(1200, 700);
        ctx.window = &page;
        ctx.sbilgi = &sbilgi;
        ctx.bagc = &bagc;
        ctx.table = [this](const QString& n) { return n == "sepet" ? &sepet : nullptr; };
        ctx.page = [this](const QString& n) { return n == "ssepet" ? &page : nullptr; };
        ctx.setPageCaption = [this](const QString&, const QString& c) { caption = c; };
        ctx.searchBox = [this] { return &araedit; };
        cart = cart::installCartPage(ctx);
        cart->setLocale(QLocale(QLocale::Turkish, QLocale::Turkey));
    }

    void TearDown() override {
        if (cart) waitFor([&] { return !cart->loading() && cart->overdueWarning().running() == 0; });
        catalogue::setModalRunner(nullptr);
        server_.reset();
        std::filesystem::remove_all(dir_);
    }

    // A proxy call on a connection of its own.
    template <class F>
    auto call(F f) {
        remote::Connection c;
        c.setHostName("127.0.0.1");
        c.setPort(server_->port);
        c.open();
        remote::TServerMethods1Client proxy(c);
        return f(proxy);
    }
    std::unique_ptr<TSonucBilgisi> session() const {
        auto s = std::make_unique<TSonucBilgisi>();
        s->Kopyala(sbilgi);
        return s;
    }

    testing_support::ScopedFakeServices fake;
    remote::Connection bagc;
    TSonucBilgisi sbilgi;
    data::MemTable sepet{"sepet"};
    QLineEdit araedit;
    QString caption;
    QWidget page;
    session::MainContext ctx;
    cart::CartPage* cart = nullptr;

private:
    std::filesystem::path dir_;
    std::unique_ptr<ServerProcess> server_;
};

TEST_F(CartEndToEnd, TwoOfThreeSelectedLinesBecomeOneOrderAndTheThirdStaysInTheCart) {
    const int carino = sbilgi.CARINO();
    // Three parts into an emptied cart, through the server.
    std::vector<int> stocks;
    call([&](remote::TServerMethods1Client& p) {
        p.SepetHepsiniSil(session());
        const wire::Table* parts = p.YenilerVer2(carino);
        EXPECT_GE(parts->rowCount(), 3u);
        for (std::size_t r = 0; r < 3 && r < parts->rowCount(); ++r) {
            stocks.push_back(static_cast<int>(integer(*parts, r, "STOK_STOKNO")));
            const int added = p.SepetEkle2(session(), carino, stocks.back(),
                                           QString::fromStdString(text(*parts, r, "BARKOD")),
                                           QString::fromStdString(text(*parts, r, "ADI")), double(r + 2),
                                           double(integer(*parts, r, "KDV")), 0, 0, sbilgi.Sirano(), 0, 0, 0, 0);
            EXPECT_EQ(added, 1);
        }
        return 0;
    });
    ASSERT_EQ(stocks.size(), 3u);
    const std::size_t ordersBefore = call([&](auto& p) { return p.OncekiSiparisler(carino)->rowCount(); });

    page.show();
    ASSERT_TRUE(waitFor([&] { return !cart->loading() && sepet.rowCount() == 3; }));
    EXPECT_EQ(caption, "3=Sepet");

    // Select none, then the first two lines through the "Seç" column.
    cart->Button5->click();
    std::map<int, int> siranoOfStock;
    for (int row = 0; row < 3; ++row) {
        sepet.setRecNo(static_cast<std::size_t>(row));
        siranoOfStock[static_cast<int>(sepet.asInteger("STOKNO"))] = static_cast<int>(sepet.asInteger("SIRANO"));
    }
    std::set<int> sentStocks;
    for (int row = 0; row < 2; ++row) {
        ASSERT_TRUE(cart->cxGrid2->focusRow(row));
        cart->cxGrid2->setFocusedField("SEC");
        sentStocks.insert(static_cast<int>(data::cellToInteger(cart->cxGrid2->focusedValue("STOKNO"))));
        cart->cxGridDBTableView1DblClick();
    }
    ASSERT_EQ(sentStocks.size(), 2u);
    const QString total = cart->geneltoplaml->text();
    EXPECT_NE(total, "0,00");

    const QString message = QStringLiteral("Acele lütfen\nArka kapıya bırakın");
    QString chosenCompany;
    catalogue::setModalRunner([&](QDialog& d) -> int {
        auto* w = dynamic_cast<cart::TONAYSIP*>(&d);
        if (!w) return QDialog::Rejected;
        EXPECT_TRUE(w->Label2->text().endsWith(total));
        EXPECT_GE(w->teslimbox->itemIndex(), 0);
        // The first cargo kind that has companies; a single company is chosen at once.
        for (int k = 0; k < w->boxkargo->count() && w->kargocombo->count() < 2; ++k) w->boxkargo->button(k)->click();
        if (w->kargocombo->currentIndex() <= 0) w->kargocombo->setCurrentIndex(1);
        chosenCompany = w->kargocombo->currentText();
        w->aciklamagir->setPlainText(message);
        w->Button1->click();
        return w->result();
    });
    cart->Button1->click();
    ASSERT_EQ(fake->messageTexts(), QStringList{"Siparişiniz Gönderildi !"});
    EXPECT_FALSE(chosenCompany.trimmed().isEmpty());

    // The cart holds the third line only.
    ASSERT_EQ(sepet.rowCount(), 1u);
    sepet.first();
    EXPECT_EQ(sentStocks.count(static_cast<int>(sepet.asInteger("STOKNO"))), 0u);
    EXPECT_EQ(caption, "1=Sepet");

    // The server holds one new order with exactly the two lines and the message.
    call([&](remote::TServerMethods1Client& p) {
        const wire::Table* orders = p.OncekiSiparisler(carino);
        EXPECT_EQ(orders->rowCount(), ordersBefore + 1);
        int idno = 0;
        for (std::size_t r = 0; r < orders->rowCount(); ++r)
            idno = std::max(idno, static_cast<int>(integer(*orders, r, "IDNO")));
        const wire::Table lines = *p.SiparisAyrintisi2(carino, idno);
        std::set<int> ordered;
        for (std::size_t r = 0; r < lines.rowCount(); ++r) ordered.insert(static_cast<int>(integer(lines, r, "STOKNO")));
        EXPECT_EQ(lines.rowCount(), 2u);
        EXPECT_EQ(ordered, sentStocks);
        TSiparisDipAyrinti* foot = p.SiparisAytintisiDip(carino, idno);
        EXPECT_NE(foot, nullptr);
        if (foot) {
            EXPECT_EQ(QString::fromStdString(foot->SizinMesaj()), message);
            EXPECT_EQ(QString::fromStdString(foot->Kargo()), chosenCompany);
        }
        return 0;
    });
}

TEST_F(CartEndToEnd, DeletingALineAnotherClientAlreadyRemovedReportsAndShowsTheEmptyCart) {
    const int carino = sbilgi.CARINO();
    call([&](remote::TServerMethods1Client& p) {
        p.SepetHepsiniSil(session());
        const wire::Table* parts = p.YenilerVer2(carino);
        EXPECT_EQ(p.SepetEkle2(session(), carino, static_cast<int>(integer(*parts, 0, "STOK_STOKNO")),
                               QString::fromStdString(text(*parts, 0, "BARKOD")),
                               QString::fromStdString(text(*parts, 0, "ADI")), 1, double(integer(*parts, 0, "KDV")), 0,
                               0, sbilgi.Sirano(), 0, 0, 0, 0),
                  1);
        return 0;
    });
    ctx.SepetAl(false);
    ASSERT_EQ(sepet.rowCount(), 1u);
    ASSERT_TRUE(cart->cxGrid2->focusRow(0));
    call([&](remote::TServerMethods1Client& p) { return p.SepetHepsiniSil(session()); });  // another client

    fake->answers = {platform::mrYes};
    cart->SatrSil1Click();
    EXPECT_EQ(fake->messageTexts(), (QStringList{"Satırı silmek istiyor musunuz ", "Satır silindi !"}));
    EXPECT_EQ(sepet.rowCount(), 0u);
    EXPECT_EQ(caption, "0=Sepet");
}

}  // namespace
