#include <gtest/gtest.h>

#include <set>

#include "ScriptedDispatcher.h"
#include "data/MemTable.h"
#include "remote/Connection.h"
#include "remote/ServerMethods.h"
#include "wire/TestServer.h"

using remote::TServerMethods1Client;
using testing_support::ScriptedDispatcher;
using json = nlohmann::ordered_json;

namespace {

wire::Table smallTable() {
    wire::Table t;
    t.columns = {{"STOKNO", wire::FieldType::Integer, 0}, {"STOKADI", wire::FieldType::Text, 50},
                 {"FIYAT", wire::FieldType::Float, 0}};
    t.appendRow({std::int64_t{7}, std::string("Fren balatası"), 120.5});
    t.appendRow({std::int64_t{9}, std::string("Yağ filtresi"), 45.0});
    return t;
}

// One letter per parameter as it arrived: s text, i int32, d double, o object, n null (output).
std::string kindsOf(const wire::Call& c) {
    std::string k;
    for (const auto& p : c.params) {
        switch (p.kind()) {
        case wire::Kind::Text: k += 's'; break;
        case wire::Kind::Int32: k += 'i'; break;
        case wire::Kind::Double: k += 'd'; break;
        case wire::Kind::Object: k += 'o'; break;
        case wire::Kind::Null: k += 'n'; break;
        default: k += '?';
        }
    }
    return k;
}

std::unique_ptr<TSonucBilgisi> session(int carino = 5) {
    auto s = std::make_unique<TSonucBilgisi>();
    s->SetCARINO(carino);
    return s;
}

class ProxyTest : public ::testing::Test {
protected:
    void SetUp() override {
        connection.setHostName("127.0.0.1");
        connection.setPort(server.port());
        connection.open();
        ASSERT_TRUE(connection.isOpen());
    }

    ScriptedDispatcher dispatcher;
    wire::TestServer server{dispatcher};
    remote::Connection connection;
};

}  // namespace

