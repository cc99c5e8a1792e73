#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QSignalSpy>
#include <QTest>

#include "FakeServices.h"
#include "catalogue/PictureView.h"
#include "catalogue/ResimYukle.h"
#include "catalogue/TAsyncResim.h"
#include "catalogue/Tstokayarinti.h"
#include "remote/Connection.h"
#include "tests/remote/ScriptedDispatcher.h"
#include "wire/TestServer.h"

using namespace catalogue;
using testing_support::ScriptedDispatcher;

namespace {

QByteArray encoded(const char* format, int w = 12, int h = 8) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    image.save(&buf, format);
    return bytes;
}

// A tiny web server: answers every GET with the scripted status, Content-Type and body, or
// holds the answer until release() when asked to.
class PictureServer : public QObject {
public:
    PictureServer() {
        server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server.nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, this, [this, s] {
                    if (!s->readAll().contains("\r\n\r\n")) return;
                    ++requests;
                    if (hold) held.push_back(s);
                    else answer(s);
                });
            }
        });
    }
    QString url(const QString& path) const {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(server.serverPort()).arg(path);
    }
    void answer(QTcpSocket* s) {
        QByteArray head = "HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(body.size()) +
                          "\r\nConnection: close\r\n";
        if (!contentType.isEmpty()) head += "Content-Type: " + contentType + "\r\n";
        s->write(head + "\r\n" + body);
        s->flush();
        s->disconnectFromHost();
    }
    void release() {
        for (auto& s : held)
            if (s) answer(s);
        held.clear();
    }

    QTcpServer server;
    QByteArray status = "200 OK";
    QByteArray contentType;
    QByteArray body;
    bool hold = false;
    int requests = 0;
    std::vector<QPointer<QTcpSocket>> held;
};

TEST(ContentTypeRule, OnlyPngBmpAndJpegWithoutParameters) {
    struct Case {
        const char* type;
        const char* format;
    };
    const Case cases[] = {
        {"image/png", "PNG"}, {"image/PNG", "PNG"}, {"image/bmp", "BMP"}, {"image/jpeg", "JPG"},
        {"image/JPG", "JPG"}, {"IMAGE/jpg", "JPG"}, {"image/gif", nullptr}, {"image/png; charset=utf-8", nullptr},
        {"text/html", nullptr}, {"", nullptr},     {"image/", nullptr},     {"image/svg+xml", nullptr},
    };
    for (const Case& c : cases) {
        const char* got = resimBicimi(QString::fromLatin1(c.type));
        EXPECT_EQ(got ? std::string(got) : std::string(), c.format ? std::string(c.format) : std::string()) << c.type;
    }
}

TEST(AsyncPicture, ShowsWhatTheContentTypeNamesAndDecodes) {
    struct Case {
        const char* name;
        QByteArray status;
        QByteArray type;
        QByteArray body;
        bool shown;
    };
    const QByteArray png = encoded("PNG"), jpg = encoded("JPG"), bmp = encoded("BMP");
    const Case cases[] = {
        {"png", "200 OK", "image/png", png, true},
        {"jpg in capitals", "200 OK", "image/JPG", jpg, true},
        {"bmp", "200 OK", "image/bmp", bmp, true},
        {"gif type", "200 OK", "image/gif", png, false},
        {"parameter after the type", "200 OK", "image/png; charset=binary", png, false},
        {"error page", "200 OK", "text/html", "<html>yok</html>", false},
        {"undecodable", "200 OK", "image/png", "not a picture", false},
        {"empty body", "200 OK", "image/png", "", false},
        {"picture with an error status", "404 Not Found", "image/png", png, true},
    };
    for (const Case& c : cases) {
        PictureServer web;
        web.status = c.status;
        web.contentType = c.type;
        web.body = c.body;
        TAsyncResim pic;
        QSignalSpy done(&pic, &TAsyncResim::transferFinished);
        pic.SetUrl(web.url("resimgoster.ashx?id=5"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !pic.loading(); }, 5000)) << c.name;
        EXPECT_EQ(pic.hasPicture(), c.shown) << c.name;
        EXPECT_EQ(web.requests, 1) << c.name;
    }
}

TEST(AsyncPicture, TheSameAddressTwiceStartsOneTransfer) {
    PictureServer web;
    web.contentType = "image/png";
    web.body = encoded("PNG");
    TAsyncResim pic;
    pic.SetUrl(web.url("resimgoster.ashx?id=7"));
    pic.SetUrl(web.url("resimgoster.ashx?id=7"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !pic.loading(); }, 5000));
    EXPECT_EQ(pic.transfersStarted(), 1);
    EXPECT_EQ(web.requests, 1);
    EXPECT_TRUE(pic.hasPicture());
    pic.SetUrl(QString());  // an empty address starts nothing
    EXPECT_EQ(pic.transfersStarted(), 1);
}

