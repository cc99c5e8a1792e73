#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <arpa/inet.h>
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "platform/Services.h"
#include "remote/Connection.h"
#include "remote/ServerMethods.h"
#include "remote/UiThread.h"

using remote::BaglantiKur;
using remote::Connection;

namespace {

// A loopback port that refuses connections until startListening().
class ClosedPort {
public:
    ClosedPort() {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) throw std::runtime_error("bind");
        socklen_t len = sizeof a;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
    }
    ~ClosedPort() { ::close(fd_); }
    int port() const { return port_; }
    void startListening() { ::listen(fd_, 16); }

private:
    int fd_ = -1;
    int port_ = 0;
};

// Records the boxes and messages with the thread that showed them.
class ThreadRecordingServices final : public platform::Services {
public:
    struct Shown {
        QString text;
        bool onUiThread = false;
        platform::MessageRequest request;
    };

    std::size_t boxCount() const {
        std::lock_guard lock(mutex_);
        return boxes_.size();
    }
    std::vector<Shown> boxes() const {
        std::lock_guard lock(mutex_);
        return boxes_;
    }
    std::vector<Shown> messages() const {
        std::lock_guard lock(mutex_);
        return messages_;
    }

    int showMessage(const platform::MessageRequest& r) override {
        std::lock_guard lock(mutex_);
        messages_.push_back({r.text, onUiThread(), r});
        return platform::mrOk;
    }
    void showPlainBox(const QString& text) override {
        std::lock_guard lock(mutex_);
        boxes_.push_back({text, onUiThread(), {}});
    }
    void showPlainWarning(const QString&) override {}
    QString getSaveFileName(const QString&, const QString&, const QString&) override { return {}; }
    bool openUrl(const QUrl&) override { return false; }
    bool startProgram(const QString&, const QStringList&) override { return false; }
    void exitProcess(int code) override { throw platform::ProcessExit{code}; }
    void playSound(platform::SystemSound) override {}
    QDateTime now() override { return QDateTime::currentDateTime(); }

private:
    static bool onUiThread() { return QThread::currentThread() == QCoreApplication::instance()->thread(); }
    mutable std::mutex mutex_;
    std::vector<Shown> boxes_;
    std::vector<Shown> messages_;
};

class BaglantiKurTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto s = std::make_unique<ThreadRecordingServices>();
        services = s.get();
        previous = platform::installServices(std::move(s));
        connection.setHostName("127.0.0.1");
        connection.setPort(port.port());
        connection.setConnectTimeoutMs(2000);
        connection.setRetryPause([this] { pausesSeen.push_back(services->boxCount()); });
    }
    void TearDown() override { platform::installServices(std::move(previous)); }

    ThreadRecordingServices* services = nullptr;
    std::unique_ptr<platform::Services> previous;
    ClosedPort port;
    Connection connection;
    std::vector<std::size_t> pausesSeen;  // boxes shown when each pause began
};

void expectConnectionFailedMessage(const ThreadRecordingServices::Shown& m) {
    EXPECT_EQ(m.text, QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
    EXPECT_EQ(m.request.kind, platform::MsgKind::Error);
    EXPECT_EQ(m.request.buttons, platform::kOk);
}

}  // namespace

TEST(Connection, HasTheDesignSettings) {
    Connection c;
    EXPECT_EQ(c.connectionName(), "DataSnapCONNECTION");
    EXPECT_FALSE(c.loginPrompt());
    EXPECT_FALSE(c.isOpen());
    const std::pair<const char*, const char*> expected[] = {
        {"Port", "9090"}, {"HostName", "localhost"}, {"CommunicationProtocol", "tcp/ip"},
        {"DatasnapContext", "datasnap/"}, {"DSProxyPort", "8090"}, {"Filters", "{}"},
    };
    for (const auto& [key, value] : expected) EXPECT_EQ(c.param(key), value) << key;
    EXPECT_FALSE(c.param("DriverUnit").isEmpty());
    EXPECT_EQ(c.param("DriverName"), c.driverName());
}

TEST(Connection, CloneCopiesDriverParametersAndTimeoutsButIsClosed) {
    ClosedPort port;
    port.startListening();
    Connection c;
    c.setDriverName("Other");
    c.setHostName("127.0.0.1");
    c.setPort(port.port());
    c.setReadTimeoutMs(1234);
    c.setConnectTimeoutMs(999);
    int pauses = 0;
    c.setRetryPause([&] { ++pauses; });
    c.open();
    ASSERT_TRUE(c.isOpen());

    auto copy = c.clone();
    EXPECT_FALSE(copy->isOpen());
    EXPECT_EQ(copy->driverName(), "Other");
    EXPECT_EQ(copy->params(), c.params());
    EXPECT_EQ(copy->readTimeoutMs(), 1234);
    EXPECT_EQ(copy->connectTimeoutMs(), 999);
    copy->retryPause()();
    EXPECT_EQ(pauses, 1);
    // The copy is independent: changing it leaves the original alone.
    copy->setParam("DSProxyPort", "8091");
    EXPECT_EQ(c.param("DSProxyPort"), "8090");
    copy->open();
    EXPECT_TRUE(copy->isOpen());
    copy->close();
    EXPECT_FALSE(copy->isOpen());
    EXPECT_TRUE(c.isOpen());
}

