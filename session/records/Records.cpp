#include "session/records/Records.h"

#include <utility>

void TSonucBilgisi::SetSirano(std::int32_t v) {
    FSirano = v;
}
void TSonucBilgisi::SetBILGISAYARID(std::string v) {
    FBILGISAYARID = std::move(v);
}
void TSonucBilgisi::SetADI(std::string v) {
    FADI = std::move(v);
}
void TSonucBilgisi::SetSIFRE(std::string v) {
    FSIFRE = std::move(v);
}
void TSonucBilgisi::SetCARINO(std::int32_t v) {
    FCARINO = v;
}
void TSonucBilgisi::SetAKTIF(std::int32_t v) {
    FAKTIF = v;
}
void TSonucBilgisi::SetKullanicimail(std::string v) {
    FKullanicimail = std::move(v);
}
void TSonucBilgisi::Setcarikod(std::string v) {
    Fcarikod = std::move(v);
}
void TSonucBilgisi::SetCariAdi(std::string v) {
    FCariAdi = std::move(v);
}
void TSonucBilgisi::SetSaticiNo(std::int32_t v) {
    FSaticiNo = v;
}
void TSonucBilgisi::SetSaticiTelefon(std::string v) {
    FSaticiTelefon = std::move(v);
}
void TSonucBilgisi::SetSaticiMail(std::string v) {
    FSaticiMail = std::move(v);
}
void TSonucBilgisi::SetVarmi(bool v) {
    FVarmi = v;
}
void TSonucBilgisi::SetSaticiAdi(std::string v) {
    FSaticiAdi = std::move(v);
}
void TSonucBilgisi::SetBilgiSayarAdi(std::string v) {
    FBilgiSayarAdi = std::move(v);
}
void TSonucBilgisi::SetDisip(std::string v) {
    FDisip = std::move(v);
}
void TSonucBilgisi::SetIcip(std::string v) {
    FIcip = std::move(v);
}
void TSonucBilgisi::SetBilgisayarKullanici(std::string v) {
    FBilgisayarKullanici = std::move(v);
}
void TSonucBilgisi::SetMusteriTipi(std::int32_t v) {
    FMusteriTipi = v;
}
void TSonucBilgisi::SetVersion(std::int32_t v) {
    FVersion = v;
}

void TSonucBilgisi::Kopyala(const TSonucBilgisi& src) {
    SetBILGISAYARID(src.FBILGISAYARID);
    SetSaticiMail(src.FSaticiMail);
    SetSirano(src.FSirano);
    SetCariAdi(src.FCariAdi);
    SetSIFRE(src.FSIFRE);
    SetSaticiNo(src.FSaticiNo);
    SetCARINO(src.FCARINO);
    SetAKTIF(src.FAKTIF);
    SetKullanicimail(src.FKullanicimail);
    SetADI(src.FADI);
    SetSaticiTelefon(src.FSaticiTelefon);
    Setcarikod(src.Fcarikod);
    SetVarmi(src.FVarmi);
    SetSaticiAdi(src.FSaticiAdi);
    SetBilgiSayarAdi(src.FBilgiSayarAdi);
    SetDisip(src.FDisip);
    SetIcip(src.FIcip);
    SetBilgisayarKullanici(src.FBilgisayarKullanici);
    SetMusteriTipi(src.FMusteriTipi);
    SetVersion(src.FVersion);
}

const std::vector<records::FieldDef<TSonucBilgisi>>& TSonucBilgisi::fieldDefs() {
    static const std::vector<records::FieldDef<TSonucBilgisi>> defs = {
        {"FBILGISAYARID", &TSonucBilgisi::FBILGISAYARID},
        {"FSaticiMail", &TSonucBilgisi::FSaticiMail},
        {"FSirano", &TSonucBilgisi::FSirano},
        {"FCariAdi", &TSonucBilgisi::FCariAdi},
        {"FSIFRE", &TSonucBilgisi::FSIFRE},
        {"FSaticiNo", &TSonucBilgisi::FSaticiNo},
        {"FCARINO", &TSonucBilgisi::FCARINO},
        {"FAKTIF", &TSonucBilgisi::FAKTIF},
        {"FKullanicimail", &TSonucBilgisi::FKullanicimail},
        {"FADI", &TSonucBilgisi::FADI},
        {"FSaticiTelefon", &TSonucBilgisi::FSaticiTelefon},
        {"Fcarikod", &TSonucBilgisi::Fcarikod},
        {"FVarmi", &TSonucBilgisi::FVarmi},
        {"FSaticiAdi", &TSonucBilgisi::FSaticiAdi},
        {"FBilgiSayarAdi", &TSonucBilgisi::FBilgiSayarAdi},
        {"FDisip", &TSonucBilgisi::FDisip},
        {"FIcip", &TSonucBilgisi::FIcip},
        {"FBilgisayarKullanici", &TSonucBilgisi::FBilgisayarKullanici},
        {"FMusteriTipi", &TSonucBilgisi::FMusteriTipi},
        {"FVersion", &TSonucBilgisi::FVersion},
    };
    return defs;
}

nlohmann::ordered_json TSonucBilgisi::toJson(int id) const {
    return records::toObjectForm(*this, kTypeName, id, fieldDefs());
}

