// The real korvel-server program called through the client's own proxy, method family by
// method family, checking the columns and values the client's windows read.

#include <QCoreApplication>
#include <QDateTime>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "ServerProcess.h"
#include "remote/Connection.h"
#include "remote/ServerMethods.h"

using remote::TServerMethods1Client;

namespace {

int col(const wire::Table& t, const char* name) {
    int c = t.columnIndex(name);
    EXPECT_GE(c, 0) << name;
    return c;
}
double num(const wire::Table& t, std::size_t row, const char* name) {
    const auto& v = t.at(row, static_cast<std::size_t>(col(t, name)));
    if (auto p = std::get_if<double>(&v)) return *p;
    if (auto p = std::get_if<std::int64_t>(&v)) return static_cast<double>(*p);
    ADD_FAILURE() << name << " is not a number";
    return 0;
}
std::string str(const wire::Table& t, std::size_t row, const char* name) {
    auto p = std::get_if<std::string>(&t.at(row, static_cast<std::size_t>(col(t, name))));
    return p ? *p : std::string();
}

class Proxy : public ::testing::Test {
protected:
    static inline std::filesystem::path dir;
    static inline std::unique_ptr<ServerProcess> server;

    static void SetUpTestSuite() {
        char tmpl[] = "/tmp/korvel-proxy-XXXXXX";
        dir = mkdtemp(tmpl);
        std::string db = (dir / "k.db").string();
        server = std::make_unique<ServerProcess>(std::vector<std::string>{
            "--db", db, "--demo", "--parts", "2000", "--computer-id", "PC-PROXY-DEMO", "--port", "0", "--web-port",
            "0", "--host", "127.0.0.1", "--quiet"});
        ASSERT_EQ(ServerProcess::run({"--db", db, "--register", "MUDUR", "--computer-id", "PC-PROXY-STAFF"}), 0);
    }
    static void TearDownTestSuite() {
        server.reset();
        std::filesystem::remove_all(dir);
    }

    // A connection opened like the client's: a new TCP connection for one action.
    std::unique_ptr<remote::Connection> open() {
        auto c = std::make_unique<remote::Connection>();
        c->setHostName("127.0.0.1");
        c->setPort(server->port);
        c->open();
        return c;
    }
    TSonucBilgisi login(const char* computer) {
        auto c = open();
        TServerMethods1Client p(*c);
        TSonucBilgisi* s = p.BuyukGetir(QString::fromLatin1(computer));
        EXPECT_NE(s, nullptr);
        TSonucBilgisi copy;
        if (s) copy.Kopyala(*s);
        return copy;
    }
    static std::unique_ptr<TSonucBilgisi> copyOf(const TSonucBilgisi& s) {
        auto c = std::make_unique<TSonucBilgisi>();
        c->Kopyala(s);
        return c;
    }
};

}  // namespace

