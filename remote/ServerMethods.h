#pragma once
// The client proxy of the application server's methods. One member per remote method with
// the method's name and parameters in their order; every call sends "TServerMethods1.<name>"
// with the parameters by position and reads outputs and the result by position.
//
// Ownership: a TSonucBilgisi argument is consumed by the call. Every result that is not a
// plain value (table, stream, object) belongs to the proxy and stays valid until the same
// method is called again on this proxy or the proxy is destroyed; copy what you need first.
// An object result the server sends as null comes back as nullptr.
// A proxy is made for one call sequence on an open connection and used by one thread.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "remote/Connection.h"
#include "remote/objects/TransferObjects.h"
#include "session/records/Records.h"
#include "wire/Value.h"

namespace data {
class MemTable;
}

namespace remote {

// An error answer of the server; what() is the server's text (UTF-8).
class RemoteError : public std::runtime_error {
public:
    explicit RemoteError(const std::string& serverText) : std::runtime_error(serverText) {}
    QString text() const { return QString::fromUtf8(what()); }
};

// Every remote method the proxy offers, in the order of the proxy's members.
inline constexpr std::array<const char*, 50> kMethodNames = {
    "BuyukGetir",
    "StokAraGetirTarvo",
    "ResimVer5",
    "StokHareketVer",
    "YenilerVer2",
    "KampanyaliVer2",
    "SepetEkle2",
    "SepetVer2",
    "SepetSecimGuncelle",
    "SepetGuncelle2",
    "SepetSatirSil",
    "SepetHepsiniSil",
    "TeslimVer",
    "KargoVer",
    "KargolarVer",
    "SiparisKaydet",
    "OncekiSiparisler",
    "SiparisAyrintisi2",
    "SiparisAytintisiDip",
    "BakiyelerVer2",
    "BakiyeDuzenle",
    "BakiyeDegistir",
    "BakiyeFiyatDegistir",
    "TumSiparislerVer",
    "CariEkstreVer",
    "FaturaGetir",
    "FaturaAltGetir",
    "Tahsilat",
    "SanalposSiranoVer",
    "SAnalPosPdfVer",
    "CariAra",
    "SepetSayisi",
    "TusSonuclariVer",
    "CariSepetVer",
    "RaporGetir",
    "CariDurumVer",
    "CariVadeGunGecmismiBul",
    "RaporAlinanSiparisler",
    "RaporEnCokSatilanStoklar",
    "BalonGetir",
    "AcilisEkranlarVer2",
    "KayanYaziGetir",
    "BannerResimVer",
    "BannerResimVer2",
    "BannerResimVer3",
    "AcilisReklamAdet",
    "AcilisREklamVer",
    "MobilCariBilgisiGetir",
    "MailGonserCari",
    "MailGonserCariNormal",
};

// "TServerMethods1." + method.
std::string commandText(std::string_view method);

class TServerMethods1Client final {
public:
    // Throws when the connection is not open.
    explicit TServerMethods1Client(Connection& connection);
    ~TServerMethods1Client();
    TServerMethods1Client(const TServerMethods1Client&) = delete;
    TServerMethods1Client& operator=(const TServerMethods1Client&) = delete;

