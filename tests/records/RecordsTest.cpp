#include <gtest/gtest.h>

#include "session/records/Records.h"

using json = nlohmann::ordered_json;

namespace {

TSonucBilgisi filledSession() {
    TSonucBilgisi s;
    s.SetSirano(7);
    s.SetBILGISAYARID("ABC123-DEF");
    s.SetADI("ahmet");
    s.SetSIFRE("gizli");
    s.SetCARINO(1042);
    s.SetAKTIF(1);
    s.SetKullanicimail("ahmet@ornek.com.tr");
    s.Setcarikod("120.01.042");
    s.SetCariAdi("Öztürk Oto Yedek Parça Ltd. Şti.");
    s.SetSaticiNo(3);
    s.SetSaticiTelefon("0212 555 00 00");
    s.SetSaticiMail("satis@ornek.com.tr");
    s.SetVarmi(true);
    s.SetSaticiAdi("Çağla Işık");
    s.SetBilgiSayarAdi("muhasebe-pc");
    s.SetDisip("203.0.113.7");
    s.SetIcip("192.168.1.20");
    s.SetBilgisayarKullanici("ahmet");
    s.SetMusteriTipi(3);
    s.SetVersion(4);
    return s;
}

TSiparisDipAyrinti filledFooter() {
    TSiparisDipAyrinti d;
    d.SetDurumu("Onaylandı");
    d.SetTeslimCinsi("Kargo");
    d.SetKargoCinsi("Alıcı Ödemeli");
    d.SetKargo("Yurtiçi");
    d.SetVeren("ahmet");
    d.SetSizinMesaj("Acele lütfen");
    d.SetBizimMesaj("Yarın çıkar");
    d.SetSaticiNotu("Fiyat teyitli");
    return d;
}

TTusSonuclari filledCounters() {
    TTusSonuclari t;
    t.SetAlindi(1);
    t.SetOnaylandi(2);
    t.SetGoruldu(3);
    t.SetParcaliHazirlandi(4);
    t.SetHazirlandi(5);
    t.SetSevkEdildi(6);
    return t;
}

// Every field of a filled fixture must differ from the default, or a copy test proves nothing.
template <class T>
void expectEveryFieldSet(const T& filled) {
    const json def = T().toJson()["fields"];
    const json got = filled.toJson()["fields"];
    ASSERT_EQ(def.size(), got.size());
    for (auto it = def.begin(); it != def.end(); ++it)
        EXPECT_NE(got.at(it.key()), it.value()) << "fixture leaves " << it.key() << " at its default";
}

}  // namespace

TEST(TSonucBilgisi, NewRecordHasTheDocumentedDefaultsInDeclarationOrder) {
    const std::string expected =
        R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{)"
        R"("FBILGISAYARID":"","FSaticiMail":"","FSirano":0,"FCariAdi":"","FSIFRE":"","FSaticiNo":0,)"
        R"("FCARINO":0,"FAKTIF":0,"FKullanicimail":"","FADI":"","FSaticiTelefon":"","Fcarikod":"",)"
        R"("FVarmi":false,"FSaticiAdi":"","FBilgiSayarAdi":"","FDisip":"","FIcip":"",)"
        R"("FBilgisayarKullanici":"","FMusteriTipi":1,"FVersion":1}})";
    EXPECT_EQ(TSonucBilgisi().toJson().dump(), expected);
    TSonucBilgisi s;
    EXPECT_EQ(s.MusteriTipi(), 1);
    EXPECT_EQ(s.Version(), 1);
    EXPECT_FALSE(s.Varmi());
}

TEST(TSiparisDipAyrinti, NewRecordIsEmptyInDeclarationOrder) {
    EXPECT_EQ(TSiparisDipAyrinti().toJson(3).dump(),
              R"({"type":"baglantiu.TSiparisDipAyrinti","id":3,"fields":{"FSizinMesaj":"","FDurumu":"",)"
              R"("FVeren":"","FKargo":"","FBizimMesaj":"","FTeslimCinsi":"","FKargoCinsi":"","FSaticiNotu":""}})");
}

TEST(TTusSonuclari, NewRecordHasZeroCountersInDeclarationOrder) {
    EXPECT_EQ(TTusSonuclari().toJson().dump(),
              R"({"type":"baglantiu.TTusSonuclari","id":1,"fields":{"FAlindi":0,"FOnaylandi":0,)"
              R"("FParcaliHazirlandi":0,"FSevkEdildi":0,"FHazirlandi":0,"FGoruldu":0}})");
}