TEST_F(Proxy, LoginCatalogueAndAnOrderFromTwoSelectedLinesOfThree) {
    TSonucBilgisi me = login("PC-PROXY-DEMO");
    ASSERT_TRUE(me.Varmi());
    EXPECT_EQ(me.ADI(), "DEMO");
    EXPECT_EQ(me.Version(), 3);
    EXPECT_FALSE(login("PC-NOT-REGISTERED").Varmi());

    auto c = open();
    TServerMethods1Client p(*c);
    const wire::Table* found = p.StokAraGetirTarvo(QStringLiteral("balatası"), copyOf(me));
    ASSERT_NE(found, nullptr);
    ASSERT_GE(found->rowCount(), 3u);
    ASSERT_GE(found->columnIndex("IND1"), 0);
    std::vector<int> stocks;
    for (std::size_t row = 0; row < 3; ++row) {
        stocks.push_back(static_cast<int>(num(*found, row, "STOK_STOKNO")));
        EXPECT_NE(str(*found, row, "ADI").find("BALATASI"), std::string::npos);
    }
    std::int64_t size = 0;
    const std::string* pic = p.ResimVer5(1, size);
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(static_cast<std::int64_t>(pic->size()), size);
    EXPECT_GT(size, 0);

    p.SepetHepsiniSil(copyOf(me));
    for (std::size_t k = 0; k < 3; ++k)
        EXPECT_EQ(p.SepetEkle2(copyOf(me), me.CARINO(), stocks[k], QString(), QString(), 2.0 + k,
                               num(*found, k, "KDV"), num(*found, k, "FIYAT"), num(*found, k, "IND1"), me.Sirano(),
                               static_cast<int>(num(*found, k, "K")), num(*found, k, "IND2"), num(*found, k, "IND3"),
                               num(*found, k, "IND4")),
                  1);
    wire::Table cart = *p.SepetVer2(me.CARINO());
    ASSERT_EQ(cart.rowCount(), 3u);
    for (std::size_t row = 0; row < 3; ++row) {
        EXPECT_NEAR(num(cart, row, "TUTAR") - num(cart, row, "INDIRIMTUTAR"), num(cart, row, "NETTUTAR"), 1e-9);
        EXPECT_NEAR(num(cart, row, "VERGITUTARI"),
                    std::round(num(cart, row, "NETTUTAR") * num(cart, row, "KDV")) / 100.0, 0.0051);
    }
    p.SepetSecimGuncelle(static_cast<int>(num(cart, 1, "SIRANO")), 0);

    const wire::Table* kinds = p.TeslimVer();
    ASSERT_GE(kinds->rowCount(), 2u);
    int delivery = static_cast<int>(std::get<std::int64_t>(kinds->at(1, 0)));
    EXPECT_FALSE(std::get<std::string>(kinds->at(1, 1)).empty());
    int cargoKind = static_cast<int>(std::get<std::int64_t>(p.KargoVer()->at(0, 0)));
    const wire::Table* companies = p.KargolarVer(cargoKind);
    ASSERT_GE(companies->rowCount(), 1u);
    int company = static_cast<int>(num(*companies, 0, "SIRANO"));
    EXPECT_TRUE(p.SiparisKaydet(copyOf(me), me.CARINO(), delivery, cargoKind, QStringLiteral("Merhaba,\"Sipariş\""),
                                me.Sirano(), company));

    wire::Table left = *p.SepetVer2(me.CARINO());
    ASSERT_EQ(left.rowCount(), 1u);
    EXPECT_EQ(num(left, 0, "SIRANO"), num(cart, 1, "SIRANO"));
    wire::Table orders = *p.OncekiSiparisler(me.CARINO());
    int idno = static_cast<int>(num(orders, 0, "IDNO"));
    EXPECT_EQ(str(orders, 0, "DURUM"), "Alındı");
    EXPECT_NEAR(num(orders, 0, "TUTAR"), num(cart, 0, "TUTAR") + num(cart, 2, "TUTAR"), 1e-6);
    wire::Table lines = *p.SiparisAyrintisi2(me.CARINO(), idno);
    ASSERT_EQ(lines.rowCount(), 2u);
    EXPECT_EQ(num(lines, 0, "STOKNO"), stocks[0]);
    EXPECT_EQ(num(lines, 1, "STOKNO"), stocks[2]);
    EXPECT_EQ(num(lines, 1, "MIKTAR"), 4);
    TSiparisDipAyrinti* foot = p.SiparisAytintisiDip(0, idno);
    ASSERT_NE(foot, nullptr);
    EXPECT_EQ(foot->SizinMesaj(), "Merhaba,\"Sipariş\"");
    EXPECT_EQ(foot->Durumu(), "Alındı");
    wire::Table balances = *p.BakiyelerVer2(me.CARINO());
    bool listed = false;
    for (std::size_t row = 0; row < balances.rowCount(); ++row)
        listed = listed || (num(balances, row, "IDNO") == idno && num(balances, row, "KALAN") == 4);
    EXPECT_TRUE(listed);
    EXPECT_GE(p.TumSiparislerVer(me.CARINO(), stocks[2])->rowCount(), 1u);
    p.SepetHepsiniSil(copyOf(me));
}

