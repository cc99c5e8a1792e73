#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTest>
#include <QThreadPool>
#include <atomic>

#include "HttpResponder.h"
#include "session/ExternalIp.h"

namespace {

using testing_support::HttpResponder;

// Runs the lookup on a pool thread while this thread serves the test web side.
QString lookUp(const session::IpLookup& lookup) {
    QString answer;
    std::atomic<bool> done{false};
    QThreadPool::globalInstance()->start([&] {
        answer = session::lookUpExternalIp(lookup);
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 30000));
    return answer;
}

TEST(ExternalIp, TheAnswerTrimmedOrEmptyAfterABoundedNumberOfAttempts) {
    struct Case {
        const char* what;
        HttpResponder::Reply reply;
        const char* expected;
        int requests;
    };
    const Case cases[] = {
        {"address", {200, " 198.51.100.7\r\n", true, "text/plain"}, "198.51.100.7", 1},
        {"error status", {503, "198.51.100.7", true, "text/plain"}, "", 3},
        {"not an address", {200, QByteArray(4096, 'x'), true, "text/html"}, "", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HttpResponder web;
        web.on("/ip", c.reply);
        session::IpLookup lookup;
        lookup.url = web.url("/ip");
        lookup.attempts = 3;
        lookup.pauseMs = 10;
        EXPECT_EQ(lookUp(lookup), QString::fromUtf8(c.expected));
        EXPECT_EQ(web.requests.size(), c.requests);
    }
}

TEST(ExternalIp, AServiceThatNeverAnswersIsGivenUpOn) {
    // Accepts connections and reads the request, but never answers.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    int accepted = 0;
    QObject::connect(&silent, &QTcpServer::newConnection, [&] {
        while (silent.nextPendingConnection()) ++accepted;
    });
    session::IpLookup lookup;
    lookup.url = QStringLiteral("http://127.0.0.1:%1/ip").arg(silent.serverPort());
    lookup.attempts = 2;
    lookup.readTimeoutMs = 200;
    lookup.pauseMs = 10;
    EXPECT_TRUE(lookUp(lookup).isEmpty());
    EXPECT_EQ(accepted, 2);
}

}  // namespace
