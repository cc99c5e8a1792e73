// The login and the update against a real korvel-server process with its demo data.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "WhenModal.h"
#include "FakeServices.h"
#include "app/TForm1.h"
#include "notices/Tformistekyeni.h"
#include "session/IniFile.h"
#include "session/ServerEndpoints.h"
#include "session/Tdosyaindir.h"
#include "session/Tgirisform.h"
#include "session/Utilities.h"
#include "tests/server/ServerProcess.h"

namespace {

using session::Tgirisform;

QString u(const char* s) { return QString::fromUtf8(s); }


class AgainstServer : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new QTemporaryDir;
        installer = QByteArray(1536 * 1024, '\0');
        for (int i = 0; i < installer.size(); ++i) installer[i] = char(i % 249);
        QFile f(dir->filePath("KorvelSetup.exe"));
        f.open(QIODevice::WriteOnly);
        f.write(installer);
        f.close();
        db = dir->filePath("korvel.db").toStdString();
        server = new ServerProcess({"--db", db, "--port", "0", "--web-port", "0", "--host", "127.0.0.1", "--demo",
                                    "--parts", "300", "--quiet", "--installer",
                                    dir->filePath("KorvelSetup.exe").toStdString()});
    }
    static void TearDownTestSuite() {
        delete server;
        delete dir;
    }

    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
        fake->throwOnExit = false;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const QString web = QStringLiteral("http://127.0.0.1:%1/").arg(server->webPort);
        session::EndpointSettings s;
        s.publicServerHost = s.lanServerHost = "127.0.0.1";
        s.publicWebRoot = s.lanWebRoot = web;
        s.ownPublicIp = "203.0.113.10";
        s.externalIpUrl = web + "ip";
        s.updateUrl = web + "exe/KorvelSetup.exe";
        s.ipLookupPauseMs = 50;
        session::setEndpointSettings(s);
        form = std::make_unique<TForm1>();
        form->bagc.setPort(server->port);
        form->bagc.setRetryPause([] {});
        QObject::connect(form.get(), &TForm1::startContentFinished, [this] { finished = true; });
    }
    void TearDown() override {
        for (int i = 0; i < 500 && started && !finished; ++i) QTest::qWait(10);
        form.reset();
        session::setEndpointSettings(session::EndpointSettings::builtIn());
        registerThisComputer("DEMO");
    }

    static void registerThisComputer(const char* user) {
        ASSERT_EQ(ServerProcess::run({"--db", db, "--register", user}), 0) << user;
    }
    // GirisYap answered by typing the name and password and pressing "Giriş".
    void logIn(const char* name, const char* password) {
        whenModal<Tgirisform>([name, password](Tgirisform& w) {
            QTest::keyClicks(w.adi, name);
            QTest::keyClicks(w.sifre, password);
            // Wrong credentials bring the window back: leave it then, as a user would.
            QObject::connect(&w, &Tgirisform::loginStepFinished, &w, [&w] {
                if (w.isVisible() && w.result() != QDialog::Accepted) w.Button2->click();
            });
            w.Button1->click();
        });
        form->GirisYap();
        started = fake->exits.empty();
    }

    static inline QTemporaryDir* dir = nullptr;
    static inline ServerProcess* server = nullptr;
    static inline std::string db;
    static inline QByteArray installer;

    QTemporaryDir home;
    testing_support::ScopedFakeServices fake;
    std::unique_ptr<TForm1> form;
    bool started = false, finished = false;
};

TEST_F(AgainstServer, TheDemoCustomerLogsInAndSeesTheHeader) {
    logIn("demo", "demo123");  // typed in lower case, sent in upper case
    ASSERT_TRUE(fake->exits.empty()) << fake->messageTexts().join('|').toStdString();
    for (int i = 0; i < 500 && !finished; ++i) QTest::qWait(10);
    EXPECT_EQ(form->kullanicilbl->text(), u("DEMO"));
    EXPECT_EQ(form->cariadilbl->text(), u("Yıldız Oto Yedek Parça San. ve Tic. Ltd. Şti."));
    EXPECT_TRUE(form->saticilbl->text().contains(u(" Telefonu: ")));
    EXPECT_EQ(form->sbilgi.MusteriTipi(), 3);
    EXPECT_EQ(form->sbilgi.BILGISAYARID(), session::BilgisayarIdBul().toStdString());
    EXPECT_EQ(form->sbilgi.Disip(), "127.0.0.1");  // what the server's address service saw
    EXPECT_FALSE(form->R1->isVisible());
    EXPECT_TRUE(form->sPageControl1->isTabVisible(form->pageIndex("skampanyali")));
    session::IniFile ini;
    ASSERT_TRUE(ini.load(Tgirisform::settingsPath()));
    EXPECT_EQ(ini.readString("kullanici", "sifre", ""), u("DEMO123"));
}

