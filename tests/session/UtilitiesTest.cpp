#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <atomic>
#include <cstdlib>
#include <thread>

#include "FakeServices.h"
#include "data/NumberFormat.h"
#include "session/Utilities.h"

namespace {

using wire::Cell;
using wire::FieldType;

QString u(const char* s) { return QString::fromUtf8(s); }

const QLocale kTurkish(QLocale::Turkish, QLocale::Turkey);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

TEST(IkiHaneYuvarla, RoundsHalfAwayFromZeroInBothLocales) {
    const struct {
        double in;
        double out;
    } cases[] = {
        {1234.567, 1234.57}, {0.5, 0.5},       {-2.344, -2.34},   {0.125, 0.13},       {-0.125, -0.13},
        {32.805, 32.80},     {0.004, 0.0},     {0.005, 0.01},     {1234567.891, 1234567.89},
        {-1234567.895, -1234567.9}, {0.0, 0.0}, {99.995, 100.0},  {-0.994, -0.99},
    };
    for (const QLocale& locale : {kTurkish, kEnglish}) {
        for (const auto& c : cases) {
            const double r = session::IkiHaneYuvarla(c.in, locale);
            EXPECT_DOUBLE_EQ(r, c.out) << c.in << " in " << locale.name().toStdString();
            EXPECT_DOUBLE_EQ(r, data::roundHalfAwayFromZero(c.in, 2)) << c.in;
        }
    }
}

TEST(IkiHaneYuvarla, LocaleSeparators) {
    const data::NumberLocale tr = session::numberLocaleOf(kTurkish);
    EXPECT_EQ(tr.decimalSeparator, ",");
    EXPECT_EQ(tr.groupSeparator, ".");
    const data::NumberLocale en = session::numberLocaleOf(kEnglish);
    EXPECT_EQ(en.decimalSeparator, ".");
    EXPECT_EQ(en.groupSeparator, ",");
}

wire::Table cart(std::vector<std::int64_t> selection) {
    wire::Table t;
    t.columns = {{"SIRANO", FieldType::Integer, 0}, {"STOKADI", FieldType::Text, 40},
                 {"TUTAR", FieldType::Float, 0},    {"TARIH", FieldType::DateTime, 0},
                 {"MIKTAR", FieldType::LargeInt, 0}, {"SEC", FieldType::Integer, 0}};
    std::int64_t n = 0;
    for (std::int64_t sec : selection)
        t.appendRow({++n, std::string("PARCA ") + std::to_string(n), 10.0 * n, 46000.5, n, sec});
    return t;
}

TEST(SeciliSatirVarMi, LeavesTheCursorOnTheFirstSelectedRow) {
    const struct {
        std::vector<std::int64_t> sec;
        bool found;
        std::size_t row;
    } cases[] = {
        {{0, 0, 1, 0, 1}, true, 2},
        {{1, 1}, true, 0},
        {{0, 0, 0, 1}, true, 3},
        {{0, 2, 0}, false, 0},  // only 1 counts as selected
        {{0, 0}, false, 0},
    };
    for (const auto& c : cases) {
        data::MemTable t("sepet");
        t.load(cart(c.sec));
        t.setRecNo(1);
        EXPECT_EQ(session::SeciliSatirVarMi(t), c.found);
        if (c.found) {
            EXPECT_EQ(t.recNo(), c.row);
            EXPECT_EQ(t.asInteger("SEC"), 1);
        } else {
            EXPECT_TRUE(t.eof());
        }
    }
}

TEST(TabloDoluMu, OpenAndNotEmpty) {
    data::MemTable t("stok");
    EXPECT_FALSE(session::TabloDoluMu(t));  // closed
    EXPECT_FALSE(session::SeciliSatirVarMi(t));
    t.load(cart({}));
    EXPECT_FALSE(session::TabloDoluMu(t));  // open, no rows
    EXPECT_FALSE(session::SeciliSatirVarMi(t));
    t.load(cart({1}));
    EXPECT_TRUE(session::TabloDoluMu(t));
    t.close();
    EXPECT_FALSE(session::TabloDoluMu(t));
}

TEST(SayiBicimiAyarla, OnlyFloatFieldsGetTheAmountFormat) {
    data::MemTable t("sepet");
    t.load(cart({0, 1}));
    t.setDisplayFormat("STOKADI", "@");
    session::SayiBicimiAyarla(t);
    for (const data::Field& f : t.fields()) {
        if (f.type == FieldType::Float) EXPECT_EQ(f.displayFormat, "#,###,##0.00") << f.name;
        else if (f.name == "STOKADI") EXPECT_EQ(f.displayFormat, "@");
        else EXPECT_EQ(f.displayFormat, "") << f.name;  // integers and dates stay as they are
    }
}

TEST(UrlKodla, EncodesPathAndQueryOnly) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"http://127.0.0.1:8080/odemekart.html?cariadi=YILMAZ OTO&tutar=1.250,50",
         "http://127.0.0.1:8080/odemekart.html?cariadi=YILMAZ%20OTO&tutar=1.250%2C50"},
        {"https://Örnek.example:443/ödeme sayfası/?ad=Şükrü Çağ",
         "https://Örnek.example:443/%C3%B6deme%20sayfas%C4%B1/?ad=%C5%9E%C3%BCkr%C3%BC%20%C3%87a%C4%9F"},
        {"http://host/a%b+c?x=50%&y=a+b", "http://host/a%25b%2Bc?x=50%25&y=a%2Bb"},
        {"http://host", "http://host"},
        {"http://host?q=a b#yer 1", "http://host?q=a%20b#yer%201"},
        {"http://host/-._~", "http://host/-._~"},
    };
    for (const auto& c : cases) EXPECT_EQ(session::UrlKodla(u(c.in)), u(c.out)) << c.in;
}

