#pragma once
// Records of the unit "baglantiu" that travel as objects between client and server.
// Qt-free; texts are UTF-8.

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "session/records/ObjectForm.h"

// The session record: who is logged in, for which customer, from which computer, with which
// program version. A fresh copy travels with nearly every remote call.
class TSonucBilgisi {
public:
    static constexpr const char* kTypeName = "baglantiu.TSonucBilgisi";

    TSonucBilgisi() = default;

    std::int32_t Sirano() const { return FSirano; }
    const std::string& BILGISAYARID() const { return FBILGISAYARID; }
    const std::string& ADI() const { return FADI; }
    const std::string& SIFRE() const { return FSIFRE; }
    std::int32_t CARINO() const { return FCARINO; }
    std::int32_t AKTIF() const { return FAKTIF; }
    const std::string& Kullanicimail() const { return FKullanicimail; }
    const std::string& carikod() const { return Fcarikod; }
    const std::string& CariAdi() const { return FCariAdi; }
    std::int32_t SaticiNo() const { return FSaticiNo; }
    const std::string& SaticiTelefon() const { return FSaticiTelefon; }
    const std::string& SaticiMail() const { return FSaticiMail; }
    bool Varmi() const { return FVarmi; }
    const std::string& SaticiAdi() const { return FSaticiAdi; }
    const std::string& BilgiSayarAdi() const { return FBilgiSayarAdi; }
    const std::string& Disip() const { return FDisip; }
    const std::string& Icip() const { return FIcip; }
    const std::string& BilgisayarKullanici() const { return FBilgisayarKullanici; }
    std::int32_t MusteriTipi() const { return FMusteriTipi; }
    std::int32_t Version() const { return FVersion; }

    void SetSirano(std::int32_t v);
    void SetBILGISAYARID(std::string v);
    void SetADI(std::string v);
    void SetSIFRE(std::string v);
    void SetCARINO(std::int32_t v);
    void SetAKTIF(std::int32_t v);
    void SetKullanicimail(std::string v);
    void Setcarikod(std::string v);
    void SetCariAdi(std::string v);
    void SetSaticiNo(std::int32_t v);
    void SetSaticiTelefon(std::string v);
    void SetSaticiMail(std::string v);
    void SetVarmi(bool v);
    void SetSaticiAdi(std::string v);
    void SetBilgiSayarAdi(std::string v);
    void SetDisip(std::string v);
    void SetIcip(std::string v);
    void SetBilgisayarKullanici(std::string v);
    void SetMusteriTipi(std::int32_t v);
    void SetVersion(std::int32_t v);

    // Copies every field of src into this record.
    void Kopyala(const TSonucBilgisi& src);
    nlohmann::ordered_json toJson(int id = 1) const;
    static TSonucBilgisi fromJson(const nlohmann::ordered_json& json);
    bool operator==(const TSonucBilgisi&) const = default;

private:
    static const std::vector<records::FieldDef<TSonucBilgisi>>& fieldDefs();

    std::string FBILGISAYARID;
    std::string FSaticiMail;
    std::int32_t FSirano = 0;
    std::string FCariAdi;
    std::string FSIFRE;
    std::int32_t FSaticiNo = 0;
    std::int32_t FCARINO = 0;
    std::int32_t FAKTIF = 0;
    std::string FKullanicimail;
    std::string FADI;
    std::string FSaticiTelefon;
    std::string Fcarikod;
    bool FVarmi = false;
    std::string FSaticiAdi;
    std::string FBilgiSayarAdi;
    std::string FDisip;
    std::string FIcip;
    std::string FBilgisayarKullanici;
    std::int32_t FMusteriTipi = 1;
    std::int32_t FVersion = 1;
};

// The footer of one order: state, delivery and cargo choices, messages.
class TSiparisDipAyrinti {
public:
    static constexpr const char* kTypeName = "baglantiu.TSiparisDipAyrinti";

    TSiparisDipAyrinti() = default;

    const std::string& Durumu() const { return FDurumu; }
    const std::string& TeslimCinsi() const { return FTeslimCinsi; }
    const std::string& KargoCinsi() const { return FKargoCinsi; }
    const std::string& Kargo() const { return FKargo; }
    const std::string& Veren() const { return FVeren; }
    const std::string& SizinMesaj() const { return FSizinMesaj; }
    const std::string& BizimMesaj() const { return FBizimMesaj; }
    const std::string& SaticiNotu() const { return FSaticiNotu; }

    void SetDurumu(std::string v);
    void SetTeslimCinsi(std::string v);
    void SetKargoCinsi(std::string v);
    void SetKargo(std::string v);
    void SetVeren(std::string v);
    void SetSizinMesaj(std::string v);
    void SetBizimMesaj(std::string v);
    void SetSaticiNotu(std::string v);

    // Copies every field of src into this record.
    void Kopyala(const TSiparisDipAyrinti& src);
    nlohmann::ordered_json toJson(int id = 1) const;
    static TSiparisDipAyrinti fromJson(const nlohmann::ordered_json& json);
    bool operator==(const TSiparisDipAyrinti&) const = default;

private:
    static const std::vector<records::FieldDef<TSiparisDipAyrinti>>& fieldDefs();

    std::string FSizinMesaj;
    std::string FDurumu;
    std::string FVeren;
    std::string FKargo;
    std::string FBizimMesaj;
    std::string FTeslimCinsi;
    std::string FKargoCinsi;
    std::string FSaticiNotu;
};

// Six order counters by order state.
class TTusSonuclari {
public:
    static constexpr const char* kTypeName = "baglantiu.TTusSonuclari";

    TTusSonuclari() = default;

    std::int32_t Alindi() const { return FAlindi; }
    std::int32_t Onaylandi() const { return FOnaylandi; }
    std::int32_t Goruldu() const { return FGoruldu; }
    std::int32_t ParcaliHazirlandi() const { return FParcaliHazirlandi; }
    std::int32_t Hazirlandi() const { return FHazirlandi; }
    std::int32_t SevkEdildi() const { return FSevkEdildi; }

    void SetAlindi(std::int32_t v);
    void SetOnaylandi(std::int32_t v);
    void SetGoruldu(std::int32_t v);
    void SetParcaliHazirlandi(std::int32_t v);
    void SetHazirlandi(std::int32_t v);
    void SetSevkEdildi(std::int32_t v);

    // Copies every field of src into this record.
    void Kopyala(const TTusSonuclari& src);
    nlohmann::ordered_json toJson(int id = 1) const;
    static TTusSonuclari fromJson(const nlohmann::ordered_json& json);
    bool operator==(const TTusSonuclari&) const = default;

private:
    static const std::vector<records::FieldDef<TTusSonuclari>>& fieldDefs();

    std::int32_t FAlindi = 0;
    std::int32_t FOnaylandi = 0;
    std::int32_t FParcaliHazirlandi = 0;
    std::int32_t FSevkEdildi = 0;
    std::int32_t FHazirlandi = 0;
    std::int32_t FGoruldu = 0;
};
