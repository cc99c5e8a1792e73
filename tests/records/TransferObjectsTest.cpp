#include <gtest/gtest.h>

#include "remote/objects/TransferObjects.h"

using json = nlohmann::ordered_json;

namespace {

TMobilCariBilgisi filledCustomer() {
    TMobilCariBilgisi c;
    c.SetCARINO(1042);
    c.SetCARIKOD("120.01.042");
    c.SetCARIADI("Öztürk Oto");
    c.SetOzelKod("OK1");
    c.SetAnaGrup("Bayi");
    c.SetAltGrup("İstanbul");
    c.SetADRES1("Sanayi Sitesi 4. Blok");
    c.SetADRES2("No: 12");
    c.SetILCE("Ümraniye");
    c.SetTEL1("0216 111 11 11");
    c.SetTEL2("0216 222 22 22");
    c.SetFAX1("0216 333 33 33");
    c.SetFAX2("0216 444 44 44");
    c.SetGSM("0532 000 00 00");
    c.SetEMAIL("info@ozturk.com.tr");
    c.SetYETKILI("Hasan Öztürk");
    c.SetSEHIR("İstanbul");
    c.SetULKE("Türkiye");
    c.SetSATICIADI("Çağla Işık");
    c.SetSATICITELEFON("0212 555 00 00");
    c.SetSATICIMAIL("satis@ornek.com.tr");
    c.SetVERGIDAIRESI("Ümraniye");
    c.SetVERGINO("1234567890");
    c.SetTLBORC(15000.25);
    c.SetTLALACAK(12000.5);
    c.SetTLBAKIYE(2999.75);
    c.SetKULLANICIADI("hasan");
    c.SetSIFRE("gizli");
    c.SetMAIL("hasan@ozturk.com.tr");
    c.SetBILGISAYARID("ABC123");
    return c;
}

TAcilisEkran entry(int sira, std::string resim, std::string baslik, std::string arama) {
    TAcilisEkran e;
    e.SetSiraNo(sira);
    e.SetResim(std::move(resim));
    e.SetBaslik(std::move(baslik));
    e.SetArama(std::move(arama));
    return e;
}

}  // namespace

TEST(TMobilCariBilgisi, DefaultsAndMemberOrderOnTheWire) {
    const json j = TMobilCariBilgisi().toJson();
    EXPECT_EQ(j["type"], "mobilstokunit.TMobilCariBilgisi");
    std::vector<std::string> names;
    for (auto it = j["fields"].begin(); it != j["fields"].end(); ++it) names.push_back(it.key());
    const std::vector<std::string> expected = {
        "FBILGISAYARID", "FSEHIR", "FFAX1", "FSATICIMAIL", "FSATICIADI", "FCARIADI", "FEMAIL",
        "FVERGIDAIRESI", "FYETKILI", "FAltGrup", "FTEL2", "FSIFRE", "FGSM", "FTEL1", "FADRES2",
        "FTLBORC", "FTLALACAK", "FADRES1", "FULKE", "FAnaGrup", "FCARINO", "FTLBAKIYE", "FVERGINO",
        "FMAIL", "FOzelKod", "FKULLANICIADI", "FSATICITELEFON", "FCARIKOD", "FFAX2", "FILCE"};
    EXPECT_EQ(names, expected);
    for (auto it = j["fields"].begin(); it != j["fields"].end(); ++it) {
        if (it.value().is_string()) EXPECT_EQ(it.value(), "") << it.key();
        else EXPECT_EQ(it.value().get<double>(), 0.0) << it.key();
    }
}

TEST(TMobilCariBilgisi, KopyalaAndRoundTripKeepEveryField) {
    const TMobilCariBilgisi src = filledCustomer();
    const json def = TMobilCariBilgisi().toJson()["fields"];
    for (auto it = def.begin(); it != def.end(); ++it)
        ASSERT_NE(src.toJson()["fields"][it.key()], it.value()) << "fixture leaves " << it.key() << " unset";
    TMobilCariBilgisi copy;
    copy.Kopyala(src);
    EXPECT_EQ(copy, src);
    EXPECT_EQ(TMobilCariBilgisi::fromJson(json::parse(src.toJson(9).dump())), src);
    EXPECT_DOUBLE_EQ(copy.TLBAKIYE(), 2999.75);
}

