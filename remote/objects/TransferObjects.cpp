#include "remote/objects/TransferObjects.h"

#include <utility>

void TMobilCariBilgisi::SetCARINO(std::int32_t v) {
    FCARINO = v;
}
void TMobilCariBilgisi::SetCARIKOD(std::string v) {
    FCARIKOD = std::move(v);
}
void TMobilCariBilgisi::SetCARIADI(std::string v) {
    FCARIADI = std::move(v);
}
void TMobilCariBilgisi::SetOzelKod(std::string v) {
    FOzelKod = std::move(v);
}
void TMobilCariBilgisi::SetAnaGrup(std::string v) {
    FAnaGrup = std::move(v);
}
void TMobilCariBilgisi::SetAltGrup(std::string v) {
    FAltGrup = std::move(v);
}
void TMobilCariBilgisi::SetADRES1(std::string v) {
    FADRES1 = std::move(v);
}
void TMobilCariBilgisi::SetADRES2(std::string v) {
    FADRES2 = std::move(v);
}
void TMobilCariBilgisi::SetILCE(std::string v) {
    FILCE = std::move(v);
}
void TMobilCariBilgisi::SetTEL1(std::string v) {
    FTEL1 = std::move(v);
}
void TMobilCariBilgisi::SetTEL2(std::string v) {
    FTEL2 = std::move(v);
}
void TMobilCariBilgisi::SetFAX1(std::string v) {
    FFAX1 = std::move(v);
}
void TMobilCariBilgisi::SetFAX2(std::string v) {
    FFAX2 = std::move(v);
}
void TMobilCariBilgisi::SetGSM(std::string v) {
    FGSM = std::move(v);
}
void TMobilCariBilgisi::SetEMAIL(std::string v) {
    FEMAIL = std::move(v);
}
void TMobilCariBilgisi::SetYETKILI(std::string v) {
    FYETKILI = std::move(v);
}
void TMobilCariBilgisi::SetSEHIR(std::string v) {
    FSEHIR = std::move(v);
}
void TMobilCariBilgisi::SetULKE(std::string v) {
    FULKE = std::move(v);
}
void TMobilCariBilgisi::SetSATICIADI(std::string v) {
    FSATICIADI = std::move(v);
}
void TMobilCariBilgisi::SetSATICITELEFON(std::string v) {
    FSATICITELEFON = std::move(v);
}
void TMobilCariBilgisi::SetSATICIMAIL(std::string v) {
    FSATICIMAIL = std::move(v);
}
void TMobilCariBilgisi::SetVERGIDAIRESI(std::string v) {
    FVERGIDAIRESI = std::move(v);
}
void TMobilCariBilgisi::SetVERGINO(std::string v) {
    FVERGINO = std::move(v);
}
void TMobilCariBilgisi::SetTLBORC(double v) {
    FTLBORC = v;
}
void TMobilCariBilgisi::SetTLALACAK(double v) {
    FTLALACAK = v;
}
void TMobilCariBilgisi::SetTLBAKIYE(double v) {
    FTLBAKIYE = v;
}
void TMobilCariBilgisi::SetKULLANICIADI(std::string v) {
    FKULLANICIADI = std::move(v);
}
void TMobilCariBilgisi::SetSIFRE(std::string v) {
    FSIFRE = std::move(v);
}
void TMobilCariBilgisi::SetMAIL(std::string v) {
    FMAIL = std::move(v);
}
void TMobilCariBilgisi::SetBILGISAYARID(std::string v) {
    FBILGISAYARID = std::move(v);
}

void TMobilCariBilgisi::Kopyala(const TMobilCariBilgisi& src) {
    SetBILGISAYARID(src.FBILGISAYARID);
    SetSEHIR(src.FSEHIR);
    SetFAX1(src.FFAX1);
    SetSATICIMAIL(src.FSATICIMAIL);
    SetSATICIADI(src.FSATICIADI);
    SetCARIADI(src.FCARIADI);
    SetEMAIL(src.FEMAIL);
    SetVERGIDAIRESI(src.FVERGIDAIRESI);
    SetYETKILI(src.FYETKILI);
    SetAltGrup(src.FAltGrup);
    SetTEL2(src.FTEL2);
    SetSIFRE(src.FSIFRE);
    SetGSM(src.FGSM);
    SetTEL1(src.FTEL1);
    SetADRES2(src.FADRES2);
    SetTLBORC(src.FTLBORC);
    SetTLALACAK(src.FTLALACAK);
    SetADRES1(src.FADRES1);
    SetULKE(src.FULKE);
    SetAnaGrup(src.FAnaGrup);
    SetCARINO(src.FCARINO);
    SetTLBAKIYE(src.FTLBAKIYE);
    SetVERGINO(src.FVERGINO);
    SetMAIL(src.FMAIL);
    SetOzelKod(src.FOzelKod);
    SetKULLANICIADI(src.FKULLANICIADI);
    SetSATICITELEFON(src.FSATICITELEFON);
    SetCARIKOD(src.FCARIKOD);
    SetFAX2(src.FFAX2);
    SetILCE(src.FILCE);
}