TEST(AsyncPicture, DestroyedWhileLoadingNeitherCrashesNorShowsLater) {
    PictureServer web;
    web.hold = true;
    web.contentType = "image/png";
    web.body = encoded("PNG", 400, 300);
    QWidget parent;
    QPointer<TAsyncResim> pic = new TAsyncResim(&parent);
    bool changed = false;
    QObject::connect(pic, &PictureView::pictureChanged, [&] { changed = true; });
    pic->SetUrl(web.url("resimgoster.ashx?id=9"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return web.requests == 1; }, 5000));
    delete pic;
    web.release();
    QTest::qWait(200);
    EXPECT_FALSE(changed);
    EXPECT_TRUE(pic.isNull());
}

TEST(AsyncPicture, ClosingTheDetailDialogWhileThePictureLoads) {
    PictureServer web;
    web.hold = true;
    web.contentType = "image/jpeg";
    web.body = encoded("JPG", 300, 200);
    auto d = Tstokayarinti::Ac(nullptr, 31);
    d->resimAdresi = web.url("resimgoster.ashx?id=");
    d->show();  // the web picture's address is set when the dialog is shown
    ASSERT_TRUE(QTest::qWaitFor([&] { return web.requests == 1; }, 5000));
    EXPECT_EQ(d->AsyncResim1->Url(), web.url("resimgoster.ashx?id=31"));
    QPointer<TAsyncResim> pic = d->AsyncResim1;
    d->ParcaliTus2->click();
    d.reset();
    EXPECT_TRUE(pic.isNull());
    web.release();
    QTest::qWait(200);  // the answer arrives after the dialog is gone: nothing happens
}

class ServerPicture : public ::testing::Test {
protected:
    void SetUp() override {
        bagc.setHostName("127.0.0.1");
        bagc.setPort(server.port());
        bagc.setRetryPause([] {});
    }
    void answerWith(std::int64_t boy, QByteArray bytes) {
        dispatcher.on("TServerMethods1.ResimVer5", [boy, bytes](const wire::Call& c) {
            wire::Answer a;
            a.values = {wire::Value(), wire::Value::int64(boy), wire::Value::stream(bytes.toStdString())};
            return a;
        });
    }
    testing_support::ScopedFakeServices fake;
    ScriptedDispatcher dispatcher;
    wire::TestServer server{dispatcher};
    remote::Connection bagc;
    PictureView view;
};

TEST_F(ServerPicture, ShownOnlyWhenTheAnnouncedLengthArrives) {
    QByteArray jpg = encoded("JPG");
    ASSERT_LT(jpg.size(), 1024);
    QByteArray exact = jpg + QByteArray(1024 - jpg.size(), '\0');  // trailing bytes after the picture's end
    struct Case {
        const char* name;
        std::int64_t boy;
        QByteArray bytes;
        bool shown;
    };
    const Case cases[] = {
        {"exact", jpg.size(), jpg, true},
        {"1024 bytes exactly", 1024, exact, true},
        {"no picture", 0, QByteArray(), false},
        {"shorter than announced", jpg.size() + 10, jpg, false},
        {"longer than announced", jpg.size() - 10, jpg, false},
    };
    for (const Case& c : cases) {
        view.clearPicture();
        answerWith(c.boy, c.bytes);
        ResimYukle(bagc, 42, &view);
        EXPECT_EQ(view.hasPicture(), c.shown) << c.name;
        EXPECT_TRUE(fake->plainBoxes.isEmpty()) << c.name;
        EXPECT_TRUE(fake->messages.empty()) << c.name;
        EXPECT_FALSE(bagc.isOpen());
    }
    EXPECT_EQ(dispatcher.lastCall().params.at(0).asInt32(), 42);
}

TEST_F(ServerPicture, FailuresAreReportedWithTheirKind) {
    QByteArray junk("this is not a jpeg");
    answerWith(junk.size(), junk);
    ResimYukle(bagc, 1, &view);
    EXPECT_FALSE(view.hasPicture());
    ASSERT_EQ(fake->plainBoxes.size(), 1);
    EXPECT_TRUE(fake->plainBoxes[0].startsWith("PictureDecodeError: ")) << fake->plainBoxes[0].toStdString();

    dispatcher.on("TServerMethods1.ResimVer5", [](const wire::Call&) { return wire::Answer::failure("resim yok"); });
    ResimYukle(bagc, 1, &view);
    ASSERT_EQ(fake->plainBoxes.size(), 2);
    EXPECT_EQ(fake->plainBoxes[1], "RemoteError: resim yok");
    EXPECT_FALSE(bagc.isOpen());
}

}  // namespace