TEST(Connection, BadPortParameterFailsToOpenWithAText) {
    for (const char* portText : {"", "abc", "0", "70000", "-1"}) {
        Connection c;
        c.setParam("Port", portText);
        try {
            c.open();
            ADD_FAILURE() << "opened with port " << portText;
        } catch (const std::exception& e) {
            EXPECT_STRNE(e.what(), "") << portText;
        }
        EXPECT_FALSE(c.isOpen());
    }
}

TEST(Connection, ProxyNeedsAnOpenConnection) {
    Connection c;
    EXPECT_THROW(remote::TServerMethods1Client proxy(c), std::exception);
}

TEST_F(BaglantiKurTest, RefusedEveryTimeGivesElevenBoxesThenFalse) {
    struct Case {
        int flag;
        bool finalMessage;
    };
    for (const Case& tc : {Case{1, true}, Case{0, false}, Case{2, false}}) {
        SCOPED_TRACE(tc.flag);
        const std::size_t boxesBefore = services->boxCount();
        const std::size_t messagesBefore = services->messages().size();
        pausesSeen.clear();
        EXPECT_FALSE(BaglantiKur(connection, tc.flag));
        EXPECT_FALSE(connection.isOpen());
        const auto boxes = services->boxes();
        ASSERT_EQ(boxes.size() - boxesBefore, 11u);
        for (std::size_t i = boxesBefore; i < boxes.size(); ++i) {
            EXPECT_FALSE(boxes[i].text.isEmpty());
            EXPECT_EQ(boxes[i].text, boxes[boxesBefore].text);  // the failure's own text each time
        }
        // Each pause comes after its attempt's box has been shown.
        ASSERT_EQ(pausesSeen.size(), 11u);
        for (std::size_t i = 0; i < pausesSeen.size(); ++i) EXPECT_EQ(pausesSeen[i] - boxesBefore, i + 1);
        const auto messages = services->messages();
        ASSERT_EQ(messages.size() - messagesBefore, tc.finalMessage ? 1u : 0u);
        if (tc.finalMessage) expectConnectionFailedMessage(messages.back());
    }
}

TEST_F(BaglantiKurTest, ServerAcceptingOnTheThirdAttemptGivesTwoBoxesAndTrue) {
    connection.setRetryPause([this] {
        pausesSeen.push_back(services->boxCount());
        if (pausesSeen.size() == 2) port.startListening();
    });
    EXPECT_TRUE(BaglantiKur(connection, 1));
    EXPECT_TRUE(connection.isOpen());
    EXPECT_EQ(services->boxes().size(), 2u);
    EXPECT_EQ(pausesSeen.size(), 2u);
    EXPECT_TRUE(services->messages().empty());
}

TEST_F(BaglantiKurTest, AnOpenConnectionIsClosedAndOpenedAgain) {
    port.startListening();
    connection.open();
    ASSERT_TRUE(connection.isOpen());
    EXPECT_TRUE(BaglantiKur(connection, 1));
    EXPECT_TRUE(connection.isOpen());
    EXPECT_TRUE(services->boxes().empty());
    EXPECT_TRUE(pausesSeen.empty());
}

TEST_F(BaglantiKurTest, FromAWorkerThreadTheBoxesAreShownOnTheUiThreadAndWaitedFor) {
    std::atomic<bool> done{false};
    bool result = true;
    std::thread worker([&] {
        result = BaglantiKur(connection, 1);
        done = true;
    });
    QDeadlineTimer deadline(60000);
    while (!done && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    worker.join();
    EXPECT_FALSE(result);
    const auto boxes = services->boxes();
    ASSERT_EQ(boxes.size(), 11u);
    for (const auto& b : boxes) EXPECT_TRUE(b.onUiThread);
    // The worker waited for each box before its pause.
    ASSERT_EQ(pausesSeen.size(), 11u);
    for (std::size_t i = 0; i < pausesSeen.size(); ++i) EXPECT_EQ(pausesSeen[i], i + 1);
    const auto messages = services->messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].onUiThread);
    expectConnectionFailedMessage(messages[0]);
}

TEST(RunOnUiThread, RunsOnTheUiThreadWaitsAndPassesExceptionsBack) {
    std::atomic<bool> done{false};
    bool ranOnUi = false;
    bool sawValue = false;
    std::string error;
    std::thread worker([&] {
        int value = 0;
        remote::runOnUiThread([&] {
            ranOnUi = QThread::currentThread() == QCoreApplication::instance()->thread();
            value = 42;
        });
        sawValue = value == 42;  // set before runOnUiThread returned
        try {
            remote::runOnUiThread([] { throw std::runtime_error("kutu açılamadı"); });
        } catch (const std::runtime_error& e) {
            error = e.what();
        }
        done = true;
    });
    QDeadlineTimer deadline(10000);
    while (!done && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    worker.join();
    EXPECT_TRUE(ranOnUi);
    EXPECT_TRUE(sawValue);
    EXPECT_EQ(error, "kutu açılamadı");

    // On the user-interface thread it runs at once.
    bool direct = false;
    remote::runOnUiThread([&] { direct = true; });
    EXPECT_TRUE(direct);
}
