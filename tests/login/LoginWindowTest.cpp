#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <sys/stat.h>

#include "LoginFixture.h"
#include "session/IniFile.h"
#include "session/Tdosyaindir.h"
#include "session/Tgirisform.h"
#include "session/Utilities.h"

namespace {

using session::Tgirisform;
using testing_support::u;

class LoginWindow : public testing_support::LoginFixture {
protected:
    std::unique_ptr<Tgirisform> openWindow() {
        auto w = std::make_unique<Tgirisform>();
        w->bagim = &bagc;
        w->Bilgim = &record;
        w->openRequestForm = [this](const QString& caption, const QString& address) {
            requestForms << caption + QStringLiteral(" | ") + address;
        };
        w->show();
        return w;
    }
    // Types the name and password, presses "Giriş" and waits until the login settles.
    void login(Tgirisform& w, const QString& name, const QString& password) {
        w.adi->setText(name);
        w.sifre->setText(password);
        QSignalSpy settled(&w, &Tgirisform::loginStepFinished);
        w.Button1->click();
        EXPECT_EQ(w.Button1->text(), u("Bağlanıyor..."));
        EXPECT_FALSE(w.Button1->isEnabled());
        EXPECT_TRUE(w.RxGIFAnimator1->isVisible());
        ASSERT_TRUE(settled.wait(20000) || settled.count() > 0);
    }
    session::IniFile settings() {
        session::IniFile ini;
        ini.load(Tgirisform::settingsPath());
        return ini;
    }