TEST_F(Proxy, AccountNoticesAndMessages) {
    TSonucBilgisi me = login("PC-PROXY-DEMO");
    auto c = open();
    TServerMethods1Client p(*c);
    wire::Table st = *p.CariEkstreVer(me.CARINO());
    ASSERT_GT(st.rowCount(), 0u);
    EXPECT_EQ(st.columns[0].name, "CARINO");
    EXPECT_GE(st.columnIndex("D"), 0);
    double run = 0;
    int invoice = 0;
    for (std::size_t row = 0; row < st.rowCount(); ++row) {
        run += num(st, row, "BORC") - num(st, row, "ALACAK");
        if (!invoice && str(st, row, "TURADI").find("Fatura") != std::string::npos)
            invoice = static_cast<int>(num(st, row, "IDNO"));
    }
    EXPECT_NEAR(p.CariDurumVer(me.CARINO()).toDouble(), run, 0.006);
    ASSERT_GT(invoice, 0);
    EXPECT_GT(p.FaturaGetir(me.CARINO(), invoice)->rowCount(), 0u);
    const wire::Table* alt = p.FaturaAltGetir(invoice);
    EXPECT_NEAR(num(*alt, 0, "KDVDAHIL"), num(*alt, 0, "MATRAH") + num(*alt, 0, "KDVTUTAR"), 0.006);
    p.CariVadeGunGecmismiBul(me.CARINO());  // answers a text, possibly empty

    const wire::Table* balloons = p.BalonGetir(copyOf(me));
    ASSERT_EQ(balloons->columnCount(), 5u);
    EXPECT_EQ(balloons->columns[4].type, wire::FieldType::Float);
    TAcilisEkranlariki* screens = p.AcilisEkranlarVer2();
    ASSERT_NE(screens, nullptr);
    EXPECT_FALSE(screens->Ekranlar().empty());
    EXPECT_GT(p.AcilisReklamAdet(), 0);
    ASSERT_NE(p.AcilisREklamVer(0), nullptr);
    EXPECT_FALSE(p.KayanYaziGetir().trimmed().isEmpty());
    std::int64_t size = 0;
    EXPECT_EQ(p.BannerResimVer(size)->substr(0, 3), "GIF");
    EXPECT_EQ(p.BannerResimVer3(size)->substr(0, 2), "BM");

    TMobilCariBilgisi* info = p.MobilCariBilgisiGetir(0, QStringLiteral("PC-PROXY-DEMO"));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->KULLANICIADI(), "DEMO");
    EXPECT_EQ(p.MobilCariBilgisiGetir(0, QStringLiteral("UNKNOWN")), nullptr);
    QString s = QStringLiteral("x");
    EXPECT_EQ(p.MailGonserCariNormal(s, s, s, s, s, s, s, s, s, s, s, s, s, s, s, s, s), 1);
}

TEST_F(Proxy, StaffPickerCountersReportsAndServerErrors) {
    TSonucBilgisi staff = login("PC-PROXY-STAFF");
    ASSERT_EQ(staff.MusteriTipi(), 2);
    auto c = open();
    TServerMethods1Client p(*c);
    const wire::Table* all = p.CariAra(copyOf(staff), QString());
    ASSERT_EQ(all->rowCount(), 60u);
    TTusSonuclari* counts = p.TusSonuclariVer(copyOf(staff));
    ASSERT_NE(counts, nullptr);
    EXPECT_EQ(static_cast<std::size_t>(counts->Alindi() > 0), p.CariSepetVer(copyOf(staff), 2)->rowCount() > 0);
    EXPECT_GE(p.SepetSayisi(copyOf(staff)), 0);
    double today = std::floor(QDateTime::currentDateTime().toSecsSinceEpoch() / 86400.0) + 25569;
    const wire::Table* taken = p.RaporAlinanSiparisler(copyOf(staff), today - 365, today);
    ASSERT_GT(taken->rowCount(), 0u);
    EXPECT_EQ(taken->columns[0].name, "SATICIADI");
    EXPECT_EQ(taken->columns[1].type, wire::FieldType::Float);  // IDNO is a float column there
    EXPECT_GT(p.RaporEnCokSatilanStoklar(copyOf(staff), today - 365, today)->rowCount(), 0u);
    std::int64_t size = 0;
    const std::string* pdf = p.RaporGetir(6, 6, staff.Sirano(), 1, QStringLiteral("."), today, today, size);
    ASSERT_NE(pdf, nullptr);
    EXPECT_EQ(pdf->substr(0, 5), "%PDF-");
    EXPECT_EQ(static_cast<std::int64_t>(pdf->size()), size);

    try {
        p.SepetVer2(424242);
        ADD_FAILURE() << "an unknown customer must raise";
    } catch (const remote::RemoteError& e) {
        EXPECT_NE(e.text().indexOf(QStringLiteral("Cari bulunamadı")), -1) << e.what();
    }
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
