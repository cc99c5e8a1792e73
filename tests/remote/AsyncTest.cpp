#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLineEdit>
#include <QThread>
#include <arpa/inet.h>
#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "FakeServices.h"
#include "ScriptedDispatcher.h"
#include "data/MemTable.h"
#include "remote/ServerMethods.h"
#include "session/Async.h"
#include "session/PageLoad.h"
#include "wire/TestServer.h"

using testing_support::ScopedFakeServices;
using testing_support::ScriptedDispatcher;

namespace {

bool onUiThread() { return QThread::currentThread() == qApp->thread(); }

// Runs the event loop until cond holds or ten seconds pass.
template <class Cond>
bool waitFor(Cond cond) {
    QDeadlineTimer deadline(10000);
    while (!cond() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return cond();
}

// A loopback port nobody listens on.
int refusedPort() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    static std::vector<int> keep;  // stays bound, never listens: connections are refused
    keep.push_back(fd);
    return ntohs(a.sin_port);
}

const QString kFailed = QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");

}  // namespace

TEST(Async, WorkRunsOnAPoolThreadAndTheContinuationOnTheUiThread) {
    std::atomic<bool> workOnUi{true};
    bool continuationOnUi = false;
    bool done = false;
    int value = 0;
    Async([&] {
        workOnUi = onUiThread();
        value = 42;
    }).Await([&] {
        continuationOnUi = onUiThread();
        EXPECT_EQ(value, 42);  // the work has finished before its continuation
        done = true;
    });
    EXPECT_FALSE(done);  // Await returns at once
    ASSERT_TRUE(waitFor([&] { return done; }));
    EXPECT_FALSE(workOnUi);
    EXPECT_TRUE(continuationOnUi);
}

TEST(Async, AnErrorOfTheWorkIsShownAfterTheContinuation) {
    ScopedFakeServices fake;
    std::vector<std::string> log;
    Async([] { throw std::runtime_error("Sunucu yanıt vermedi"); }).Await([&] {
        log.push_back("continuation, messages so far: " + std::to_string(fake->messages.size()));
    });
    ASSERT_TRUE(waitFor([&] { return !fake->messages.empty(); }));
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], "continuation, messages so far: 0");
    ASSERT_EQ(fake->messages.size(), 1u);
    EXPECT_EQ(fake->messages[0].text, QStringLiteral("Sunucu yanıt vermedi"));
    EXPECT_EQ(fake->messages[0].kind, platform::MsgKind::Error);
    EXPECT_EQ(fake->messages[0].buttons, platform::kOk);
}

TEST(Async, TheErrorDisplayCanBeReplacedAndSeesContinuationErrorsToo) {
    std::vector<std::string> shown;
    bool onUi = false;
    auto previous = session::setErrorDisplay([&](std::exception_ptr e) {
        onUi = onUiThread();
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& ex) {
            shown.push_back(ex.what());
        }
    });
    Async([] { throw std::runtime_error("iş"); }).Await([] { throw std::runtime_error("devam"); });
    const bool arrived = waitFor([&] { return shown.size() == 2; });
    session::setErrorDisplay(previous);
    ASSERT_TRUE(arrived);
    EXPECT_EQ(shown, (std::vector<std::string>{"devam", "iş"}));
    EXPECT_TRUE(onUi);
}

namespace {

// A page with a busy picture, a grid stand-in, a search box and a table.
class PageLoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake->defaultAnswer = platform::mrOk;
        connection.setHostName("127.0.0.1");
        connection.setPort(server.port());
        connection.setRetryPause([] {});
        busy.setVisible(false);
        options.busyIndicator = &busy;
        options.table = &table;
        options.alsoDisabled = {&searchBox};
        options.grid.detach = [this] {
            log.push_back("detach");
            attached = false;
        };
        options.grid.attach = [this] {
            log.push_back("attach");
            attached = true;
        };
        options.grid.setEnabled = [this](bool e) {
            log.push_back(e ? "enable" : "disable");
            gridEnabled = e;
        };
        options.finish = [this](bool failed) {
            log.push_back(failed ? "finish failed" : "finish");
            tableRowsAtFinish = table.rowCount();
            busyAtFinish = busy.isVisible();
        };
        dispatcher.on("TServerMethods1.SepetVer2", [](const wire::Call& call) {
            wire::Table t;
            t.columns = {{"STOKNO", wire::FieldType::Integer, 0}, {"TUTAR", wire::FieldType::Float, 0}};
            for (int i = 0; i < call.params.at(0).asInt32(); ++i) t.appendRow({std::int64_t{i}, 10.0 * i});
            return ScriptedDispatcher::reply(call, wire::Value::dataPacket(std::move(t)));
        });
    }

    // The load function of a cart-like page: rows as many as the customer number.
    session::PageLoad::Load cartLoad(int carino) {
        return [this, carino](remote::Connection& c) {
            loadOnUi = onUiThread();
            controlsDisabledDuringLoad = table.controlsDisabled();
            remote::TServerMethods1Client proxy(c);
            remote::loadTable(table, proxy.SepetVer2(carino));
            return false;
        };
    }

    ScopedFakeServices fake;
    ScriptedDispatcher dispatcher;
    wire::TestServer server{dispatcher};
    remote::Connection connection;
    QLabel busy;
    QLineEdit searchBox;
    data::MemTable table{"sepet"};
    session::PageLoad::Options options;
    std::vector<std::string> log;
    bool attached = true;
    bool gridEnabled = true;
    std::size_t tableRowsAtFinish = 0;
    bool busyAtFinish = false;
    std::atomic<bool> loadOnUi{true};
    std::atomic<bool> controlsDisabledDuringLoad{false};
};

}  // namespace