    TSonucBilgisi record;
    QStringList requestForms;
};

TEST_F(LoginWindow, ACorrectLoginFillsTheSessionRecordAndRemembersTheUser) {
    record.SetBILGISAYARID("ONCEKI");
    auto w = openWindow();
    EXPECT_EQ(w->windowTitle(), u("Giriş"));
    EXPECT_TRUE(w->benihatirla->isChecked());
    EXPECT_TRUE(w->adi->hasFocus() || !w->isActiveWindow());
    login(*w, "DEMO", "GIZLI");

    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_TRUE(fake->messages.empty()) << fake->messageTexts().join('|').toStdString();
    EXPECT_TRUE(fake->exits.empty());
    // The server's record, with this computer's own identity over it.
    EXPECT_EQ(record.ADI(), "DEMO");
    EXPECT_EQ(record.CARINO(), 120);
    EXPECT_EQ(record.CariAdi(), "ÖRNEK OTO YEDEK PARÇA");
    EXPECT_EQ(record.BILGISAYARID(), session::BilgisayarIdBul().toStdString());
    EXPECT_EQ(record.BilgiSayarAdi(), session::BilgisayarAdiAl().toStdString());
    EXPECT_EQ(record.Disip(), kOtherIp);
    // The server was asked with the computer ID, on the public host.
    ASSERT_EQ(loginCalls(), 1);
    EXPECT_EQ(server.dispatcher.calls().front().params.at(0).asText(), session::BilgisayarIdBul().toStdString());
    EXPECT_EQ(bagc.param("HostName"), u("127.0.0.1"));
    EXPECT_FALSE(session::lanEndpointsInUse());
    EXPECT_EQ(ipRequests(), 2);  // once before the call, once after it

    session::IniFile ini = settings();
    EXPECT_EQ(ini.readString("kullanici", "isim", ""), u("DEMO"));
    EXPECT_EQ(ini.readString("kullanici", "sifre", ""), u("GIZLI"));
    EXPECT_TRUE(ini.readBool("kullanici", u("hatırla"), false));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(Tgirisform::settingsPath()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    // The next start fills name and password from the file.
    auto next = openWindow();
    EXPECT_EQ(next->adi->text(), u("DEMO"));
    EXPECT_EQ(next->sifre->text(), u("GIZLI"));
}

TEST_F(LoginWindow, BackToTheWindowWithAWarningForWrongOrInactiveUsers) {
    struct Case {
        const char* name;
        const char* password;
        int aktif;
        bool settingsWritten;
    };
    const Case cases[] = {
        {"DEMO", "YANLIS", 1, false},
        {"BASKA", "GIZLI", 1, false},
        {"DEMO", "GIZLI", 0, true},  // right name and password, but the user is not active
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "/" + c.password);
        QFile::remove(Tgirisform::settingsPath());
        fake->messages.clear();
        serverRecord.SetAKTIF(c.aktif);
        auto w = openWindow();
        w->benihatirla->setChecked(false);
        login(*w, c.name, c.password);

        EXPECT_EQ(w->result(), QDialog::Rejected);
        EXPECT_TRUE(w->isVisible());
        ASSERT_EQ(fake->messages.size(), 1u);
        EXPECT_EQ(fake->messages[0].text, u("Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"));
        EXPECT_EQ(fake->messages[0].kind, platform::MsgKind::Warning);
        EXPECT_EQ(fake->messages[0].buttons, platform::kOk);
        EXPECT_TRUE(w->Button1->isEnabled());
        EXPECT_EQ(w->Button1->text(), u("Giriş!"));
        EXPECT_EQ(QFile::exists(Tgirisform::settingsPath()), c.settingsWritten);
        EXPECT_TRUE(fake->exits.empty());
    }
    // Written although unticked and although the user could not enter; nothing is filled next time.
    session::IniFile ini = settings();
    EXPECT_EQ(ini.readString("kullanici", "isim", ""), u("DEMO"));
    EXPECT_FALSE(ini.readBool("kullanici", u("hatırla"), true));
    auto next = openWindow();
    EXPECT_FALSE(next->benihatirla->isChecked());
    EXPECT_TRUE(next->adi->text().isEmpty());
    EXPECT_TRUE(next->sifre->text().isEmpty());
}

TEST_F(LoginWindow, AnUnknownComputerGetsTheRequestFormAndTheProgramEnds) {
    serverRecord.SetVarmi(false);  // the password is right, but the computer comes first
    auto w = openWindow();
    login(*w, "DEMO", "GIZLI");

    ASSERT_EQ(requestForms.size(), 1);
    EXPECT_EQ(requestForms[0], u("Korvel Otomotiv B2B İstek Formu | ") + web.url("/") +
                                   u("formmailgonder.aspx?carino=0&kullanici= &id=") + session::BilgisayarIdBul());
    EXPECT_EQ(fake->exits, std::vector<int>{0});
    EXPECT_NE(w->result(), QDialog::Accepted);
    EXPECT_FALSE(QFile::exists(Tgirisform::settingsPath()));
}

TEST_F(LoginWindow, AnyOtherServerVersionOpensTheUpdate) {
    for (int version : {2, 4}) {
        SCOPED_TRACE(version);
        fake->started.clear();
        fake->exits.clear();
        serverRecord.SetVersion(version);
        auto w = openWindow();
        login(*w, "DEMO", "GIZLI");

        ASSERT_EQ(fake->started.size(), 1u);
        EXPECT_EQ(fake->started[0].program, session::Tdosyaindir::targetPath());
        EXPECT_EQ(fake->started[0].arguments, QStringList{"/silent"});
        ASSERT_FALSE(fake->exits.empty());
        EXPECT_EQ(fake->exits[0], 0);
    }
}

TEST_F(LoginWindow, NoExternalAddressMeansNoServerCall) {
    web.on("/ip", {503, "busy", true, "text/plain"});
    auto w = openWindow();
    login(*w, "DEMO", "GIZLI");

    EXPECT_EQ(ipRequests(), 3);  // the bounded number of attempts, then it gives up
    ASSERT_EQ(fake->messages.size(), 1u);
    EXPECT_EQ(fake->messages[0].text, u("Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !"));
    EXPECT_EQ(fake->messages[0].kind, platform::MsgKind::Error);
    EXPECT_EQ(loginCalls(), 0);
    EXPECT_TRUE(w->Button1->isEnabled());
    EXPECT_NE(w->result(), QDialog::Accepted);

    // A service that answers again lets the next attempt through.
    setIpAnswer(kOtherIp);
    login(*w, "DEMO", "GIZLI");
    EXPECT_EQ(w->result(), QDialog::Accepted);
}

TEST_F(LoginWindow, ServerUnreachableOrFailingShowsTheConnectionMessage) {
    struct Case {
        const char* what;
        bool reachable;
        std::size_t retryBoxes;
    };
    for (const Case c : {Case{"call fails", true, 0}, Case{"unreachable", false, 11}}) {
        SCOPED_TRACE(c.what);
        fake->messages.clear();
        fake->plainBoxes.clear();
        if (c.reachable) {
            server.dispatcher.on("TServerMethods1.BuyukGetir",
                                 [](const wire::Call&) { return wire::Answer::failure("veritabanı hatası"); });
        } else {
            server.test.stop();
        }
        auto w = openWindow();
        login(*w, "DEMO", "GIZLI");

        EXPECT_EQ(fake->plainBoxes.size(), c.retryBoxes);
        ASSERT_EQ(fake->messages.size(), 1u);
        EXPECT_EQ(fake->messages[0].text, u("Bağlantı Kurulamadı !"));
        EXPECT_EQ(fake->messages[0].kind, platform::MsgKind::Error);
        EXPECT_TRUE(w->Button1->isEnabled());
        EXPECT_FALSE(w->RxGIFAnimator1->isVisible());
        EXPECT_NE(w->result(), QDialog::Accepted);
        EXPECT_EQ(record.ADI(), "");  // nothing of a failed call reaches the session record
    }
}

TEST_F(LoginWindow, TheWholesalersOwnAddressSwitchesToTheLanServer) {
    session::EndpointSettings s = session::endpointSettings();
    s.publicServerHost = "127.0.0.2";  // nothing listens there
    session::setEndpointSettings(s);
    setIpAnswer(kOwnIp);
    auto w = openWindow();
    login(*w, "DEMO", "GIZLI");

    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_TRUE(session::lanEndpointsInUse());
    EXPECT_EQ(bagc.param("HostName"), u("127.0.0.1"));
    EXPECT_EQ(session::WebAdresi(), web.url("/lan/"));
    EXPECT_EQ(session::ResimAdresi(), web.url("/lan/") + u("resimgoster.ashx?id="));
    EXPECT_EQ(record.Disip(), kOwnIp);
}

TEST_F(LoginWindow, SalesStaffPickACustomerOrTheProgramEnds) {
    serverRecord.SetMusteriTipi(2);
    {
        auto w = openWindow();  // no picker yet: as if it was closed without a choice
        login(*w, "DEMO", "GIZLI");
        EXPECT_EQ(fake->exits, std::vector<int>{0});
        EXPECT_NE(w->result(), QDialog::Accepted);
    }
    fake->exits.clear();
    auto w = openWindow();
    int asked = 0;
    w->pickCustomer = [&](Tgirisform& owner) {
        ++asked;
        EXPECT_EQ(&owner, w.get());
        record.SetCARINO(777);
        return true;
    };
    login(*w, "DEMO", "GIZLI");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(record.CARINO(), 777);
    EXPECT_TRUE(fake->exits.empty());
}

TEST_F(LoginWindow, EnterInTheEditsAndUpperCaseTyping) {
    auto w = openWindow();
    w->adi->setFocus();
    QTest::keyClick(w->adi, Qt::Key_Return);
    EXPECT_EQ(fake->plainWarnings, QStringList{u("Lütfen kullanıcı adını giriniz !")});
    EXPECT_EQ(fake->sounds, std::vector<platform::SystemSound>{platform::SystemSound::Stop});
    EXPECT_EQ(w->result(), QDialog::Rejected);  // Enter is not a default button press
    EXPECT_TRUE(w->isVisible());

    QTest::keyClicks(w->adi, "demo");
    EXPECT_EQ(w->adi->text(), u("DEMO"));
    QTest::keyClick(w->adi, Qt::Key_Return);
    EXPECT_EQ(fake->plainWarnings.size(), 1);

    QTest::keyClick(w->sifre, Qt::Key_Return);
    EXPECT_EQ(fake->plainWarnings.last(), u("Lütfen kullanıcı şifresini giriniz !"));
    EXPECT_EQ(loginCalls(), 0);

    QTest::keyClicks(w->sifre, "gizli");
    EXPECT_EQ(w->sifre->text(), u("GIZLI"));
    EXPECT_EQ(w->sifre->echoMode(), QLineEdit::Password);
    QSignalSpy settled(w.get(), &Tgirisform::loginStepFinished);
    QTest::keyClick(w->sifre, Qt::Key_Return);
    ASSERT_TRUE(settled.wait(20000));
    EXPECT_EQ(w->result(), QDialog::Accepted);

    // Upper case as the user's language writes it.
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    auto turkish = openWindow();
    turkish->adi->clear();
    QTest::keyClicks(turkish->adi, "ali");
    EXPECT_EQ(turkish->adi->text(), u("ALİ"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

TEST_F(LoginWindow, VazgecEndsTheProgram) {
    auto w = openWindow();
    w->Button2->click();
    EXPECT_EQ(fake->exits, std::vector<int>{0});
    EXPECT_NE(w->result(), QDialog::Accepted);
}

}  // namespace