    TSonucBilgisi* BuyukGetir(const QString& idsi);
    const wire::Table* StokAraGetirTarvo(const QString& kod, std::unique_ptr<TSonucBilgisi> bilgi);
    const std::string* ResimVer5(std::int32_t stokno, std::int64_t& boy);
    const wire::Table* StokHareketVer(std::int32_t carino, std::int32_t stokno);
    const wire::Table* YenilerVer2(std::int32_t carino);
    const wire::Table* KampanyaliVer2(std::int32_t cario, std::int32_t satici);
    std::int32_t SepetEkle2(std::unique_ptr<TSonucBilgisi> bilgim, std::int32_t carino, std::int32_t stokno,
                            const QString& barkod, const QString& stokadi, double miktar, double kdv,
                            double fiyat, double ind1, std::int32_t verenid, std::int32_t k, double ind2,
                            double ind3, double ind4);
    const wire::Table* SepetVer2(std::int32_t carino);
    void SepetSecimGuncelle(std::int32_t sirano, std::int32_t secim);
    std::int32_t SepetGuncelle2(std::unique_ptr<TSonucBilgisi> bilgim, std::int32_t carino,
                                std::int32_t stokno, const QString& barkod, const QString& stokadi,
                                double miktar, double kdv, double fiyat, double ind1, std::int32_t verenid,
                                std::int32_t _sepetsirano, double ind2, double ind3, double ind4);
    std::int32_t SepetSatirSil(std::unique_ptr<TSonucBilgisi> bilgi, std::int32_t satirno,
                               const QString& aciklamam);
    std::int32_t SepetHepsiniSil(std::unique_ptr<TSonucBilgisi> bilgi);
    const wire::Table* TeslimVer();
    const wire::Table* KargoVer();
    const wire::Table* KargolarVer(std::int32_t gn);
    bool SiparisKaydet(std::unique_ptr<TSonucBilgisi> BB, std::int32_t _carino, std::int32_t _teslim,
                       std::int32_t _kargo, const QString& _aciklama, std::int32_t _verenid,
                       std::int32_t _kargoyeni);
    const wire::Table* OncekiSiparisler(std::int32_t carino);
    const wire::Table* SiparisAyrintisi2(std::int32_t carino, std::int32_t idnosu);
    TSiparisDipAyrinti* SiparisAytintisiDip(std::int32_t carino, std::int32_t siranosu);
    const wire::Table* BakiyelerVer2(std::int32_t carino);
    std::int32_t BakiyeDuzenle(std::unique_ptr<TSonucBilgisi> k, std::int32_t stokno,
                               std::int32_t sepetsirano, std::int32_t siparissirano, double Adet,
                               double Bakiye, const QString& barkod);
    std::int32_t BakiyeDegistir(std::unique_ptr<TSonucBilgisi> k, std::int32_t stokno,
                                std::int32_t sepetsirano, std::int32_t siparissirano, double Adet,
                                double Bakiye, const QString& barkod);
    std::int32_t BakiyeFiyatDegistir(std::unique_ptr<TSonucBilgisi> k, std::int32_t stokno,
                                     std::int32_t sepetsirano, std::int32_t siparissirano, double Adet,
                                     double Bakiye, const QString& barkod, double fiyat, double ind);
    const wire::Table* TumSiparislerVer(std::int32_t carino, std::int32_t stokno);
    const wire::Table* CariEkstreVer(std::int32_t carino);
    const wire::Table* FaturaGetir(std::int32_t carino, std::int32_t idnosu);
    const wire::Table* FaturaAltGetir(std::int32_t idnosu);
    const wire::Table* Tahsilat(std::int32_t idnosu);
    std::int32_t SanalposSiranoVer(std::int32_t idnosu);
    const std::string* SAnalPosPdfVer(std::int32_t sirano, std::int64_t& boy);
    const wire::Table* CariAra(std::unique_ptr<TSonucBilgisi> bil, const QString& aranan);
    std::int32_t SepetSayisi(std::unique_ptr<TSonucBilgisi> bil);
    TTusSonuclari* TusSonuclariVer(std::unique_ptr<TSonucBilgisi> bil);
    const wire::Table* CariSepetVer(std::unique_ptr<TSonucBilgisi> bil, std::int32_t n);
    const std::string* RaporGetir(std::int32_t raporno, std::int32_t bolum, std::int32_t idno,
                                  std::int32_t carino, const QString& saticiadi, double tarih1, double tarih2,
                                  std::int64_t& size);
    QString CariDurumVer(std::int32_t carino);
    QString CariVadeGunGecmismiBul(std::int32_t carino);
    const wire::Table* RaporAlinanSiparisler(std::unique_ptr<TSonucBilgisi> bilgi, double tarih1,
                                             double tarih2);
    const wire::Table* RaporEnCokSatilanStoklar(std::unique_ptr<TSonucBilgisi> bilgi, double tarih1,
                                                double tarih2);
    const wire::Table* BalonGetir(std::unique_ptr<TSonucBilgisi> bil);
    TAcilisEkranlariki* AcilisEkranlarVer2();
    QString KayanYaziGetir();
    const std::string* BannerResimVer(std::int64_t& size);
    const std::string* BannerResimVer2(std::int64_t& size);
    const std::string* BannerResimVer3(std::int64_t& size);
    std::int32_t AcilisReklamAdet();
    TAcilisEkran* AcilisREklamVer(std::int32_t sira);
    TMobilCariBilgisi* MobilCariBilgisiGetir(std::int32_t sirano, const QString& _idsi);
    std::int32_t MailGonserCari(const QString& idsi, const QString& baslik, const QString& firmaadi,
                                const QString& adres1, const QString& adres2, const QString& ilce,
                                const QString& sehir, const QString& telefon, const QString& fax,
                                const QString& vd, const QString& vn, const QString& yetkili,
                                const QString& kullaniciadi, const QString& sifre, const QString& mail,
                                const QString& kargoambar);
    std::int32_t MailGonserCariNormal(const QString& idsi, const QString& baslik, const QString& firmaadi,
                                      const QString& adres1, const QString& adres2, const QString& ilce,
                                      const QString& sehir, const QString& telefon, const QString& fax,
                                      const QString& vd, const QString& vn, const QString& yetkili,
                                      const QString& kullaniciadi, const QString& sifre, const QString& mail,
                                      const QString& kargoambar, const QString& konu);

    // How many methods have been called (and their commands prepared) on this proxy.
    std::size_t preparedCommandCount() const;

private:
    struct Command;
    Command& prepare(std::size_t method);
    void execute(Command& c, std::vector<wire::Value> params);
    static const wire::Value& resultAt(const Command& c, std::size_t pos);
    static std::int64_t outInt64(const Command& c, std::size_t pos);
    static const wire::Table* resultTable(const Command& c, std::size_t pos);
    static const std::string* resultStream(const Command& c, std::size_t pos);
    template <class T> static T* resultObject(Command& c, std::size_t pos);
    static wire::Value textArg(const QString& s);
    static wire::Value objectArg(std::unique_ptr<TSonucBilgisi> o);

    Connection& connection_;
    std::array<std::unique_ptr<Command>, kMethodNames.size()> commands_;
};

// The bytes of a stream result, or nothing when the announced length is 0 (nothing was
// sent), the stream is missing, or its size differs from the announced length.
std::optional<QByteArray> readStream(const std::string* stream, std::int64_t announced);

// Replaces the table's fields and rows with a row set or data packet result.
// Throws wire::Error when there is no table.
void loadTable(data::MemTable& target, const wire::Table* source);

} // namespace remote