TSonucBilgisi TSonucBilgisi::fromJson(const nlohmann::ordered_json& json) {
    TSonucBilgisi r;
    records::fromObjectForm(r, json, kTypeName, fieldDefs());
    return r;
}

void TSiparisDipAyrinti::SetDurumu(std::string v) {
    FDurumu = std::move(v);
}
void TSiparisDipAyrinti::SetTeslimCinsi(std::string v) {
    FTeslimCinsi = std::move(v);
}
void TSiparisDipAyrinti::SetKargoCinsi(std::string v) {
    FKargoCinsi = std::move(v);
}
void TSiparisDipAyrinti::SetKargo(std::string v) {
    FKargo = std::move(v);
}
void TSiparisDipAyrinti::SetVeren(std::string v) {
    FVeren = std::move(v);
}
void TSiparisDipAyrinti::SetSizinMesaj(std::string v) {
    FSizinMesaj = std::move(v);
}
void TSiparisDipAyrinti::SetBizimMesaj(std::string v) {
    FBizimMesaj = std::move(v);
}
void TSiparisDipAyrinti::SetSaticiNotu(std::string v) {
    FSaticiNotu = std::move(v);
}

void TSiparisDipAyrinti::Kopyala(const TSiparisDipAyrinti& src) {
    SetSizinMesaj(src.FSizinMesaj);
    SetDurumu(src.FDurumu);
    SetVeren(src.FVeren);
    SetKargo(src.FKargo);
    SetBizimMesaj(src.FBizimMesaj);
    SetTeslimCinsi(src.FTeslimCinsi);
    SetKargoCinsi(src.FKargoCinsi);
    SetSaticiNotu(src.FSaticiNotu);
}

const std::vector<records::FieldDef<TSiparisDipAyrinti>>& TSiparisDipAyrinti::fieldDefs() {
    static const std::vector<records::FieldDef<TSiparisDipAyrinti>> defs = {
        {"FSizinMesaj", &TSiparisDipAyrinti::FSizinMesaj},
        {"FDurumu", &TSiparisDipAyrinti::FDurumu},
        {"FVeren", &TSiparisDipAyrinti::FVeren},
        {"FKargo", &TSiparisDipAyrinti::FKargo},
        {"FBizimMesaj", &TSiparisDipAyrinti::FBizimMesaj},
        {"FTeslimCinsi", &TSiparisDipAyrinti::FTeslimCinsi},
        {"FKargoCinsi", &TSiparisDipAyrinti::FKargoCinsi},
        {"FSaticiNotu", &TSiparisDipAyrinti::FSaticiNotu},
    };
    return defs;
}

nlohmann::ordered_json TSiparisDipAyrinti::toJson(int id) const {
    return records::toObjectForm(*this, kTypeName, id, fieldDefs());
}

TSiparisDipAyrinti TSiparisDipAyrinti::fromJson(const nlohmann::ordered_json& json) {
    TSiparisDipAyrinti r;
    records::fromObjectForm(r, json, kTypeName, fieldDefs());
    return r;
}

void TTusSonuclari::SetAlindi(std::int32_t v) {
    FAlindi = v;
}
void TTusSonuclari::SetOnaylandi(std::int32_t v) {
    FOnaylandi = v;
}
void TTusSonuclari::SetGoruldu(std::int32_t v) {
    FGoruldu = v;
}
void TTusSonuclari::SetParcaliHazirlandi(std::int32_t v) {
    FParcaliHazirlandi = v;
}
void TTusSonuclari::SetHazirlandi(std::int32_t v) {
    FHazirlandi = v;
}
void TTusSonuclari::SetSevkEdildi(std::int32_t v) {
    FSevkEdildi = v;
}

void TTusSonuclari::Kopyala(const TTusSonuclari& src) {
    SetAlindi(src.FAlindi);
    SetOnaylandi(src.FOnaylandi);
    SetParcaliHazirlandi(src.FParcaliHazirlandi);
    SetSevkEdildi(src.FSevkEdildi);
    SetHazirlandi(src.FHazirlandi);
    SetGoruldu(src.FGoruldu);
}

const std::vector<records::FieldDef<TTusSonuclari>>& TTusSonuclari::fieldDefs() {
    static const std::vector<records::FieldDef<TTusSonuclari>> defs = {
        {"FAlindi", &TTusSonuclari::FAlindi},
        {"FOnaylandi", &TTusSonuclari::FOnaylandi},
        {"FParcaliHazirlandi", &TTusSonuclari::FParcaliHazirlandi},
        {"FSevkEdildi", &TTusSonuclari::FSevkEdildi},
        {"FHazirlandi", &TTusSonuclari::FHazirlandi},
        {"FGoruldu", &TTusSonuclari::FGoruldu},
    };
    return defs;
}

nlohmann::ordered_json TTusSonuclari::toJson(int id) const {
    return records::toObjectForm(*this, kTypeName, id, fieldDefs());
}

TTusSonuclari TTusSonuclari::fromJson(const nlohmann::ordered_json& json) {
    TTusSonuclari r;
    records::fromObjectForm(r, json, kTypeName, fieldDefs());
    return r;
}