const std::vector<records::FieldDef<TMobilCariBilgisi>>& TMobilCariBilgisi::fieldDefs() {
    static const std::vector<records::FieldDef<TMobilCariBilgisi>> defs = {
        {"FBILGISAYARID", &TMobilCariBilgisi::FBILGISAYARID},
        {"FSEHIR", &TMobilCariBilgisi::FSEHIR},
        {"FFAX1", &TMobilCariBilgisi::FFAX1},
        {"FSATICIMAIL", &TMobilCariBilgisi::FSATICIMAIL},
        {"FSATICIADI", &TMobilCariBilgisi::FSATICIADI},
        {"FCARIADI", &TMobilCariBilgisi::FCARIADI},
        {"FEMAIL", &TMobilCariBilgisi::FEMAIL},
        {"FVERGIDAIRESI", &TMobilCariBilgisi::FVERGIDAIRESI},
        {"FYETKILI", &TMobilCariBilgisi::FYETKILI},
        {"FAltGrup", &TMobilCariBilgisi::FAltGrup},
        {"FTEL2", &TMobilCariBilgisi::FTEL2},
        {"FSIFRE", &TMobilCariBilgisi::FSIFRE},
        {"FGSM", &TMobilCariBilgisi::FGSM},
        {"FTEL1", &TMobilCariBilgisi::FTEL1},
        {"FADRES2", &TMobilCariBilgisi::FADRES2},
        {"FTLBORC", &TMobilCariBilgisi::FTLBORC},
        {"FTLALACAK", &TMobilCariBilgisi::FTLALACAK},
        {"FADRES1", &TMobilCariBilgisi::FADRES1},
        {"FULKE", &TMobilCariBilgisi::FULKE},
        {"FAnaGrup", &TMobilCariBilgisi::FAnaGrup},
        {"FCARINO", &TMobilCariBilgisi::FCARINO},
        {"FTLBAKIYE", &TMobilCariBilgisi::FTLBAKIYE},
        {"FVERGINO", &TMobilCariBilgisi::FVERGINO},
        {"FMAIL", &TMobilCariBilgisi::FMAIL},
        {"FOzelKod", &TMobilCariBilgisi::FOzelKod},
        {"FKULLANICIADI", &TMobilCariBilgisi::FKULLANICIADI},
        {"FSATICITELEFON", &TMobilCariBilgisi::FSATICITELEFON},
        {"FCARIKOD", &TMobilCariBilgisi::FCARIKOD},
        {"FFAX2", &TMobilCariBilgisi::FFAX2},
        {"FILCE", &TMobilCariBilgisi::FILCE},
    };
    return defs;
}

nlohmann::ordered_json TMobilCariBilgisi::toJson(int id) const {
    return records::toObjectForm(*this, kTypeName, id, fieldDefs());
}

TMobilCariBilgisi TMobilCariBilgisi::fromJson(const nlohmann::ordered_json& json) {
    TMobilCariBilgisi r;
    records::fromObjectForm(r, json, kTypeName, fieldDefs());
    return r;
}

void TAcilisEkran::SetSiraNo(std::int32_t v) {
    FSiraNo = v;
}
void TAcilisEkran::SetResim(std::string v) {
    FResim = std::move(v);
}
void TAcilisEkran::SetBaslik(std::string v) {
    FBaslik = std::move(v);
}
void TAcilisEkran::SetArama(std::string v) {
    FArama = std::move(v);
}

void TAcilisEkran::Kopyala(const TAcilisEkran& src) {
    SetSiraNo(src.FSiraNo);
    SetResim(src.FResim);
    SetBaslik(src.FBaslik);
    SetArama(src.FArama);
}

const std::vector<records::FieldDef<TAcilisEkran>>& TAcilisEkran::fieldDefs() {
    static const std::vector<records::FieldDef<TAcilisEkran>> defs = {
        {"FSiraNo", &TAcilisEkran::FSiraNo},
        {"FResim", &TAcilisEkran::FResim},
        {"FBaslik", &TAcilisEkran::FBaslik},
        {"FArama", &TAcilisEkran::FArama},
    };
    return defs;
}

nlohmann::ordered_json TAcilisEkran::toJson(int id) const {
    return records::toObjectForm(*this, kTypeName, id, fieldDefs());
}

TAcilisEkran TAcilisEkran::fromJson(const nlohmann::ordered_json& json) {
    TAcilisEkran r;
    records::fromObjectForm(r, json, kTypeName, fieldDefs());
    return r;
}

void TAcilisEkranlariki::SetEkranlar(std::vector<TAcilisEkran> v) {
    FEkranlar = std::move(v);
}

void TAcilisEkranlariki::Kopyala(const TAcilisEkranlariki& src) {
    SetEkranlar(src.FEkranlar);
}

nlohmann::ordered_json TAcilisEkranlariki::toJson(int id) const {
    nlohmann::ordered_json j = records::objectHeader(kTypeName, id);
    nlohmann::ordered_json entries = nlohmann::ordered_json::array();
    int next = id;
    for (const auto& e : FEkranlar)
        entries.push_back(e.toJson(++next));
    j["fields"]["FEkranlar"] = std::move(entries);
    return j;
}

TAcilisEkranlariki TAcilisEkranlariki::fromJson(const nlohmann::ordered_json& json) {
    TAcilisEkranlariki r;
    const auto& fields = records::objectFields(json, kTypeName);
    auto it = fields.find("FEkranlar");
    if (it == fields.end() || it->is_null()) return r;
    if (!it->is_array()) throw wire::Error("object field FEkranlar: expected an array");
    r.FEkranlar.reserve(it->size());
    for (const auto& e : *it)
        r.FEkranlar.push_back(TAcilisEkran::fromJson(e));
    return r;
}