TEST(ChromeYolu, FirstExistingCandidate) {
    const QStringList candidates = session::chromeCandidates();
    ASSERT_GE(candidates.size(), 4);
    EXPECT_EQ(candidates.first(), QStringLiteral("/usr/bin/google-chrome"));
    EXPECT_TRUE(candidates.contains(QStringLiteral("/usr/bin/chromium")));
    const QString second = candidates[1];
    const QString last = candidates.last();
    EXPECT_EQ(session::firstExisting(candidates, [&](const QString& p) { return p == last || p == second; }), second);
    EXPECT_EQ(session::firstExisting(candidates, [](const QString&) { return false; }), QString());
    const QString found = session::ChromeYolu();
    if (!found.isEmpty()) {
        EXPECT_TRUE(QFileInfo(found).isExecutable());
    }
}

TEST(Folders, SettingsFolderIsCreatedUnderTheConfigHome) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    const QString folder = session::AyarKlasoru();
    EXPECT_EQ(folder, home.path() + QStringLiteral("/korveloto"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(session::AyarKlasoru(), folder);  // an existing folder is kept
    // A config home that does not exist yet is created with the folder.
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/yeni/config")).toUtf8());
    EXPECT_TRUE(QFileInfo(session::AyarKlasoru()).isDir());
    EXPECT_EQ(session::AyarKlasoru(), home.path() + QStringLiteral("/yeni/config/korveloto"));
    if (old.isNull()) qunsetenv("XDG_CONFIG_HOME");
    else qputenv("XDG_CONFIG_HOME", old);
    EXPECT_FALSE(session::BelgelerKlasoru().isEmpty());
    EXPECT_FALSE(session::BelgelerKlasoru().endsWith(QLatin1Char('/')));
}

TEST(MesajGoster, AsksThroughTheServicesAndReturnsTheAnswer) {
    testing_support::ScopedFakeServices fake;
    fake->answers = {platform::mrNo};
    const int answer = session::MesajGoster(u("Satır silinsin mi ?"), session::MsgKind::Confirmation,
                                            platform::kYesNo, session::MsgButton::No);
    EXPECT_EQ(answer, platform::mrNo);
    ASSERT_EQ(fake->messages.size(), 1u);
    EXPECT_EQ(fake->messages[0].text, u("Satır silinsin mi ?"));
    EXPECT_EQ(fake->messages[0].kind, platform::MsgKind::Confirmation);
    EXPECT_EQ(fake->messages[0].buttons, platform::kYesNo);
    EXPECT_EQ(fake->messages[0].first, platform::MsgButton::No);
}

// Services that note the thread each question was asked on.
class ThreadNotingServices final : public platform::Services {
public:
    std::vector<std::thread::id> askedOn;
    int showMessage(const platform::MessageRequest&) override {
        askedOn.push_back(std::this_thread::get_id());
        return platform::mrYes;
    }
    void showPlainBox(const QString&) override {}
    void showPlainWarning(const QString&) override {}
    QString getSaveFileName(const QString&, const QString&, const QString&) override { return {}; }
    bool openUrl(const QUrl&) override { return false; }
    bool startProgram(const QString&, const QStringList&) override { return false; }
    void exitProcess(int) override {}
    void playSound(platform::SystemSound) override {}
    QDateTime now() override { return {}; }
};

TEST(MesajGoster, FromABackgroundThreadAsksOnTheUiThread) {
    int argc = 1;
    char name[] = "utilities";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    auto owned = std::make_unique<ThreadNotingServices>();
    ThreadNotingServices* services = owned.get();
    auto previous = platform::installServices(std::move(owned));
    std::atomic<bool> done{false};
    int answer = 0;
    std::thread worker([&] {
        answer = session::MesajGoster(u("Devam edilsin mi ?"), session::MsgKind::Confirmation, platform::kYesNo,
                                      session::MsgButton::Yes);
        done = true;
    });
    QElapsedTimer clock;
    clock.start();
    while (!done && clock.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    worker.join();
    EXPECT_EQ(answer, platform::mrYes);
    ASSERT_EQ(services->askedOn.size(), 1u);
    EXPECT_EQ(services->askedOn[0], std::this_thread::get_id());
    platform::installServices(std::move(previous));
}

TEST(IESurumu, ZeroWithoutAnEmbeddedBrowser) {
#ifndef KORVEL_HAVE_WEBENGINE
    EXPECT_EQ(session::IESurumu(), 0);
#else
    EXPECT_GT(session::IESurumu(), 0);
#endif
}

}  // namespace