TEST_F(ProxyTest, EveryMethodSendsItsCommandTextAndParameterKindsByPosition) {
    struct Case {
        const char* command;
        const char* kinds;
        wire::Value result;
        std::function<void(TServerMethods1Client&)> call;
    };
    const auto packet = wire::Value::dataPacket(smallTable());
    const auto rows = wire::Value::rowSet(smallTable());
    const auto bytes = wire::Value::stream("abc");
    const auto one = wire::Value::int32(1);
    const auto yes = wire::Value::boolean(true);
    const auto text = wire::Value::text("metin");
    std::int64_t n = 0;
    const std::vector<Case> cases = {
        {"TServerMethods1.BuyukGetir", "s", wire::Value::object(TSonucBilgisi().toJson()), [](auto& p) { p.BuyukGetir("id"); }},
        {"TServerMethods1.StokAraGetirTarvo", "so", packet, [](auto& p) { p.StokAraGetirTarvo("fren", session()); }},
        {"TServerMethods1.ResimVer5", "in", bytes, [&](auto& p) { p.ResimVer5(7, n); }},
        {"TServerMethods1.StokHareketVer", "ii", packet, [](auto& p) { p.StokHareketVer(1, 2); }},
        {"TServerMethods1.YenilerVer2", "i", packet, [](auto& p) { p.YenilerVer2(1); }},
        {"TServerMethods1.KampanyaliVer2", "ii", packet, [](auto& p) { p.KampanyaliVer2(1, 2); }},
        {"TServerMethods1.SepetEkle2", "oiissddddiiddd", one,
         [](auto& p) { p.SepetEkle2(session(), 1, 2, "b", "a", 1, 18, 10, 0, 3, 0, 0, 0, 0); }},
        {"TServerMethods1.SepetVer2", "i", packet, [](auto& p) { p.SepetVer2(1); }},
        {"TServerMethods1.SepetSecimGuncelle", "ii", wire::Value(), [](auto& p) { p.SepetSecimGuncelle(1, 0); }},
        {"TServerMethods1.SepetGuncelle2", "oiissddddiiddd", one,
         [](auto& p) { p.SepetGuncelle2(session(), 1, 2, "b", "a", 1, 18, 10, 0, 3, 9, 0, 0, 0); }},
        {"TServerMethods1.SepetSatirSil", "ois", one, [](auto& p) { p.SepetSatirSil(session(), 4, "sil"); }},
        {"TServerMethods1.SepetHepsiniSil", "o", one, [](auto& p) { p.SepetHepsiniSil(session()); }},
        {"TServerMethods1.TeslimVer", "", rows, [](auto& p) { p.TeslimVer(); }},
        {"TServerMethods1.KargoVer", "", rows, [](auto& p) { p.KargoVer(); }},
        {"TServerMethods1.KargolarVer", "i", rows, [](auto& p) { p.KargolarVer(1); }},
        {"TServerMethods1.SiparisKaydet", "oiiisii", yes, [](auto& p) { p.SiparisKaydet(session(), 1, 2, 3, "not", 4, 5); }},
        {"TServerMethods1.OncekiSiparisler", "i", rows, [](auto& p) { p.OncekiSiparisler(1); }},
        {"TServerMethods1.SiparisAyrintisi2", "ii", rows, [](auto& p) { p.SiparisAyrintisi2(1, 2); }},
        {"TServerMethods1.SiparisAytintisiDip", "ii", wire::Value::object(TSiparisDipAyrinti().toJson()),
         [](auto& p) { p.SiparisAytintisiDip(1, 2); }},
        {"TServerMethods1.BakiyelerVer2", "i", rows, [](auto& p) { p.BakiyelerVer2(1); }},
        {"TServerMethods1.BakiyeDuzenle", "oiiidds", one, [](auto& p) { p.BakiyeDuzenle(session(), 1, 2, 3, 4, 5, "b"); }},
        {"TServerMethods1.BakiyeDegistir", "oiiidds", one, [](auto& p) { p.BakiyeDegistir(session(), 1, 2, 3, 4, 5, "b"); }},
        {"TServerMethods1.BakiyeFiyatDegistir", "oiiiddsdd", one,
         [](auto& p) { p.BakiyeFiyatDegistir(session(), 1, 2, 3, 4, 5, "b", 6, 7); }},
        {"TServerMethods1.TumSiparislerVer", "ii", rows, [](auto& p) { p.TumSiparislerVer(1, 2); }},
        {"TServerMethods1.CariEkstreVer", "i", rows, [](auto& p) { p.CariEkstreVer(1); }},
        {"TServerMethods1.FaturaGetir", "ii", rows, [](auto& p) { p.FaturaGetir(1, 2); }},
        {"TServerMethods1.FaturaAltGetir", "i", rows, [](auto& p) { p.FaturaAltGetir(1); }},
        {"TServerMethods1.Tahsilat", "i", rows, [](auto& p) { p.Tahsilat(1); }},
        {"TServerMethods1.SanalposSiranoVer", "i", one, [](auto& p) { p.SanalposSiranoVer(1); }},
        {"TServerMethods1.SAnalPosPdfVer", "in", bytes, [&](auto& p) { p.SAnalPosPdfVer(1, n); }},
        {"TServerMethods1.CariAra", "os", rows, [](auto& p) { p.CariAra(session(), "oto"); }},
        {"TServerMethods1.SepetSayisi", "o", one, [](auto& p) { p.SepetSayisi(session()); }},
        {"TServerMethods1.TusSonuclariVer", "o", wire::Value::object(TTusSonuclari().toJson()),
         [](auto& p) { p.TusSonuclariVer(session()); }},
        {"TServerMethods1.CariSepetVer", "oi", rows, [](auto& p) { p.CariSepetVer(session(), 1); }},
        {"TServerMethods1.RaporGetir", "iiiisddn", bytes, [&](auto& p) { p.RaporGetir(1, 2, 3, 4, "s", 46000, 46001, n); }},
        {"TServerMethods1.CariDurumVer", "i", text, [](auto& p) { p.CariDurumVer(1); }},
        {"TServerMethods1.CariVadeGunGecmismiBul", "i", text, [](auto& p) { p.CariVadeGunGecmismiBul(1); }},
        {"TServerMethods1.RaporAlinanSiparisler", "odd", rows, [](auto& p) { p.RaporAlinanSiparisler(session(), 1, 2); }},
        {"TServerMethods1.RaporEnCokSatilanStoklar", "odd", rows, [](auto& p) { p.RaporEnCokSatilanStoklar(session(), 1, 2); }},
        {"TServerMethods1.BalonGetir", "o", rows, [](auto& p) { p.BalonGetir(session()); }},
        {"TServerMethods1.AcilisEkranlarVer2", "", wire::Value::object(TAcilisEkranlariki().toJson()),
         [](auto& p) { p.AcilisEkranlarVer2(); }},
        {"TServerMethods1.KayanYaziGetir", "", text, [](auto& p) { p.KayanYaziGetir(); }},
        {"TServerMethods1.BannerResimVer", "n", bytes, [&](auto& p) { p.BannerResimVer(n); }},
        {"TServerMethods1.BannerResimVer2", "n", bytes, [&](auto& p) { p.BannerResimVer2(n); }},
        {"TServerMethods1.BannerResimVer3", "n", bytes, [&](auto& p) { p.BannerResimVer3(n); }},
        {"TServerMethods1.AcilisReklamAdet", "", one, [](auto& p) { p.AcilisReklamAdet(); }},
        {"TServerMethods1.AcilisREklamVer", "i", wire::Value::object(TAcilisEkran().toJson()),
         [](auto& p) { p.AcilisREklamVer(1); }},
        {"TServerMethods1.MobilCariBilgisiGetir", "is", wire::Value::object(TMobilCariBilgisi().toJson()),
         [](auto& p) { p.MobilCariBilgisiGetir(0, "id"); }},
        {"TServerMethods1.MailGonserCari", "ssssssssssssssss", one,
         [](auto& p) { p.MailGonserCari("", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""); }},
        {"TServerMethods1.MailGonserCariNormal", "sssssssssssssssss", one,
         [](auto& p) { p.MailGonserCariNormal("", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""); }},
    };
    std::set<std::string> seen;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        const wire::Value result = c.result;
        dispatcher.on(c.command, [result](const wire::Call& call) { return ScriptedDispatcher::reply(call, result, 3); });
        TServerMethods1Client proxy(connection);
        ASSERT_NO_THROW(c.call(proxy));
        const wire::Call sent = dispatcher.lastCall();
        EXPECT_EQ(sent.command, c.command);
        EXPECT_EQ(kindsOf(sent), c.kinds);
        seen.insert(sent.command);
    }
    // The published method list names exactly these methods.
    std::set<std::string> listed;
    for (const char* m : remote::kMethodNames) listed.insert(remote::commandText(m));
    EXPECT_EQ(listed, seen);
}

