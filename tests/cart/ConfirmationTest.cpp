#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "CartFixture.h"
#include "cart/RadioGroup.h"
#include "cart/TONAYSIP.h"

namespace cart_test {
namespace {

using Events = std::vector<std::string>;

Events only_reloads(const Events& all) {
    Events out;
    for (const auto& e : all)
        if (e == "call:SepetVer2") out.push_back(e);
    return out;
}

class ConfirmationTest : public CartFixture {
protected:
    std::unique_ptr<cart::TONAYSIP> open(const QString& warning = {}) {
        return std::unique_ptr<cart::TONAYSIP>(cart::TONAYSIP::Ac(&page, bagc, warning, sbilgi, "1.234,50"));
    }
    void chooseCargoKind(cart::TONAYSIP& w, int index) { w.boxkargo->button(index)->click(); }
    void chooseCompany(cart::TONAYSIP& w, const QString& name) {
        const int i = w.kargocombo->findText(name);
        ASSERT_GE(i, 0) << name.toStdString();
        w.kargocombo->setCurrentIndex(i);
        emit w.kargocombo->activated(i);
    }
    QStringList companies(const cart::TONAYSIP& w) {
        QStringList out;
        for (int i = 0; i < w.kargocombo->count(); ++i) out << w.kargocombo->itemText(i);
        return out;
    }
};

TEST_F(ConfirmationTest, TheWindowShowsTheSummaryAndTheSecondDeliveryKind) {
    auto w = open("Vadesi geçmiş borç");
    EXPECT_EQ(w->windowTitle(), "Sipariş Onay");
    EXPECT_EQ(w->Label2->text(), cart::siparisOzeti("ALI", "DEMO LTD", "1.234,50"));
    EXPECT_EQ(w->Label3->text(), "Vadesi geçmiş borç");
    ASSERT_EQ(w->teslimbox->count(), 3);
    EXPECT_EQ(w->teslimbox->itemIndex(), 1);
    EXPECT_EQ(w->teslimbox->text(1), "Teslim");
    EXPECT_EQ(w->boxkargo->count(), 2);
    EXPECT_EQ(w->boxkargo->itemIndex(), -1);
    EXPECT_EQ(w->kargocombo->count(), 0);
}

TEST_F(ConfirmationTest, EveryReachableControlHasAnAccessibleName) {
    auto w = open();
    w->boxkargo->button(0)->click();
    for (QWidget* c : w->findChildren<QWidget*>()) {
        if (c->focusPolicy() == Qt::NoFocus || c->objectName().startsWith("qt_")) continue;
        if (qobject_cast<QComboBox*>(c->parentWidget())) continue;  // the list's own parts
        EXPECT_FALSE(c->accessibleName().isEmpty()) << c->metaObject()->className() << " "
                                                    << c->objectName().toStdString();
    }
}

TEST_F(ConfirmationTest, WithOneDeliveryKindThatOneIsChosenWithNoneNothing) {
    const struct {
        std::vector<std::pair<int, std::string>> kinds;
        int chosen;
    } cases[] = {{{{5, "Gel Al"}}, 0}, {{}, -1}};
    for (const auto& c : cases) {
        {
            std::lock_guard lock(server.mutex());
            server.deliveryKinds = c.kinds;
        }
        auto w = open();
        EXPECT_EQ(w->teslimbox->itemIndex(), c.chosen);
    }
}

TEST_F(ConfirmationTest, ASingleCompanyIsChosenAtOnceWithItsWarning) {
    auto w = open();
    chooseCargoKind(*w, 0);
    EXPECT_EQ(companies(*w), (QStringList{" ", "Hızlı Kargo"}));
    EXPECT_EQ(w->kargocombo->currentText(), "Hızlı Kargo");
    EXPECT_EQ(w->uyarikargo->text(), "Cumartesi teslimat yok");
    EXPECT_EQ(server.callsOf("KargolarVer").at(0).params.at(0).asInt32(), 10);

    chooseCargoKind(*w, 1);  // two companies: none chosen, no warning until the user chooses
    EXPECT_EQ(companies(*w), (QStringList{" ", "Yurtiçi", "Aras"}));
    EXPECT_EQ(w->kargocombo->currentIndex(), 0);
    EXPECT_TRUE(w->uyarikargo->text().isEmpty());
    chooseCompany(*w, "Aras");
    EXPECT_EQ(w->uyarikargo->text(), "İki gün");
    chooseCompany(*w, " ");
    EXPECT_TRUE(w->uyarikargo->text().isEmpty());
}

TEST_F(ConfirmationTest, YesChecksDeliveryThenCargoKindThenCompany) {
    {
        std::lock_guard lock(server.mutex());
        server.deliveryKinds.clear();
        server.companies[30] = {};
        server.cargoKinds.push_back({30, "Ambar"});
    }
    auto w = open();
    auto yes = [&] {
        fake.messages.clear();
        w->Button1->click();
        return fake.messages.empty() ? QString() : fake.messages.back().text;
    };
    EXPECT_EQ(yes(), "Lütfen Teslim Durumu Seçiniz !");
    EXPECT_EQ(fake.messages.back().kind, platform::MsgKind::Warning);
    {
        std::lock_guard lock(server.mutex());
        server.deliveryKinds = {{1, "Gel Al"}, {2, "Teslim"}};
    }
    w = open();
    EXPECT_EQ(yes(), "Lütfen Kargo Türünü Seçiniz !");
    chooseCargoKind(*w, 2);  // a kind without companies leaves only the blank entry
    EXPECT_EQ(companies(*w), QStringList{" "});
    EXPECT_EQ(yes(), "Lütfen Kargo  Seçiniz !");
    chooseCargoKind(*w, 1);
    EXPECT_EQ(yes(), "Lütfen Kargo  Seçiniz !");
    EXPECT_NE(w->result(), QDialog::Accepted);

    chooseCompany(*w, "Aras");
    EXPECT_EQ(yes(), QString());
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(w->td, 2);
    EXPECT_EQ(w->kt, 20);
    EXPECT_EQ(w->KN, 202);
}

// --- "Gönder" on the cart page ---

TEST_F(ConfirmationTest, NothingSelectedIsRefusedBeforeTheWindowOpens) {
    bool opened = false;
    confirmation = ([&](QDialog&) {
        opened = true;
        return int(QDialog::Rejected);
    });
    cart->Button1Click();  // the cart was never loaded
    loadNow();
    cart->Button5Click();
    cart->Button1Click();
    EXPECT_FALSE(opened);
    EXPECT_EQ(fake.messageTexts(), (QStringList{"Gönderilecek Parça Yok ", "Gönderilecek Parça Yok "}));
    EXPECT_TRUE(server.callsOf("TeslimVer").empty());
}

TEST_F(ConfirmationTest, SendingSavesTheOrderReportsAndReloadsTheCart) {
    loadNow();
    cart->lbluyarbakiye->setText("Vadesi geçmiş 500,00 TL");
    confirmation = ([&](QDialog& d) {
        auto& w = dynamic_cast<cart::TONAYSIP&>(d);
        EXPECT_EQ(w.Label2->text(), cart::siparisOzeti("ALI", "DEMO LTD", "159,30"));
        EXPECT_EQ(w.Label3->text(), "Vadesi geçmiş 500,00 TL");
        w.boxkargo->button(0)->click();
        w.aciklamagir->setPlainText("Acele\nKapıya bırakın");
        w.Button1->click();
        return w.result();
    });
    log.clear();
    cart->Button1Click();
    const wire::Call order = server.callsOf("SiparisKaydet").at(0);
    const auto& p = order.params;
    EXPECT_EQ(p.at(0).kind(), wire::Kind::Object);
    EXPECT_EQ(p.at(1).asInt32(), 7);
    EXPECT_EQ(p.at(2).asInt32(), 2);
    EXPECT_EQ(p.at(3).asInt32(), 10);
    EXPECT_EQ(p.at(4).asText(), "Acele\nKapıya bırakın");
    EXPECT_EQ(p.at(5).asInt32(), 3);
    EXPECT_EQ(p.at(6).asInt32(), 101);
    Events tail;
    for (const auto& e : events())
        if (e == "call:SiparisKaydet" || e == "call:SepetVer2" || e.rfind("msg:", 0) == 0) tail.push_back(e);
    EXPECT_EQ(tail, (Events{"call:SiparisKaydet", "msg:Siparişiniz Gönderildi !", "call:SepetVer2"}));
    EXPECT_EQ(sepet.rowCount(), 1u);
    EXPECT_EQ(captions["ssepet"], "1=Sepet");
    EXPECT_EQ(label("geneltoplaml"), "0,00");
}

TEST_F(ConfirmationTest, AFailedSaveOrNoLeavesTheCartAsItWas) {
    loadNow();
    const struct {
        const char* name;
        bool confirm;
        bool serverSaves;
        QStringList messages;
        std::size_t orders;
    } cases[] = {{"Hayır", false, true, {}, 0}, {"save fails", true, false, {"Sipariş Göndermede Hata"}, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            std::lock_guard lock(server.mutex());
            server.orderResult = c.serverSaves;
        }
        const std::size_t ordersBefore = server.callsOf("SiparisKaydet").size();
        confirmation = ([&](QDialog& d) {
            auto& w = dynamic_cast<cart::TONAYSIP&>(d);
            w.boxkargo->button(0)->click();
            (c.confirm ? w.Button1 : w.Button2)->click();
            return w.result();
        });
        log.clear();
        fake.messages.clear();
        cart->Button1Click();
        EXPECT_EQ(server.callsOf("SiparisKaydet").size() - ordersBefore, c.orders);
        EXPECT_EQ(fake.messageTexts(), c.messages);
        EXPECT_TRUE(only_reloads(events()).empty());
        EXPECT_EQ(sepet.rowCount(), 3u);
    }
}

}  // namespace
}  // namespace cart_test