TEST_F(AgainstServer, WrongPasswordAndInactiveUserAreRefused) {
    struct Case {
        const char* user;  // registered to this computer
        const char* name;
        const char* password;
        bool settingsWritten;
    };
    const Case cases[] = {{"DEMO", "DEMO", "YANLIS", false}, {"PASIF", "PASIF", "PASIF123", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.user);
        registerThisComputer(c.user);
        QFile::remove(Tgirisform::settingsPath());
        fake->messages.clear();
        fake->exits.clear();
        logIn(c.name, c.password);
        ASSERT_GE(fake->messages.size(), 1u);
        EXPECT_EQ(fake->messages[0].text, u("Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"));
        EXPECT_EQ(QFile::exists(Tgirisform::settingsPath()), c.settingsWritten);
        ASSERT_FALSE(fake->exits.empty());  // then "Vazgeç"
        EXPECT_EQ(fake->exits.front(), 0);
        EXPECT_TRUE(form->kullanicilbl->text().isEmpty());
    }
}

TEST_F(AgainstServer, ACustomerWithoutCampaignsLosesTheCampaignTab) {
    registerThisComputer("KAMPANYASIZ");
    logIn("KAMPANYASIZ", "KAMPANYASIZ123");
    ASSERT_TRUE(fake->exits.empty()) << fake->messageTexts().join('|').toStdString();
    EXPECT_EQ(form->sbilgi.MusteriTipi(), 4);
    EXPECT_FALSE(form->sPageControl1->isTabVisible(form->pageIndex("skampanyali")));
    EXPECT_FALSE(form->R1->isVisible());
}

TEST_F(AgainstServer, SalesStaffEndTheProgramUntilTheyCanPickACustomer) {
    registerThisComputer("PERSONEL");
    logIn("PERSONEL", "PERSONEL123");
    EXPECT_EQ(fake->exits.front(), 0);
    EXPECT_TRUE(fake->messages.empty());
    EXPECT_TRUE(form->kullanicilbl->text().isEmpty());
}

TEST_F(AgainstServer, AnUnknownComputerIsSentToTheServersRequestForm) {
    // A database that knows no computer: a second server without demo data.
    QTemporaryDir empty;
    ServerProcess bare({"--db", empty.filePath("bos.db").toStdString(), "--port", "0", "--web-port", "0", "--host",
                        "127.0.0.1", "--quiet"});
    form->bagc.setPort(bare.port);
    QString address;
    whenModal<Tgirisform>([&](Tgirisform& w) {
        whenModal<notices::Tformistekyeni>([&](notices::Tformistekyeni& f) {
            address = f.address();
            f.Button1->click();
        });
        w.adi->setText("DEMO");
        w.sifre->setText("DEMO123");
        w.Button1->click();
    });
    form->GirisYap();
    EXPECT_EQ(address, QStringLiteral("http://127.0.0.1:%1/formmailgonder.aspx?carino=0&kullanici= &id=").arg(server->webPort) +
                           session::BilgisayarIdBul());
    ASSERT_FALSE(fake->exits.empty());
    EXPECT_EQ(fake->exits.front(), 0);
}

TEST_F(AgainstServer, TheUpdateDownloadsTheServersInstaller) {
    session::Tdosyaindir window(nullptr, 4);
    window.locale = QLocale(QLocale::Turkish, QLocale::Turkey);
    QStringList texts;
    QObject::connect(&window, &session::Tdosyaindir::progressShown,
                     [&](qint64, qint64) { texts << window.bilgi->text(); });
    window.exec();

    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.last(), u("Bilgi: %100,00  İndirilen: 1,50/1,50 Mb"));
    QFile saved(session::Tdosyaindir::targetPath());
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), installer);
    ASSERT_EQ(fake->started.size(), 1u);
    EXPECT_EQ(fake->started[0].arguments, QStringList{"/silent"});
    EXPECT_EQ(fake->exits, std::vector<int>{0});
}

}  // namespace