TEST(TMobilCariBilgisi, ObjectWithOnlyTheNameKeepsEverythingElseEmpty) {
    const auto c = TMobilCariBilgisi::fromJson(json::parse(
        R"({"type":"mobilstokunit.TMobilCariBilgisi","id":1,"fields":{"FCARIADI":"Öztürk Oto"}})"));
    EXPECT_EQ(c.CARIADI(), "Öztürk Oto");
    TMobilCariBilgisi expected;
    expected.SetCARIADI("Öztürk Oto");
    EXPECT_EQ(c, expected);
    EXPECT_EQ(c.CARINO(), 0);
    EXPECT_EQ(c.ADRES1(), "");
}

TEST(TMobilCariBilgisi, RejectsOtherClassesAndWrongKinds) {
    EXPECT_THROW(TMobilCariBilgisi::fromJson(TAcilisEkran().toJson()), wire::Error);
    // The session record's class name in another unit is not this class.
    EXPECT_THROW(TMobilCariBilgisi::fromJson(json::parse(
                     R"({"type":"baglantiu.TMobilCariBilgisi","id":1,"fields":{}})")),
                 wire::Error);
    EXPECT_THROW(TMobilCariBilgisi::fromJson(json::parse(
                     R"({"type":"mobilstokunit.TMobilCariBilgisi","id":1,"fields":{"FTLBORC":"12,5"}})")),
                 wire::Error);
}

TEST(TAcilisEkranlariki, EmptyArrayGivesNoEntries) {
    const auto w = TAcilisEkranlariki::fromJson(json::parse(
        R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[]}})"));
    EXPECT_TRUE(w.Ekranlar().empty());
    EXPECT_EQ(TAcilisEkranlariki().toJson().dump(),
              R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[]}})");
}

TEST(TAcilisEkranlariki, EntriesKeepTheirOrderAndForm) {
    TAcilisEkranlariki w;
    w.SetEkranlar({entry(2, "FFD8FF", "Kampanya", "#KAMPANYA#"), entry(1, "", "Yeni ürünler", "#YENİ#")});
    const json j = w.toJson(1);
    EXPECT_EQ(j.dump(),
              R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[)"
              R"({"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{"FSiraNo":2,"FResim":"FFD8FF","FBaslik":"Kampanya","FArama":"#KAMPANYA#"}},)"
              R"({"type":"mobilstokunit.TAcilisEkran","id":3,"fields":{"FSiraNo":1,"FResim":"","FBaslik":"Yeni ürünler","FArama":"#YENİ#"}}]}})");
    const auto back = TAcilisEkranlariki::fromJson(json::parse(j.dump()));
    ASSERT_EQ(back.Ekranlar().size(), 2u);
    EXPECT_EQ(back.Ekranlar()[0].SiraNo(), 2);
    EXPECT_EQ(back.Ekranlar()[1].Arama(), "#YENİ#");
    EXPECT_EQ(back, w);

    TAcilisEkranlariki copy;
    copy.SetEkranlar({entry(9, "", "", "")});
    copy.Kopyala(w);  // replaces, never appends
    EXPECT_EQ(copy, w);
}

TEST(TAcilisEkranlariki, MalformedEntriesAreRejected) {
    const char* cases[] = {
        R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":{}}})",
        R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[{"type":"mobilstokunit.TMobilCariBilgisi","id":2,"fields":{}}]}})",
        R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[null]}})",
        R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[{"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{"FSiraNo":"1"}}]}})",
    };
    for (const char* text : cases)
        EXPECT_THROW(TAcilisEkranlariki::fromJson(json::parse(text)), wire::Error) << text;
    // A missing member leaves the wrapper empty.
    EXPECT_TRUE(TAcilisEkranlariki::fromJson(json::parse(
                    R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{}})"))
                    .Ekranlar()
                    .empty());
}