TEST_F(PageLoadTest, ASuccessfulLoadFillsTheTableAndRestoresThePage) {
    session::PageLoad page(connection, options);
    ASSERT_TRUE(page.start(cartLoad(3)));
    // While it runs the page is busy and its grid detached.
    EXPECT_TRUE(busy.isVisible());
    EXPECT_FALSE(gridEnabled);
    EXPECT_FALSE(attached);
    EXPECT_FALSE(searchBox.isEnabled());
    ASSERT_TRUE(waitFor([&] { return !page.running(); }));

    EXPECT_EQ(log, (std::vector<std::string>{"disable", "detach", "finish", "attach", "enable"}));
    EXPECT_EQ(tableRowsAtFinish, 3u);
    EXPECT_TRUE(busyAtFinish);  // the indicator goes after the page's own steps
    EXPECT_FALSE(busy.isVisible());
    EXPECT_TRUE(searchBox.isEnabled());
    EXPECT_FALSE(loadOnUi);
    EXPECT_TRUE(controlsDisabledDuringLoad);
    EXPECT_FALSE(table.controlsDisabled());
    EXPECT_TRUE(fake->messages.empty());
    EXPECT_TRUE(fake->plainBoxes.isEmpty());
    EXPECT_FALSE(connection.isOpen());  // the load used its own copy

    // Zero rows is a success too; showing the page again loads again.
    log.clear();
    ASSERT_TRUE(page.start(cartLoad(0)));
    ASSERT_TRUE(waitFor([&] { return !page.running(); }));
    EXPECT_EQ(table.rowCount(), 0u);
    EXPECT_EQ(log.at(2), "finish");
    EXPECT_TRUE(fake->messages.empty());
}

TEST_F(PageLoadTest, AnUnreachableServerShowsTheFailureOnceAndReenablesThePage) {
    connection.setPort(refusedPort());
    bool loadCalled = false;
    session::PageLoad page(connection, options);
    ASSERT_TRUE(page.start([&](remote::Connection&) {
        loadCalled = true;
        return false;
    }));
    ASSERT_TRUE(waitFor([&] { return !page.running(); }));
    EXPECT_FALSE(loadCalled);
    EXPECT_EQ(fake->plainBoxes.size(), 11);  // one per attempt, from the retry
    ASSERT_EQ(fake->messages.size(), 1u);
    EXPECT_EQ(fake->messages[0].text, kFailed);
    EXPECT_EQ(fake->messages[0].kind, platform::MsgKind::Error);
    EXPECT_EQ(fake->messages[0].buttons, platform::kOk);
    EXPECT_EQ(log, (std::vector<std::string>{"disable", "detach", "finish failed", "attach", "enable"}));
    EXPECT_TRUE(gridEnabled);
    EXPECT_TRUE(attached);
    EXPECT_FALSE(busy.isVisible());
    EXPECT_TRUE(searchBox.isEnabled());
}

TEST_F(PageLoadTest, ACallFailureIsReportedOnceAndLeavesTheTableUsable) {
    dispatcher.on("TServerMethods1.SepetVer2", [](const wire::Call&) { return wire::Answer::failure("Cari yok"); });
    session::PageLoad page(connection, options);
    ASSERT_TRUE(page.start(cartLoad(2)));
    ASSERT_TRUE(waitFor([&] { return !page.running(); }));
    EXPECT_TRUE(fake->plainBoxes.isEmpty());
    ASSERT_EQ(fake->messages.size(), 1u);
    EXPECT_EQ(fake->messages[0].text, kFailed);  // the server's text is not shown by a page load
    EXPECT_FALSE(table.controlsDisabled());
    EXPECT_TRUE(gridEnabled);
}

TEST_F(PageLoadTest, WithFlagOneTheRetryReportsAndThePageStaysSilent) {
    connection.setPort(refusedPort());
    options.connectFlag = 1;
    session::PageLoad page(connection, options);
    ASSERT_TRUE(page.start(cartLoad(1)));
    ASSERT_TRUE(waitFor([&] { return !page.running(); }));
    EXPECT_EQ(fake->plainBoxes.size(), 11);
    ASSERT_EQ(fake->messages.size(), 1u);  // from the retry, not a second one from the page
    EXPECT_EQ(fake->messages[0].text, kFailed);
}

TEST_F(PageLoadTest, ASecondStartWhileLoadingIsSkipped) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> loads{0};
    auto blockingLoad = [&](remote::Connection& c) {
        ++loads;
        released.wait();
        return cartLoad(2)(c);
    };
    session::PageLoad page(connection, options);
    ASSERT_TRUE(page.start(blockingLoad));
    ASSERT_TRUE(waitFor([&] { return loads == 1; }));
    EXPECT_FALSE(page.start(blockingLoad));
    EXPECT_TRUE(page.running());
    release.set_value();
    ASSERT_TRUE(waitFor([&] { return !page.running(); }));
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "finish"), 1);
    EXPECT_EQ(table.rowCount(), 2u);
    // Once finished, the next show loads again.
    EXPECT_TRUE(page.start(cartLoad(4)));
    ASSERT_TRUE(waitFor([&] { return !page.running(); }));
    EXPECT_EQ(table.rowCount(), 4u);
}