TEST(Kopyala, CopiesEveryFieldOfTheSessionRecord) {
    const TSonucBilgisi src = filledSession();
    expectEveryFieldSet(src);
    TSonucBilgisi dst;
    dst.Kopyala(src);
    EXPECT_EQ(dst.toJson(), src.toJson());
    // The login state travels with every copy sent to the server.
    EXPECT_TRUE(dst.Varmi());
    EXPECT_EQ(dst.AKTIF(), 1);
    EXPECT_EQ(dst.Version(), 4);
    EXPECT_EQ(dst.CariAdi(), "Öztürk Oto Yedek Parça Ltd. Şti.");
}

TEST(Kopyala, OverwritesAFilledRecordBackToDefaults) {
    TSonucBilgisi dst = filledSession();
    dst.Kopyala(TSonucBilgisi());
    EXPECT_EQ(dst.toJson(), TSonucBilgisi().toJson());
}

TEST(Kopyala, CopiesEveryFieldOfFooterAndCounters) {
    const TSiparisDipAyrinti footer = filledFooter();
    expectEveryFieldSet(footer);
    TSiparisDipAyrinti f;
    f.Kopyala(footer);
    EXPECT_EQ(f.toJson(), footer.toJson());

    const TTusSonuclari counters = filledCounters();
    expectEveryFieldSet(counters);
    TTusSonuclari c;
    c.Kopyala(counters);
    EXPECT_EQ(c.toJson(), counters.toJson());
    EXPECT_EQ(c.Goruldu(), 3);
    EXPECT_EQ(c.SevkEdildi(), 6);
}

TEST(ObjectForm, RoundTripKeepsEveryField) {
    const TSonucBilgisi s = filledSession();
    const json j = json::parse(s.toJson(5).dump());  // through text, as on the wire
    EXPECT_EQ(j["id"], 5);
    EXPECT_EQ(TSonucBilgisi::fromJson(j), s);
    EXPECT_EQ(TSiparisDipAyrinti::fromJson(json::parse(filledFooter().toJson().dump())), filledFooter());
    EXPECT_EQ(TTusSonuclari::fromJson(json::parse(filledCounters().toJson().dump())), filledCounters());
}

TEST(ObjectForm, MissingMembersKeepDefaultsAndUnknownOnesAreIgnored) {
    const json j = json::parse(R"({"type":"baglantiu.TSonucBilgisi","id":1,"extra":[1,2],
        "fields":{"FCARINO":12,"FNotAField":"x","FVarmi":true,"FADI":null}})");
    const TSonucBilgisi s = TSonucBilgisi::fromJson(j);
    EXPECT_EQ(s.CARINO(), 12);
    EXPECT_TRUE(s.Varmi());
    EXPECT_EQ(s.MusteriTipi(), 1);
    EXPECT_EQ(s.Version(), 1);
    EXPECT_EQ(s.ADI(), "");
    // A whole number written with a fraction part is still an integer.
    EXPECT_EQ(TTusSonuclari::fromJson(json::parse(
                  R"({"type":"baglantiu.TTusSonuclari","id":1,"fields":{"FAlindi":2.0}})")).Alindi(),
              2);
}

TEST(ObjectForm, MalformedObjectsAreRejected) {
    struct Case {
        const char* what;
        const char* text;
    };
    const Case cases[] = {
        {"not an object", R"([1,2])"},
        {"null", R"(null)"},
        {"no type", R"({"id":1,"fields":{}})"},
        {"another class", R"({"type":"baglantiu.TTusSonuclari","id":1,"fields":{}})"},
        {"unit missing", R"({"type":"TSonucBilgisi","id":1,"fields":{}})"},
        {"no fields", R"({"type":"baglantiu.TSonucBilgisi","id":1})"},
        {"fields not an object", R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":[]})"},
        {"id not a number", R"({"type":"baglantiu.TSonucBilgisi","id":"1","fields":{}})"},
        {"number for text", R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FADI":5}})"},
        {"text for integer", R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":"5"}})"},
        {"fraction for integer", R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":1.5}})"},
        {"integer too large", R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":2147483648}})"},
        {"integer too small", R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":-2147483649}})"},
        {"number for boolean", R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FVarmi":1}})"},
    };
    for (const auto& c : cases)
        EXPECT_THROW(TSonucBilgisi::fromJson(json::parse(c.text)), wire::Error) << c.what;
    // The extremes of the range are accepted.
    EXPECT_EQ(TSonucBilgisi::fromJson(json::parse(
                  R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":-2147483648}})")).CARINO(),
              INT32_MIN);
}
