#pragma once
// Objects of the unit "mobilstokunit" that the server answers with. Qt-free; texts are UTF-8.

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "session/records/ObjectForm.h"

// Customer information, answered by the server for the message and request windows.
class TMobilCariBilgisi {
public:
    static constexpr const char* kTypeName = "mobilstokunit.TMobilCariBilgisi";

    TMobilCariBilgisi() = default;

    std::int32_t CARINO() const { return FCARINO; }
    const std::string& CARIKOD() const { return FCARIKOD; }
    const std::string& CARIADI() const { return FCARIADI; }
    const std::string& OzelKod() const { return FOzelKod; }
    const std::string& AnaGrup() const { return FAnaGrup; }
    const std::string& AltGrup() const { return FAltGrup; }
    const std::string& ADRES1() const { return FADRES1; }
    const std::string& ADRES2() const { return FADRES2; }
    const std::string& ILCE() const { return FILCE; }
    const std::string& TEL1() const { return FTEL1; }
    const std::string& TEL2() const { return FTEL2; }
    const std::string& FAX1() const { return FFAX1; }
    const std::string& FAX2() const { return FFAX2; }
    const std::string& GSM() const { return FGSM; }
    const std::string& EMAIL() const { return FEMAIL; }
    const std::string& YETKILI() const { return FYETKILI; }
    const std::string& SEHIR() const { return FSEHIR; }
    const std::string& ULKE() const { return FULKE; }
    const std::string& SATICIADI() const { return FSATICIADI; }
    const std::string& SATICITELEFON() const { return FSATICITELEFON; }
    const std::string& SATICIMAIL() const { return FSATICIMAIL; }
    const std::string& VERGIDAIRESI() const { return FVERGIDAIRESI; }
    const std::string& VERGINO() const { return FVERGINO; }
    double TLBORC() const { return FTLBORC; }
    double TLALACAK() const { return FTLALACAK; }
    double TLBAKIYE() const { return FTLBAKIYE; }
    const std::string& KULLANICIADI() const { return FKULLANICIADI; }
    const std::string& SIFRE() const { return FSIFRE; }
    const std::string& MAIL() const { return FMAIL; }
    const std::string& BILGISAYARID() const { return FBILGISAYARID; }

    void SetCARINO(std::int32_t v);
    void SetCARIKOD(std::string v);
    void SetCARIADI(std::string v);
    void SetOzelKod(std::string v);
    void SetAnaGrup(std::string v);
    void SetAltGrup(std::string v);
    void SetADRES1(std::string v);
    void SetADRES2(std::string v);
    void SetILCE(std::string v);
    void SetTEL1(std::string v);
    void SetTEL2(std::string v);
    void SetFAX1(std::string v);
    void SetFAX2(std::string v);
    void SetGSM(std::string v);
    void SetEMAIL(std::string v);
    void SetYETKILI(std::string v);
    void SetSEHIR(std::string v);
    void SetULKE(std::string v);
    void SetSATICIADI(std::string v);
    void SetSATICITELEFON(std::string v);
    void SetSATICIMAIL(std::string v);
    void SetVERGIDAIRESI(std::string v);
    void SetVERGINO(std::string v);
    void SetTLBORC(double v);
    void SetTLALACAK(double v);
    void SetTLBAKIYE(double v);
    void SetKULLANICIADI(std::string v);
    void SetSIFRE(std::string v);
    void SetMAIL(std::string v);
    void SetBILGISAYARID(std::string v);

    // Copies every field of src into this record.
    void Kopyala(const TMobilCariBilgisi& src);
    nlohmann::ordered_json toJson(int id = 1) const;
    static TMobilCariBilgisi fromJson(const nlohmann::ordered_json& json);
    bool operator==(const TMobilCariBilgisi&) const = default;

private:
    static const std::vector<records::FieldDef<TMobilCariBilgisi>>& fieldDefs();

    std::string FBILGISAYARID;
    std::string FSEHIR;
    std::string FFAX1;
    std::string FSATICIMAIL;
    std::string FSATICIADI;
    std::string FCARIADI;
    std::string FEMAIL;
    std::string FVERGIDAIRESI;
    std::string FYETKILI;
    std::string FAltGrup;
    std::string FTEL2;
    std::string FSIFRE;
    std::string FGSM;
    std::string FTEL1;
    std::string FADRES2;
    double FTLBORC = 0.0;
    double FTLALACAK = 0.0;
    std::string FADRES1;
    std::string FULKE;
    std::string FAnaGrup;
    std::int32_t FCARINO = 0;
    double FTLBAKIYE = 0.0;
    std::string FVERGINO;
    std::string FMAIL;
    std::string FOzelKod;
    std::string FKULLANICIADI;
    std::string FSATICITELEFON;
    std::string FCARIKOD;
    std::string FFAX2;
    std::string FILCE;
};

// One opening-screen entry. Resim is the picture as hexadecimal text (two digits per byte).
class TAcilisEkran {
public:
    static constexpr const char* kTypeName = "mobilstokunit.TAcilisEkran";

    TAcilisEkran() = default;

    std::int32_t SiraNo() const { return FSiraNo; }
    const std::string& Resim() const { return FResim; }
    const std::string& Baslik() const { return FBaslik; }
    const std::string& Arama() const { return FArama; }

    void SetSiraNo(std::int32_t v);
    void SetResim(std::string v);
    void SetBaslik(std::string v);
    void SetArama(std::string v);

    // Copies every field of src into this record.
    void Kopyala(const TAcilisEkran& src);
    nlohmann::ordered_json toJson(int id = 1) const;
    static TAcilisEkran fromJson(const nlohmann::ordered_json& json);
    bool operator==(const TAcilisEkran&) const = default;

private:
    static const std::vector<records::FieldDef<TAcilisEkran>>& fieldDefs();

    std::int32_t FSiraNo = 0;
    std::string FResim;
    std::string FBaslik;
    std::string FArama;
};

// The opening-screen entries in the order the server sends them. Owns its entries;
// SetEkranlar replaces the whole array.
class TAcilisEkranlariki {
public:
    static constexpr const char* kTypeName = "mobilstokunit.TAcilisEkranlariki";

    TAcilisEkranlariki() = default;

    const std::vector<TAcilisEkran>& Ekranlar() const { return FEkranlar; }
    void SetEkranlar(std::vector<TAcilisEkran> v);

    void Kopyala(const TAcilisEkranlariki& src);
    // The entries get the ids following id.
    nlohmann::ordered_json toJson(int id = 1) const;
    static TAcilisEkranlariki fromJson(const nlohmann::ordered_json& json);
    bool operator==(const TAcilisEkranlariki&) const = default;

private:
    std::vector<TAcilisEkran> FEkranlar;
};
