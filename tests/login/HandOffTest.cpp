#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "WhenModal.h"
#include "LoginFixture.h"
#include "app/TForm1.h"
#include "notices/Tformistekyeni.h"
#include "session/Async.h"
#include "session/Tgirisform.h"
#include "session/Utilities.h"

namespace {

using session::Tgirisform;
using testing_support::u;


class HandOff : public testing_support::LoginFixture {
protected:
    void SetUp() override {
        LoginFixture::SetUp();
        makeForm();
    }
    void TearDown() override {
        settle();
        form.reset();
        LoginFixture::TearDown();
    }
    void makeForm() {
        settle();
        form = std::make_unique<TForm1>();
        form->bagc.setPort(server.port());
        form->bagc.setRetryPause([] {});
        started = finished = false;
        QObject::connect(form.get(), &TForm1::startContentFinished, [this] { finished = true; });
    }
    // The start content may still hand work to this thread: let it finish.
    void settle() {
        for (int i = 0; i < 500 && started && !finished; ++i) QTest::qWait(10);
    }
    // GirisYap with the login window answered as a user would: name, password, "Giriş".
    void logIn(const char* name = "DEMO", const char* password = "GIZLI") {
        whenModal<Tgirisform>([name, password](Tgirisform& w) {
            w.adi->setText(name);
            w.sifre->setText(password);
            w.Button1->click();
        });
        form->GirisYap();
        started = fake->exits.empty();
    }

    std::unique_ptr<TForm1> form;
    bool started = false;
    bool finished = false;
};

TEST_F(HandOff, ACorrectLoginFillsTheHeaderAndRunsTheStartLoadersInOrder) {
    QStringList order;
    form->context.startLoaders.push_back([&] {
        session::runOnUiThread([&] { order << "1:" + form->kullanicilbl->text(); });
    });
    form->context.startLoaders.push_back([&] { session::runOnUiThread([&] { order << "2"; }); });
    form->context.startFinishers.push_back([&] { order << "bitti"; });
    logIn();

    EXPECT_TRUE(fake->exits.empty());
    settle();
    ASSERT_TRUE(finished);
    // The header first, then the loaders in their order, then the finishers.
    EXPECT_EQ(order, QStringList({"1:DEMO", "2", "bitti"}));
    EXPECT_EQ(form->kullanicilbl->text(), u("DEMO"));
    EXPECT_EQ(form->cariadilbl->text(), u("ÖRNEK OTO YEDEK PARÇA"));
    EXPECT_EQ(form->saticilbl->text(), u("AYŞE YILMAZ Telefonu: 0212 555 00 00 email: ayse@korvel.example"));
    EXPECT_EQ(form->sbilgi.CARINO(), 120);
    EXPECT_EQ(form->context.ResimAdresi, web.url("/resimgoster.ashx?id="));
    EXPECT_TRUE(fake->messages.empty()) << fake->messageTexts().join('|').toStdString();
}

TEST_F(HandOff, AStartLoaderThatFailsEndsTheStartContentAndIsShownAfterwards) {
    QStringList order;
    form->context.startLoaders.push_back([&] { throw std::runtime_error("afiş okunamadı"); });
    form->context.startLoaders.push_back([&] { order << "sonraki"; });
    form->context.startFinishers.push_back([&] { order << "bitti"; });
    logIn();
    settle();
    ASSERT_TRUE(finished);
    for (int i = 0; i < 500 && fake->messages.empty(); ++i) QTest::qWait(10);
    ASSERT_EQ(fake->messages.size(), 1u);
    EXPECT_EQ(order, QStringList{"bitti"});
    EXPECT_EQ(fake->messages[0].text, u("afiş okunamadı"));
    EXPECT_EQ(form->kullanicilbl->text(), u("DEMO"));
}

TEST_F(HandOff, TheCustomerTypeShapesTheWindow) {
    struct Case {
        int tipi;
        bool customerButton, reports, campaignTab;
    };
    const Case cases[] = {
        {1, true, true, true}, {2, true, true, true}, {3, false, false, true}, {4, false, false, false},
        {5, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tipi);
        makeForm();
        int picked = 0;
        form->context.pickCustomer = [&](QWidget*) { return ++picked > 0; };
        std::vector<int> adapted;
        form->context.customerTypeAdapters.push_back([&](int t) { adapted.push_back(t); });
        serverRecord.SetMusteriTipi(c.tipi);
        logIn();

        EXPECT_TRUE(fake->exits.empty());
        EXPECT_EQ(picked, c.customerButton ? 1 : 0);
        EXPECT_EQ(!form->musteritus->isHidden(), c.customerButton);
        EXPECT_EQ(form->R1->isVisible(), c.reports);
        const int campaign = form->pageIndex("skampanyali");
        ASSERT_GE(campaign, 0);  // the page stays; only its tab goes
        EXPECT_EQ(form->sPageControl1->isTabVisible(campaign), c.campaignTab);
        EXPECT_EQ(adapted, std::vector<int>{c.tipi});
    }
}

TEST_F(HandOff, TheProgramEndsWhenTheLoginDoesNotLetTheUserIn) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::function<void(Tgirisform&)> drive;
    };
    int ipAnswers = 0;
    const Case cases[] = {
        {"Vazgeç", [] {}, [](Tgirisform& w) { w.Button2->click(); }},
        {"window closed", [] {}, [](Tgirisform& w) { w.close(); }},
        // The address found before the call, but not after it: no external address after the login.
        {"no address after the login",
         [&] {
             web.on("/ip", [&ipAnswers] {
                 return ++ipAnswers == 1 ? testing_support::HttpResponder::Reply{200, kOtherIp, true, "text/plain"}
                                         : testing_support::HttpResponder::Reply{500, "", true, "text/plain"};
             });
         },
         [](Tgirisform& w) {
             w.adi->setText("DEMO");
             w.sifre->setText("GIZLI");
             w.Button1->click();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fake->exits.clear();
        c.arrange();
        whenModal<Tgirisform>(c.drive);
        form->GirisYap();
        ASSERT_FALSE(fake->exits.empty());
        EXPECT_EQ(fake->exits.back(), 0);
        EXPECT_TRUE(form->kullanicilbl->text().isEmpty());
        EXPECT_TRUE(form->musteritus->isHidden());
    }
}

TEST_F(HandOff, AnUnknownComputerSeesTheRequestFormBeforeTheProgramEnds) {
    serverRecord.SetVarmi(false);
    web.on("/formmailgonder.aspx", {200, "<html><body>istek</body></html>", true, "text/html"});
    QString caption, address;
    whenModal<Tgirisform>([&](Tgirisform& w) {
        whenModal<notices::Tformistekyeni>([&](notices::Tformistekyeni& f) {
            caption = f.windowTitle();
            address = f.address();
            f.Button1->click();
        });
        w.adi->setText("DEMO");
        w.sifre->setText("GIZLI");
        w.Button1->click();
    });
    form->GirisYap();

    EXPECT_EQ(caption, u("Korvel Otomotiv B2B İstek Formu"));
    EXPECT_EQ(address, web.url("/formmailgonder.aspx?carino=0&kullanici= &id=") + session::BilgisayarIdBul());
    ASSERT_FALSE(fake->exits.empty());
    EXPECT_EQ(fake->exits.front(), 0);
    EXPECT_TRUE(form->kullanicilbl->text().isEmpty());
    if (!notices::Tformistekyeni::hasEmbeddedBrowser()) {
        ASSERT_EQ(fake->openedUrls.size(), 1u);
        EXPECT_EQ(fake->openedUrls[0], QUrl(address));
    }
}

}  // namespace
