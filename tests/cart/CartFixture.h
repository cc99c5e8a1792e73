#pragma once
// A cart page installed into a bare page with its own context, talking to the fake cart server
// over loopback.

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <map>
#include <optional>

#include "FakeCartServer.h"
#include "FakeServices.h"
#include "cart/CartPage.h"
#include "cart/InstallCartPage.h"
#include "catalogue/ModalRunner.h"
#include "catalogue/Tstokayarinti.h"
#include "cart/OverdueWarning.h"
#include "data/MemTable.h"
#include "remote/Connection.h"
#include "session/MainContext.h"
#include "session/records/Records.h"
#include "wire/TestServer.h"

namespace cart_test {

template <class Cond>
bool waitFor(Cond cond, int ms = 10000) {
    QDeadlineTimer deadline(ms);
    while (!cond() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return cond();
}

inline const QLocale kTurkish(QLocale::Turkish, QLocale::Turkey);

// Three lines: two selected (100.00/10.00/16.20 and 50.00/5.00/8.10) and one not selected.
inline std::vector<CartLine> threeLines() {
    CartLine a;
    a.sirano = 11, a.sec = 1, a.stokno = 501, a.barkod = "A1", a.stokadi = "FILTRE";
    a.miktar = 2, a.birimfiyat = 50, a.tutar = 100, a.indirimtutar = 10, a.vergitutari = 16.20;
    a.ind[0] = 10;
    CartLine b;
    b.sirano = 12, b.sec = 1, b.stokno = 502, b.barkod = "B2", b.stokadi = "BALATA";
    b.miktar = 1, b.birimfiyat = 50, b.tutar = 50, b.indirimtutar = 5, b.vergitutari = 8.10;
    b.ind[0] = 10, b.ind[1] = 5, b.ind[2] = 2, b.ind[3] = 1;
    b.kdv = 20;
    CartLine c;
    c.sirano = 13, c.sec = 0, c.stokno = 503, c.barkod = "C3", c.stokadi = "DISK";
    c.miktar = 3, c.birimfiyat = 333.33, c.tutar = 999.99, c.indirimtutar = 1.11, c.vergitutari = 3.33;
    return {a, b, c};
}

class CartFixture : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = platform::installServices(std::make_unique<LoggedServices>(fake, log));
        bagc.setHostName("127.0.0.1");
        bagc.setPort(tcp.port());
        bagc.setRetryPause([] {});
        sbilgi.SetCARINO(7);
        sbilgi.SetSirano(3);
        sbilgi.SetADI("ALI");
        sbilgi.SetCariAdi("DEMO LTD");
        sbilgi.SetMusteriTipi(3);
        {
            std::lock_guard lock(server.mutex());
            server.lines = threeLines();
        }
        new QVBoxLayout(&page);
        page.resize(1200, 700);
        gifsepet.setVisible(false);

        ctx.window = &page;
        ctx.sbilgi = &sbilgi;
        ctx.bagc = &bagc;
        ctx.table = [this](const QString& name) { return name == "sepet" ? &sepet : nullptr; };
        ctx.page = [this](const QString& name) { return name == "ssepet" ? &page : nullptr; };
        ctx.busyIndicator = [this](const QString& name) -> QWidget* { return name == "gifsepet" ? &gifsepet : nullptr; };
        ctx.setPageCaption = [this](const QString& pageName, const QString& caption) {
            captions[pageName] = caption;
            log.add("caption:" + caption.toStdString());
        };
        ctx.searchBox = [this] { return &araedit; };
        cart = cart::installCartPage(ctx);
        ASSERT_NE(cart, nullptr);
        cart->setLocale(kTurkish);
        catalogue::setModalRunner([this](QDialog& d) -> int {
            if (auto* s = dynamic_cast<catalogue::Tstokayarinti*>(&d)) return answerLineChange(*s);
            return confirmation ? confirmation(d) : int(QDialog::Rejected);
        });
    }

    void TearDown() override {
        waitFor([&] { return !cart->loading() && cart->overdueWarning().running() == 0; });
        catalogue::setModalRunner(nullptr);
        platform::installServices(std::move(previous_));
    }

    // Loads the cart synchronously, as the other pages do.
    void loadNow() {
        ctx.SepetAl(false);
        log.clear();
    }
    QString label(const char* name) const { return page.findChild<QLabel*>(name)->text(); }
    std::vector<std::string> events() const { return log.events(); }
    int sec(int sirano) {
        EXPECT_TRUE(sepet.locate("SIRANO", data::Cell{std::int64_t{sirano}}));
        return static_cast<int>(sepet.asInteger("SEC"));
    }

    EventLog log;
    FakeCartServer server{log};
    wire::TestServer tcp{server};
    testing_support::FakeServices fake;
    remote::Connection bagc;
    TSonucBilgisi sbilgi;
    data::MemTable sepet{"sepet"};
    QLineEdit araedit;
    QLabel gifsepet;
    std::map<QString, QString> captions;
    QWidget page;
    session::MainContext ctx;
    cart::CartPage* cart = nullptr;
    // What the stock detail dialog showed for a line change, and how the user answers it.
    struct Shown {
        int stokno;
        QString barkod, adi, marka, adet;
        double fiyat;
        bool priceEditable;
    };
    struct Answer {
        QString adet;
        std::optional<double> fiyat;  // typed into the price box
    };
    std::vector<Shown> edited;
    std::optional<Answer> editAnswer;  // nothing: "Vazgeç"
    std::function<int(QDialog&)> confirmation;  // drives the order confirmation window

    int answerLineChange(catalogue::Tstokayarinti& d) {
        edited.push_back({d.stokno, d.barkod->text(), d.adi->text(), d.marka->text(), d.adet->text(),
                          d.birimfiyat->value(), !d.birimfiyat->isReadOnly()});
        if (!editAnswer) {
            d.ParcaliTus2Click();
            return d.result();
        }
        d.adet->setText(editAnswer->adet);
        if (editAnswer->fiyat) d.birimfiyat->setValue(*editAnswer->fiyat);
        d.ParcaliTus1Click();
        return d.result();
    }

private:
    std::unique_ptr<platform::Services> previous_;
};

}  // namespace cart_test