TEST_F(ProxyTest, MailMethodsSendEveryTextAtItsPosition) {
    const std::vector<QString> values = {
        "idsi-1", "Başlık", "Öztürk Oto", "Adres 1", "Adres 2", "Ümraniye", "İstanbul", "0216 111",
        "0216 222", "Ümraniye VD", "1234567890", "Hasan Öztürk", "hasan", "şifre", "hasan@oto.tr", "Aras Kargo",
        "Konu: şifre değişikliği"};
    dispatcher.otherwise([](const wire::Call& call) { return ScriptedDispatcher::reply(call, wire::Value::int32(1)); });
    TServerMethods1Client proxy(connection);
    const auto& v = values;
    EXPECT_EQ(proxy.MailGonserCari(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11], v[12],
                                   v[13], v[14], v[15]),
              1);
    const auto sent16 = dispatcher.lastCall();
    ASSERT_EQ(sent16.params.size(), 16u);
    for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(QString::fromStdString(sent16.params[i].asText()), v[i]) << i;

    proxy.MailGonserCariNormal(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11], v[12], v[13],
                               v[14], v[15], v[16]);
    const auto sent17 = dispatcher.lastCall();
    ASSERT_EQ(sent17.params.size(), 17u);
    for (std::size_t i = 0; i < 17; ++i) EXPECT_EQ(QString::fromStdString(sent17.params[i].asText()), v[i]) << i;
}

TEST_F(ProxyTest, ArgumentsKeepTheirValuesAndTheSessionCopyTravelsWhole) {
    dispatcher.otherwise([](const wire::Call& call) { return ScriptedDispatcher::reply(call, wire::Value::int32(1)); });
    auto bilgi = std::make_unique<TSonucBilgisi>();
    bilgi->SetCARINO(1042);
    bilgi->SetVarmi(true);
    bilgi->SetADI("Çağla");
    const json expectedObject = bilgi->toJson(1);
    TServerMethods1Client proxy(connection);
    EXPECT_EQ(proxy.SepetEkle2(std::move(bilgi), 1042, 77, "8680001", "Fren balatası", 2.5, 18, 120.75, 10, 3, 0,
                               5, 2.5, 1),
              1);
    const auto p = dispatcher.lastCall().params;
    ASSERT_EQ(p.size(), 14u);
    EXPECT_EQ(p[0].asObject(), expectedObject);
    EXPECT_EQ(p[1].asInt32(), 1042);
    EXPECT_EQ(p[2].asInt32(), 77);
    EXPECT_EQ(p[3].asText(), "8680001");
    EXPECT_EQ(p[4].asText(), "Fren balatası");
    EXPECT_DOUBLE_EQ(p[5].asDouble(), 2.5);
    EXPECT_DOUBLE_EQ(p[7].asDouble(), 120.75);
    EXPECT_EQ(p[9].asInt32(), 3);
    EXPECT_DOUBLE_EQ(p[11].asDouble(), 5);
    EXPECT_DOUBLE_EQ(p[13].asDouble(), 1);

    // A missing session record is sent as a null object.
    proxy.SepetHepsiniSil(nullptr);
    const auto nullArg = dispatcher.lastCall().params.at(0);
    ASSERT_EQ(nullArg.kind(), wire::Kind::Object);
    EXPECT_TRUE(nullArg.asObject().is_null());
}

