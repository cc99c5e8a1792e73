#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "FakeServices.h"
#include "HttpResponder.h"
#include "session/LoginRules.h"
#include "session/Tdosyaindir.h"

namespace {

using session::Tdosyaindir;
using testing_support::HttpResponder;

QString u(const char* s) { return QString::fromUtf8(s); }

class UpdateWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
        fake->throwOnExit = false;
        for (int i = 0; i < installer.size(); ++i) installer[i] = char(i * 7 % 251);
    }

    // Shows the window as the login does and records the progress it shows.
    void run(const QString& address) {
        Tdosyaindir window(nullptr, 4);
        window.locale = QLocale(QLocale::Turkish, QLocale::Turkey);
        window.address = address;
        QObject::connect(&window, &Tdosyaindir::progressShown,
                         [&](qint64 received, qint64 total) { progress.push_back({received, total}); });
        message = window.sLabel1->text();
        window.exec();  // the download starts when the window is up, and the window closes at the end
        bilgi = window.bilgi->text();
        barValue = window.ProgressBar1->value();
        barMaximum = window.ProgressBar1->maximum();
        basladi = window.basladi;
    }
    void placeOldInstaller() {
        QDir().mkpath(QFileInfo(Tdosyaindir::targetPath()).absolutePath());
        QFile old(Tdosyaindir::targetPath());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("eski kurulum");
    }
    QByteArray saved() const {
        QFile f(Tdosyaindir::targetPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir home;
    testing_support::ScopedFakeServices fake;
    HttpResponder web;
    QByteArray installer = QByteArray(3 * 1024 * 1024, '\0');
    std::vector<std::pair<qint64, qint64>> progress;
    QString message, bilgi;
    int barValue = -1, barMaximum = -1;
    bool basladi = false;
};

TEST_F(UpdateWindow, DownloadsWithProgressSavesStartsSilentlyAndEnds) {
    placeOldInstaller();
    HttpResponder::Reply slow{200, installer, true};
    slow.partSize = 512 * 1024;
    slow.partDelayMs = 150;  // the network layer reports progress at most every so often
    web.on("/exe/KorvelSetup.exe", slow);
    run(web.url("/exe/KorvelSetup.exe"));

    EXPECT_EQ(message, session::updateMessage(4));
    EXPECT_TRUE(basladi);
    // Progress in steps up to the whole file, the text in Turkish settings.
    ASSERT_GE(progress.size(), 2u);
    for (std::size_t i = 1; i < progress.size(); ++i) EXPECT_GE(progress[i].first, progress[i - 1].first);
    EXPECT_EQ(progress.back(), std::make_pair(qint64(installer.size()), qint64(installer.size())));
    EXPECT_EQ(bilgi, u("Bilgi: %100,00  İndirilen: 3,00/3,00 Mb"));
    EXPECT_EQ(barMaximum, installer.size());
    EXPECT_EQ(barValue, installer.size());

    EXPECT_EQ(saved(), installer);
    ASSERT_EQ(fake->started.size(), 1u);
    EXPECT_EQ(fake->started[0].program, Tdosyaindir::targetPath());
    EXPECT_EQ(fake->started[0].arguments, QStringList{"/silent"});
    EXPECT_EQ(fake->exits, std::vector<int>{0});
    EXPECT_TRUE(fake->plainErrors.isEmpty());

    // One request, with the headers the update server expects and no cookies.
    ASSERT_EQ(web.requests.size(), 1);
    const auto& h = web.requests[0].headers;
    EXPECT_EQ(h.value("accept"),
              "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,image/apng,*/*;q=0.8");
    EXPECT_EQ(h.value("accept-encoding"), "gzip, deflate");
    EXPECT_EQ(h.value("accept-language"), "en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4");
    EXPECT_EQ(h.value("user-agent"), "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
                                     "Chrome/60.0.3112.32 Safari/537.36");
    EXPECT_FALSE(h.contains("cookie"));
}

TEST_F(UpdateWindow, ACompressedAnswerIsSavedUnpacked) {
    HttpResponder::Reply packed{200, qCompress(installer).mid(4), true};  // a zlib stream
    packed.extraHeaders = "Content-Encoding: deflate\r\n";
    web.on("/exe/KorvelSetup.exe", packed);
    run(web.url("/exe/KorvelSetup.exe"));
    EXPECT_EQ(saved(), installer);
    EXPECT_EQ(fake->started.size(), 1u);
    EXPECT_TRUE(fake->plainErrors.isEmpty());
}

TEST_F(UpdateWindow, ARedirectIsFollowedAndAnAnswerWithoutLengthShowsNoProgress) {
    web.on("/eski/KorvelSetup.exe", {302, "", true, "text/plain", web.url("/exe/KorvelSetup.exe").toUtf8()});
    web.on("/exe/KorvelSetup.exe", {200, installer, false});
    run(web.url("/eski/KorvelSetup.exe"));

    EXPECT_TRUE(progress.empty());
    EXPECT_TRUE(bilgi.isEmpty());
    EXPECT_EQ(barValue, 0);
    EXPECT_EQ(saved(), installer);
    ASSERT_EQ(fake->started.size(), 1u);
    EXPECT_EQ(fake->exits, std::vector<int>{0});
}

TEST_F(UpdateWindow, ARequestErrorIsReportedTheOldInstallerIsGoneAndTheProgramEnds) {
    struct Case {
        const char* what;
        QString address;
    };
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost, 0);
    const QString refused = QStringLiteral("http://127.0.0.1:%1/exe/KorvelSetup.exe").arg(closed.serverPort());
    closed.close();
    const Case cases[] = {{"not found", web.url("/exe/KorvelSetup.exe")}, {"refused", refused}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fake->plainErrors.clear();
        fake->exits.clear();
        placeOldInstaller();
        run(c.address);

        ASSERT_EQ(fake->plainErrors.size(), 1);
        EXPECT_TRUE(fake->plainErrors[0].startsWith(u("Hata Oluştu !\r\nHata: "))) << fake->plainErrors[0].toStdString();
        EXPECT_GT(fake->plainErrors[0].size(), u("Hata Oluştu !\r\nHata: ").size());
        EXPECT_EQ(fake->exits, std::vector<int>{0});
        EXPECT_TRUE(fake->started.empty());
        EXPECT_FALSE(QFile::exists(Tdosyaindir::targetPath()));
    }
}

TEST_F(UpdateWindow, TheDownloadStartsOnceAndTheWindowCannotBeClosedMeanwhile) {
    web.on("/exe/KorvelSetup.exe", {200, installer, true});
    Tdosyaindir window(nullptr, 2);
    window.address = web.url("/exe/KorvelSetup.exe");
    EXPECT_FALSE(window.basladi);
    EXPECT_EQ(window.windowTitle(), u("Dosya İndir"));
    EXPECT_TRUE(window.sLabel1->text().endsWith(u("Version: 2-3")));
    window.show();
    EXPECT_FALSE(window.close());  // no way to skip the update
    window.FormActivate();
    window.FormActivate();
    QCoreApplication::processEvents();
    EXPECT_EQ(web.requests.size(), 1);
    EXPECT_EQ(fake->started.size(), 1u);
}

}  // namespace
