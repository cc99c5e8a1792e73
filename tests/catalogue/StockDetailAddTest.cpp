#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "FakeServices.h"
#include "StockFixtures.h"
#include "catalogue/ModalRunner.h"
#include "catalogue/StokAyrinti.h"
#include "data/MemTable.h"
#include "remote/Connection.h"
#include "session/MainContext.h"
#include "session/records/Records.h"
#include "tests/remote/ScriptedDispatcher.h"
#include "wire/TestServer.h"

using namespace catalogue;
using catalogue_test::StockRow;
using catalogue_test::stockTable;
using testing_support::ScriptedDispatcher;

namespace {

const std::string kSepetEkle = "TServerMethods1.SepetEkle2";

wire::Table cartTable() {
    wire::Table t;
    t.columns = {{"SIRANO", wire::FieldType::Integer, 0}, {"STOKNO", wire::FieldType::Integer, 0},
                 {"TUTAR", wire::FieldType::Float, 0}};
    t.appendRow({std::int64_t{1}, std::int64_t{42}, 201.78});
    return t;
}

class StockDetailAdd : public ::testing::Test {
protected:
    void SetUp() override {
        bagc.setHostName("127.0.0.1");
        bagc.setPort(server.port());
        bagc.setRetryPause([] {});
        sbilgi.SetCARINO(314);
        sbilgi.SetSirano(27);
        sbilgi.SetMusteriTipi(3);
        ctx.sbilgi = &sbilgi;
        ctx.bagc = &bagc;
        ctx.table = [this](const QString& name) -> data::MemTable* {
            if (name == "stok") return &stok;
            if (name == "sepet") return &sepet;
            return nullptr;
        };
        ctx.SepetAl = [this](bool background) {
            reloads.push_back(background);
        };
        dispatcher.on(kSepetEkle, [this](const wire::Call& c) { return ScriptedDispatcher::reply(c, wire::Value::int32(answer)); });
        dispatcher.on("TServerMethods1.SepetVer2",
                      [](const wire::Call& c) { return ScriptedDispatcher::reply(c, wire::Value::dataPacket(cartTable())); });
    }

    std::vector<wire::Call> callsOf(const std::string& command) const {
        std::vector<wire::Call> out;
        for (const auto& c : dispatcher.calls())
            if (c.command == command) out.push_back(c);
        return out;
    }