TEST_F(ProxyTest, TextTravelsAsUtf8AndComesBackAsTheSameString) {
    // The server echoes the computer ID it was asked for.
    dispatcher.on("TServerMethods1.BuyukGetir", [](const wire::Call& call) {
        TSonucBilgisi s;
        s.SetBILGISAYARID(call.params.at(0).asText());
        s.SetVarmi(true);
        return ScriptedDispatcher::reply(call, wire::Value::object(s.toJson()));
    });
    dispatcher.on("TServerMethods1.KayanYaziGetir", [](const wire::Call& call) {
        return ScriptedDispatcher::reply(call, wire::Value::text("Kış kampanyası: ĞÜŞİÖÇ ğüşıöç €"));
    });
    const QString id = QStringLiteral("İĞÜŞÖÇ-ığüşöç-7F3A");
    TServerMethods1Client proxy(connection);
    const TSonucBilgisi* s = proxy.BuyukGetir(id);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(dispatcher.lastCall().params.at(0).asText(), id.toStdString());
    EXPECT_EQ(QString::fromStdString(s->BILGISAYARID()), id);
    EXPECT_TRUE(s->Varmi());
    EXPECT_EQ(proxy.KayanYaziGetir(), QStringLiteral("Kış kampanyası: ĞÜŞİÖÇ ğüşıöç €"));
}

TEST_F(ProxyTest, NullObjectResultsGiveNoObject) {
    dispatcher.on("TServerMethods1.SiparisAytintisiDip",
                  [](const wire::Call& call) { return ScriptedDispatcher::reply(call, wire::Value::object(json())); });
    dispatcher.on("TServerMethods1.BuyukGetir",
                  [](const wire::Call& call) { return ScriptedDispatcher::reply(call, wire::Value()); });
    dispatcher.on("TServerMethods1.AcilisEkranlarVer2",
                  [](const wire::Call& call) { return ScriptedDispatcher::reply(call, wire::Value::object(json())); });
    TServerMethods1Client proxy(connection);
    EXPECT_EQ(proxy.SiparisAytintisiDip(1, 2), nullptr);
    EXPECT_EQ(proxy.BuyukGetir("x"), nullptr);
    EXPECT_EQ(proxy.AcilisEkranlarVer2(), nullptr);
}

TEST_F(ProxyTest, TheSameMethodTwiceReusesItsCommandAndReplacesItsResult) {
    int calls = 0;
    dispatcher.on("TServerMethods1.SiparisAytintisiDip", [&calls](const wire::Call& call) {
        ++calls;
        if (calls == 2) return ScriptedDispatcher::reply(call, wire::Value::object(json()));
        TSiparisDipAyrinti d;
        d.SetDurumu(calls == 1 ? "Alındı" : "Sevk Edildi");
        return ScriptedDispatcher::reply(call, wire::Value::object(d.toJson()));
    });
    dispatcher.on("TServerMethods1.CariEkstreVer", [](const wire::Call& call) {
        wire::Table t = smallTable();
        t.appendRow({std::int64_t{call.params.at(0).asInt32()}, std::string("satır"), 1.0});
        return ScriptedDispatcher::reply(call, wire::Value::rowSet(std::move(t)));
    });
    TServerMethods1Client proxy(connection);
    EXPECT_EQ(proxy.preparedCommandCount(), 0u);
    const TSiparisDipAyrinti* first = proxy.SiparisAytintisiDip(1, 10);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Durumu(), "Alındı");
    TSiparisDipAyrinti mine;
    mine.Kopyala(*first);  // what a caller does before the next call
    EXPECT_EQ(proxy.SiparisAytintisiDip(1, 11), nullptr);
    const TSiparisDipAyrinti* third = proxy.SiparisAytintisiDip(1, 12);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->Durumu(), "Sevk Edildi");
    EXPECT_EQ(mine.Durumu(), "Alındı");
    EXPECT_EQ(proxy.preparedCommandCount(), 1u);

    const wire::Table* a = proxy.CariEkstreVer(100);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->rowCount(), 3u);
    const wire::Table* b = proxy.CariEkstreVer(200);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(std::get<std::int64_t>(b->at(2, 0)), 200);
    EXPECT_EQ(proxy.preparedCommandCount(), 2u);
    for (const auto& c : dispatcher.calls()) EXPECT_TRUE(c.command.rfind("TServerMethods1.", 0) == 0);
}

TEST_F(ProxyTest, ServerErrorsRaiseRemoteErrorWithTheServerText) {
    dispatcher.on("TServerMethods1.SepetVer2",
                  [](const wire::Call&) { return wire::Answer::failure("Cari bulunamadı: 99"); });
    dispatcher.on("TServerMethods1.YenilerVer2", [](const wire::Call& call) {
        return ScriptedDispatcher::reply(call, wire::Value::dataPacket(smallTable()));
    });
    TServerMethods1Client proxy(connection);
    try {
        proxy.SepetVer2(99);
        FAIL() << "no error";
    } catch (const remote::RemoteError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Cari bulunamadı: 99"));
    }
    // An unknown method on the server side is an error text too, and the proxy stays usable.
    EXPECT_THROW(proxy.KayanYaziGetir(), remote::RemoteError);
    ASSERT_NE(proxy.YenilerVer2(1), nullptr);
}

TEST_F(ProxyTest, AnswersOfTheWrongShapeAreErrors) {
    dispatcher.on("TServerMethods1.SepetSayisi",
                  [](const wire::Call& call) { return ScriptedDispatcher::reply(call, wire::Value::text("1")); });
    dispatcher.on("TServerMethods1.AcilisReklamAdet", [](const wire::Call&) { return wire::Answer{}; });
    dispatcher.on("TServerMethods1.TusSonuclariVer", [](const wire::Call& call) {
        return ScriptedDispatcher::reply(call, wire::Value::object(TSiparisDipAyrinti().toJson()));
    });
    TServerMethods1Client proxy(connection);
    EXPECT_THROW(proxy.SepetSayisi(session()), wire::Error);
    EXPECT_THROW(proxy.AcilisReklamAdet(), wire::Error);
    EXPECT_THROW(proxy.TusSonuclariVer(session()), wire::Error);
}

TEST_F(ProxyTest, StreamResultsAndTheirAnnouncedLength) {
    const std::string picture(1024, '\x5a');
    struct Case {
        const char* what;
        std::string bytes;
        std::int64_t announced;
        bool usable;
    };
    const Case cases[] = {
        {"1024 bytes as announced", picture, 1024, true},
        {"one byte past a block", picture + "!", 1025, true},
        {"nothing announced", "", 0, false},
        {"shorter than announced", picture.substr(0, 1000), 1024, false},
        {"longer than announced", picture, 1000, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dispatcher.on("TServerMethods1.ResimVer5", [c](const wire::Call& call) {
            return ScriptedDispatcher::reply(call, wire::Value::stream(c.bytes), c.announced);
        });
        TServerMethods1Client proxy(connection);
        std::int64_t boy = -1;
        const std::string* s = proxy.ResimVer5(7, boy);
        EXPECT_EQ(boy, c.announced);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(*s, c.bytes);
        const auto data = remote::readStream(s, boy);
        ASSERT_EQ(data.has_value(), c.usable);
        if (c.usable) {
            EXPECT_EQ(data->toStdString(), c.bytes);
        }
    }
    EXPECT_FALSE(remote::readStream(nullptr, 10).has_value());
    EXPECT_FALSE(remote::readStream(&picture, -1).has_value());
}

TEST_F(ProxyTest, RowSetsAndDataPacketsLoadIntoAnInMemoryTable) {
    dispatcher.on("TServerMethods1.TeslimVer",
                  [](const wire::Call& call) { return ScriptedDispatcher::reply(call, wire::Value::rowSet(smallTable())); });
    dispatcher.on("TServerMethods1.SepetVer2", [](const wire::Call& call) {
        return ScriptedDispatcher::reply(call, wire::Value::dataPacket(wire::Table{{{"SEC", wire::FieldType::Boolean, 0}}, {}}));
    });
    data::MemTable table("tablo");
    TServerMethods1Client proxy(connection);
    remote::loadTable(table, proxy.TeslimVer());
    ASSERT_EQ(table.rowCount(), 2u);
    EXPECT_EQ(table.field(1).name, "STOKADI");
    EXPECT_EQ(table.field(2).type, wire::FieldType::Float);
    table.first();
    EXPECT_EQ(table.asString("STOKADI"), "Fren balatası");

    remote::loadTable(table, proxy.SepetVer2(1));  // replaces fields and rows
    EXPECT_EQ(table.fieldCount(), 1u);
    EXPECT_EQ(table.rowCount(), 0u);
    EXPECT_THROW(remote::loadTable(table, nullptr), wire::Error);
}