    testing_support::ScopedFakeServices fake;
    ScriptedDispatcher dispatcher;
    wire::TestServer server{dispatcher};
    remote::Connection bagc;
    TSonucBilgisi sbilgi;
    data::MemTable stok{"stok"};
    data::MemTable sepet{"sepet"};
    session::MainContext ctx;
    std::vector<bool> reloads;
    int answer = 1;
};

TEST_F(StockDetailAdd, SendsTheFourteenArgumentsInOrderAndReloadsTheCartOnOne) {
    StockRow r;
    r.stokno = 42;
    r.barkod = "FIL-100";
    r.adi = "YAĞ FİLTRESİ";
    r.kdv = 18.5;  // whole number, halves to even: 18
    r.k = 1;
    stok.load(stockTable({r}));
    stok.first();

    const auto sonuc = SepeteEkle(ctx, stok, 2, 85.5, {-5, 7.5, 0, 1});
    ASSERT_EQ(sonuc, 1);
    const auto calls = callsOf(kSepetEkle);
    ASSERT_EQ(calls.size(), 1u);
    const auto& p = calls[0].params;
    ASSERT_EQ(p.size(), 14u);
    EXPECT_EQ(p[0].kind(), wire::Kind::Object);
    EXPECT_EQ(p[0].asObject()["fields"]["FCARINO"], 314);
    EXPECT_EQ(p[1].asInt32(), 314);
    EXPECT_EQ(p[2].asInt32(), 42);
    EXPECT_EQ(p[3].asText(), "FIL-100");
    EXPECT_EQ(p[4].asText(), "YAĞ FİLTRESİ");
    EXPECT_DOUBLE_EQ(p[5].asDouble(), 2);
    EXPECT_DOUBLE_EQ(p[6].asDouble(), 18);
    EXPECT_DOUBLE_EQ(p[7].asDouble(), 85.5);
    EXPECT_DOUBLE_EQ(p[8].asDouble(), -5);  // a negative rate is sent as it is
    EXPECT_EQ(p[9].asInt32(), 27);
    EXPECT_EQ(p[10].asInt32(), 1);
    EXPECT_DOUBLE_EQ(p[11].asDouble(), 7.5);
    EXPECT_DOUBLE_EQ(p[12].asDouble(), 0);
    EXPECT_DOUBLE_EQ(p[13].asDouble(), 1);
    EXPECT_EQ(reloads, std::vector<bool>{false});
    EXPECT_TRUE(fake->messages.empty());
    EXPECT_FALSE(bagc.isOpen());

    // 19.5 rounds to 20.
    r.kdv = 19.5;
    stok.load(stockTable({r}));
    stok.first();
    SepeteEkle(ctx, stok, 1, 1, {0, 0, 0, 0});
    EXPECT_DOUBLE_EQ(callsOf(kSepetEkle).back().params[6].asDouble(), 20);
}

TEST_F(StockDetailAdd, AnyOtherAnswerChangesNothing) {
    stok.load(stockTable({StockRow{}}));
    stok.first();
    answer = 0;
    EXPECT_EQ(SepeteEkle(ctx, stok, 1, 10, {0, 0, 0, 0}), 0);
    EXPECT_TRUE(reloads.empty());
    EXPECT_TRUE(fake->messages.empty());
}

TEST_F(StockDetailAdd, WithoutTheCartPageTheCartTableIsLoadedDirectly) {
    ctx.SepetAl = nullptr;
    stok.load(stockTable({StockRow{}}));
    stok.first();
    SepeteEkle(ctx, stok, 1, 10, {0, 0, 0, 0});
    ASSERT_TRUE(sepet.active());
    EXPECT_EQ(sepet.rowCount(), 1u);
    EXPECT_EQ(sepet.fields()[2].displayFormat, "#,###,##0.00");
    EXPECT_EQ(callsOf("TServerMethods1.SepetVer2").at(0).params.at(0).asInt32(), 314);
}

TEST_F(StockDetailAdd, AServerErrorIsShownAndTheCartIsNotReloaded) {
    dispatcher.on(kSepetEkle, [](const wire::Call&) { return wire::Answer::failure("Stok bulunamadı"); });
    stok.load(stockTable({StockRow{}}));
    stok.first();
    EXPECT_FALSE(SepeteEkle(ctx, stok, 1, 10, {0, 0, 0, 0}));
    ASSERT_EQ(fake->messages.size(), 1u);
    EXPECT_EQ(fake->messages[0].kind, platform::MsgKind::Error);
    EXPECT_TRUE(fake->messages[0].text.contains("Stok bulunamadı"));
    EXPECT_TRUE(reloads.empty());
}

TEST_F(StockDetailAdd, NothingIsSentWhenTheConnectionCannotBeOpened) {
    bagc.setPort(1);  // nothing listens there
    stok.load(stockTable({StockRow{}}));
    stok.first();
    EXPECT_FALSE(SepeteEkle(ctx, stok, 1, 10, {0, 0, 0, 0}));
    EXPECT_TRUE(dispatcher.calls().empty());
    EXPECT_EQ(fake->plainBoxes.size(), static_cast<qsizetype>(remote::kConnectAttempts));
    ASSERT_EQ(fake->messages.size(), 1u);
    EXPECT_EQ(fake->messages[0].text, remote::connectionFailedText());
    EXPECT_TRUE(reloads.empty());
}

TEST_F(StockDetailAdd, TheDialogOpensForTheRowAndStaffChangesAreWhatIsSent) {
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray jpeg;
    QBuffer buf(&jpeg);
    buf.open(QIODevice::WriteOnly);
    picture.save(&buf, "JPG");
    dispatcher.on("TServerMethods1.ResimVer5", [jpeg](const wire::Call& c) {
        wire::Answer a;
        a.values = {wire::Value(), wire::Value::int64(jpeg.size()), wire::Value::stream(jpeg.toStdString())};
        return a;
    });
    sbilgi.SetMusteriTipi(1);
    StockRow a, b;
    a.stokno = 5;
    b.stokno = 6;
    b.fiyat = 40;
    b.barkod = "B6";
    stok.load(stockTable({a, b}));
    stok.locate("STOK_STOKNO", wire::Cell(std::int64_t{6}));
    ctx.ResimAdresi = "http://127.0.0.1:1/resimgoster.ashx?id=";

    bool sawPicture = false;
    QString url;
    ScopedModalRunner runner([&](QDialog& dlg) {
        auto& d = static_cast<Tstokayarinti&>(dlg);
        dlg.show();
        sawPicture = d.Image1->hasPicture();
        url = d.AsyncResim1->Url();
        EXPECT_EQ(d.barkod->text(), "B6");
        d.birimfiyat->setText("35,5");
        d.edindirim1->setText("3");
        d.adet->setText("2");
        d.ParcaliTus1->click();
        return dlg.result();
    });
    StokAyrintiGoster(ctx, Tstokayarinti::Sayfa::StokListesi, 6);
    EXPECT_TRUE(sawPicture);
    EXPECT_EQ(url, "http://127.0.0.1:1/resimgoster.ashx?id=6");
    const auto calls = callsOf(kSepetEkle);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].params[2].asInt32(), 6);
    EXPECT_DOUBLE_EQ(calls[0].params[5].asDouble(), 2);
    EXPECT_DOUBLE_EQ(calls[0].params[7].asDouble(), 35.5);  // not the row's FIYAT
    EXPECT_DOUBLE_EQ(calls[0].params[8].asDouble(), 3);
    EXPECT_EQ(reloads.size(), 1u);
}

TEST_F(StockDetailAdd, ACancelledDialogOrARowWithoutAPriceBehaveAsTheyShould) {
    dispatcher.on("TServerMethods1.ResimVer5", [](const wire::Call& c) {
        wire::Answer a;
        a.values = {wire::Value(), wire::Value::int64(0), wire::Value::stream("")};
        return a;
    });
    StockRow r;
    r.k = -1;  // opens without price and discounts
    r.ind[0] = 10;
    stok.load(stockTable({r}));
    stok.first();
    {
        ScopedModalRunner cancel([](QDialog& dlg) {
            dlg.show();
            static_cast<Tstokayarinti&>(dlg).ParcaliTus2->click();
            return dlg.result();
        });
        StokAyrintiGoster(ctx, Tstokayarinti::Sayfa::StokListesi, r.stokno);
    }
    EXPECT_TRUE(callsOf(kSepetEkle).empty());
    {
        ScopedModalRunner ok([](QDialog& dlg) {
            dlg.show();
            static_cast<Tstokayarinti&>(dlg).ParcaliTus1->click();
            return dlg.result();
        });
        StokAyrintiGoster(ctx, Tstokayarinti::Sayfa::StokListesi, r.stokno);
    }
    const auto calls = callsOf(kSepetEkle);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_DOUBLE_EQ(calls[0].params[7].asDouble(), 0);
    EXPECT_DOUBLE_EQ(calls[0].params[8].asDouble(), 0);
    EXPECT_TRUE(fake->plainBoxes.isEmpty());  // no picture is no error
}

}  // namespace
