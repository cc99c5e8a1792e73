#include "remote/ServerMethods.h"

#include <utility>

#include "data/MemTable.h"

namespace remote {

std::string commandText(std::string_view method) {
    return "TServerMethods1." + std::string(method);
}

struct TServerMethods1Client::Command {
    std::string text;                // "TServerMethods1.<Method>"
    std::vector<wire::Value> values; // the last answer, by position
    std::shared_ptr<void> object;    // the last object result
};

TServerMethods1Client::TServerMethods1Client(Connection& connection) : connection_(connection) {
    if (!connection.isOpen()) throw wire::Error("The connection is not open");
}

TServerMethods1Client::~TServerMethods1Client() = default;

std::size_t TServerMethods1Client::preparedCommandCount() const {
    std::size_t n = 0;
    for (const auto& c : commands_)
        n += c ? 1 : 0;
    return n;
}

TServerMethods1Client::Command& TServerMethods1Client::prepare(std::size_t method) {
    auto& slot = commands_.at(method);
    if (!slot) {
        slot = std::make_unique<Command>();
        slot->text = commandText(kMethodNames[method]);
    }
    return *slot;
}

void TServerMethods1Client::execute(Command& c, std::vector<wire::Value> params) {
    // The previous call's results go before the next call's arrive.
    c.object.reset();
    c.values.clear();
    wire::Answer answer = connection_.client().call(wire::Call{c.text, std::move(params)});
    if (!answer.ok) throw RemoteError(answer.error);
    c.values = std::move(answer.values);
}

const wire::Value& TServerMethods1Client::resultAt(const Command& c, std::size_t pos) {
    if (pos >= c.values.size())
        throw wire::Error("the answer to " + c.text + " has no value at position " + std::to_string(pos));
    return c.values[pos];
}

std::int64_t TServerMethods1Client::outInt64(const Command& c, std::size_t pos) {
    return resultAt(c, pos).asInt64();
}

const wire::Table* TServerMethods1Client::resultTable(const Command& c, std::size_t pos) {
    return &resultAt(c, pos).asTable();
}

const std::string* TServerMethods1Client::resultStream(const Command& c, std::size_t pos) {
    const wire::Value& v = resultAt(c, pos);
    if (v.isNull()) return nullptr;
    return &v.asStream();
}

template <class T> T* TServerMethods1Client::resultObject(Command& c, std::size_t pos) {
    const wire::Value& v = resultAt(c, pos);
    if (v.isNull() || v.asObject().is_null()) return nullptr;
    auto obj = std::make_shared<T>(T::fromJson(v.asObject()));
    c.object = obj;
    return obj.get();
}

wire::Value TServerMethods1Client::textArg(const QString& s) {
    const QByteArray utf8 = s.toUtf8();
    return wire::Value::text(std::string(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

wire::Value TServerMethods1Client::objectArg(std::unique_ptr<TSonucBilgisi> o) {
    if (!o) return wire::Value::object(nlohmann::ordered_json());
    return wire::Value::object(o->toJson(1));
}

TSonucBilgisi* TServerMethods1Client::BuyukGetir(const QString& idsi) {
    Command& c = prepare(0);
    execute(c, {textArg(idsi)});
    return resultObject<TSonucBilgisi>(c, 1);
}

const wire::Table* TServerMethods1Client::StokAraGetirTarvo(const QString& kod,
                                                            std::unique_ptr<TSonucBilgisi> bilgi) {
    Command& c = prepare(1);
    execute(c, {textArg(kod), objectArg(std::move(bilgi))});
    return resultTable(c, 2);
}

const std::string* TServerMethods1Client::ResimVer5(std::int32_t stokno, std::int64_t& boy) {
    Command& c = prepare(2);
    execute(c, {wire::Value::int32(stokno), wire::Value()});
    boy = outInt64(c, 1);
    return resultStream(c, 2);
}

const wire::Table* TServerMethods1Client::StokHareketVer(std::int32_t carino, std::int32_t stokno) {
    Command& c = prepare(3);
    execute(c, {wire::Value::int32(carino), wire::Value::int32(stokno)});
    return resultTable(c, 2);
}

const wire::Table* TServerMethods1Client::YenilerVer2(std::int32_t carino) {
    Command& c = prepare(4);
    execute(c, {wire::Value::int32(carino)});
    return resultTable(c, 1);
}

const wire::Table* TServerMethods1Client::KampanyaliVer2(std::int32_t cario, std::int32_t satici) {
    Command& c = prepare(5);
    execute(c, {wire::Value::int32(cario), wire::Value::int32(satici)});
    return resultTable(c, 2);
}

std::int32_t TServerMethods1Client::SepetEkle2(std::unique_ptr<TSonucBilgisi> bilgim, std::int32_t carino,
                                               std::int32_t stokno, const QString& barkod,
                                               const QString& stokadi, double miktar, double kdv,
                                               double fiyat, double ind1, std::int32_t verenid,
                                               std::int32_t k, double ind2, double ind3, double ind4) {
    Command& c = prepare(6);
    execute(c, {objectArg(std::move(bilgim)), wire::Value::int32(carino), wire::Value::int32(stokno),
                textArg(barkod), textArg(stokadi), wire::Value::real(miktar), wire::Value::real(kdv),
                wire::Value::real(fiyat), wire::Value::real(ind1), wire::Value::int32(verenid),
                wire::Value::int32(k), wire::Value::real(ind2), wire::Value::real(ind3),
                wire::Value::real(ind4)});
    return resultAt(c, 14).asInt32();
}

const wire::Table* TServerMethods1Client::SepetVer2(std::int32_t carino) {
    Command& c = prepare(7);
    execute(c, {wire::Value::int32(carino)});
    return resultTable(c, 1);
}

void TServerMethods1Client::SepetSecimGuncelle(std::int32_t sirano, std::int32_t secim) {
    Command& c = prepare(8);
    execute(c, {wire::Value::int32(sirano), wire::Value::int32(secim)});
}

std::int32_t TServerMethods1Client::SepetGuncelle2(std::unique_ptr<TSonucBilgisi> bilgim, std::int32_t carino,
                                                   std::int32_t stokno, const QString& barkod,
                                                   const QString& stokadi, double miktar, double kdv,
                                                   double fiyat, double ind1, std::int32_t verenid,
                                                   std::int32_t _sepetsirano, double ind2, double ind3,
                                                   double ind4) {
    Command& c = prepare(9);
    execute(c, {objectArg(std::move(bilgim)), wire::Value::int32(carino), wire::Value::int32(stokno),
                textArg(barkod), textArg(stokadi), wire::Value::real(miktar), wire::Value::real(kdv),
                wire::Value::real(fiyat), wire::Value::real(ind1), wire::Value::int32(verenid),
                wire::Value::int32(_sepetsirano), wire::Value::real(ind2), wire::Value::real(ind3),
                wire::Value::real(ind4)});
    return resultAt(c, 14).asInt32();
}

std::int32_t TServerMethods1Client::SepetSatirSil(std::unique_ptr<TSonucBilgisi> bilgi, std::int32_t satirno,
                                                  const QString& aciklamam) {
    Command& c = prepare(10);
    execute(c, {objectArg(std::move(bilgi)), wire::Value::int32(satirno), textArg(aciklamam)});
    return resultAt(c, 3).asInt32();
}

std::int32_t TServerMethods1Client::SepetHepsiniSil(std::unique_ptr<TSonucBilgisi> bilgi) {
    Command& c = prepare(11);
    execute(c, {objectArg(std::move(bilgi))});
    return resultAt(c, 1).asInt32();
}

const wire::Table* TServerMethods1Client::TeslimVer() {
    Command& c = prepare(12);
    execute(c, {});
    return resultTable(c, 0);
}

const wire::Table* TServerMethods1Client::KargoVer() {
    Command& c = prepare(13);
    execute(c, {});
    return resultTable(c, 0);
}

const wire::Table* TServerMethods1Client::KargolarVer(std::int32_t gn) {
    Command& c = prepare(14);
    execute(c, {wire::Value::int32(gn)});
    return resultTable(c, 1);
}

bool TServerMethods1Client::SiparisKaydet(std::unique_ptr<TSonucBilgisi> BB, std::int32_t _carino,
                                          std::int32_t _teslim, std::int32_t _kargo, const QString& _aciklama,
                                          std::int32_t _verenid, std::int32_t _kargoyeni) {
    Command& c = prepare(15);
    execute(c, {objectArg(std::move(BB)), wire::Value::int32(_carino), wire::Value::int32(_teslim),
                wire::Value::int32(_kargo), textArg(_aciklama), wire::Value::int32(_verenid),
                wire::Value::int32(_kargoyeni)});
    return resultAt(c, 7).asBool();
}

const wire::Table* TServerMethods1Client::OncekiSiparisler(std::int32_t carino) {
    Command& c = prepare(16);
    execute(c, {wire::Value::int32(carino)});
    return resultTable(c, 1);
}

const wire::Table* TServerMethods1Client::SiparisAyrintisi2(std::int32_t carino, std::int32_t idnosu) {
    Command& c = prepare(17);
    execute(c, {wire::Value::int32(carino), wire::Value::int32(idnosu)});
    return resultTable(c, 2);
}

TSiparisDipAyrinti* TServerMethods1Client::SiparisAytintisiDip(std::int32_t carino, std::int32_t siranosu) {
    Command& c = prepare(18);
    execute(c, {wire::Value::int32(carino), wire::Value::int32(siranosu)});
    return resultObject<TSiparisDipAyrinti>(c, 2);
}

const wire::Table* TServerMethods1Client::BakiyelerVer2(std::int32_t carino) {
    Command& c = prepare(19);
    execute(c, {wire::Value::int32(carino)});
    return resultTable(c, 1);
}

std::int32_t TServerMethods1Client::BakiyeDuzenle(std::unique_ptr<TSonucBilgisi> k, std::int32_t stokno,
                                                  std::int32_t sepetsirano, std::int32_t siparissirano,
                                                  double Adet, double Bakiye, const QString& barkod) {
    Command& c = prepare(20);
    execute(c, {objectArg(std::move(k)), wire::Value::int32(stokno), wire::Value::int32(sepetsirano),
                wire::Value::int32(siparissirano), wire::Value::real(Adet), wire::Value::real(Bakiye),
                textArg(barkod)});
    return resultAt(c, 7).asInt32();
}

std::int32_t TServerMethods1Client::BakiyeDegistir(std::unique_ptr<TSonucBilgisi> k, std::int32_t stokno,
                                                   std::int32_t sepetsirano, std::int32_t siparissirano,
                                                   double Adet, double Bakiye, const QString& barkod) {
    Command& c = prepare(21);
    execute(c, {objectArg(std::move(k)), wire::Value::int32(stokno), wire::Value::int32(sepetsirano),
                wire::Value::int32(siparissirano), wire::Value::real(Adet), wire::Value::real(Bakiye),
                textArg(barkod)});
    return resultAt(c, 7).asInt32();
}

std::int32_t TServerMethods1Client::BakiyeFiyatDegistir(std::unique_ptr<TSonucBilgisi> k, std::int32_t stokno,
                                                        std::int32_t sepetsirano, std::int32_t siparissirano,
                                                        double Adet, double Bakiye, const QString& barkod,
                                                        double fiyat, double ind) {
    Command& c = prepare(22);
    execute(c, {objectArg(std::move(k)), wire::Value::int32(stokno), wire::Value::int32(sepetsirano),
                wire::Value::int32(siparissirano), wire::Value::real(Adet), wire::Value::real(Bakiye),
                textArg(barkod), wire::Value::real(fiyat), wire::Value::real(ind)});
    return resultAt(c, 9).asInt32();
}

const wire::Table* TServerMethods1Client::TumSiparislerVer(std::int32_t carino, std::int32_t stokno) {
    Command& c = prepare(23);
    execute(c, {wire::Value::int32(carino), wire::Value::int32(stokno)});
    return resultTable(c, 2);
}

const wire::Table* TServerMethods1Client::CariEkstreVer(std::int32_t carino) {
    Command& c = prepare(24);
    execute(c, {wire::Value::int32(carino)});
    return resultTable(c, 1);
}

const wire::Table* TServerMethods1Client::FaturaGetir(std::int32_t carino, std::int32_t idnosu) {
    Command& c = prepare(25);
    execute(c, {wire::Value::int32(carino), wire::Value::int32(idnosu)});
    return resultTable(c, 2);
}

const wire::Table* TServerMethods1Client::FaturaAltGetir(std::int32_t idnosu) {
    Command& c = prepare(26);
    execute(c, {wire::Value::int32(idnosu)});
    return resultTable(c, 1);
}

const wire::Table* TServerMethods1Client::Tahsilat(std::int32_t idnosu) {
    Command& c = prepare(27);
    execute(c, {wire::Value::int32(idnosu)});
    return resultTable(c, 1);
}

std::int32_t TServerMethods1Client::SanalposSiranoVer(std::int32_t idnosu) {
    Command& c = prepare(28);
    execute(c, {wire::Value::int32(idnosu)});
    return resultAt(c, 1).asInt32();
}

const std::string* TServerMethods1Client::SAnalPosPdfVer(std::int32_t sirano, std::int64_t& boy) {
    Command& c = prepare(29);
    execute(c, {wire::Value::int32(sirano), wire::Value()});
    boy = outInt64(c, 1);
    return resultStream(c, 2);
}

const wire::Table* TServerMethods1Client::CariAra(std::unique_ptr<TSonucBilgisi> bil, const QString& aranan) {
    Command& c = prepare(30);
    execute(c, {objectArg(std::move(bil)), textArg(aranan)});
    return resultTable(c, 2);
}

std::int32_t TServerMethods1Client::SepetSayisi(std::unique_ptr<TSonucBilgisi> bil) {
    Command& c = prepare(31);
    execute(c, {objectArg(std::move(bil))});
    return resultAt(c, 1).asInt32();
}

TTusSonuclari* TServerMethods1Client::TusSonuclariVer(std::unique_ptr<TSonucBilgisi> bil) {
    Command& c = prepare(32);
    execute(c, {objectArg(std::move(bil))});
    return resultObject<TTusSonuclari>(c, 1);
}

const wire::Table* TServerMethods1Client::CariSepetVer(std::unique_ptr<TSonucBilgisi> bil, std::int32_t n) {
    Command& c = prepare(33);
    execute(c, {objectArg(std::move(bil)), wire::Value::int32(n)});
    return resultTable(c, 2);
}

const std::string* TServerMethods1Client::RaporGetir(std::int32_t raporno, std::int32_t bolum,
                                                     std::int32_t idno, std::int32_t carino,
                                                     const QString& saticiadi, double tarih1, double tarih2,
                                                     std::int64_t& size) {
    Command& c = prepare(34);
    execute(c, {wire::Value::int32(raporno), wire::Value::int32(bolum), wire::Value::int32(idno),
                wire::Value::int32(carino), textArg(saticiadi), wire::Value::real(tarih1),
                wire::Value::real(tarih2), wire::Value()});
    size = outInt64(c, 7);
    return resultStream(c, 8);
}

QString TServerMethods1Client::CariDurumVer(std::int32_t carino) {
    Command& c = prepare(35);
    execute(c, {wire::Value::int32(carino)});
    return QString::fromUtf8(resultAt(c, 1).asText());
}

QString TServerMethods1Client::CariVadeGunGecmismiBul(std::int32_t carino) {
    Command& c = prepare(36);
    execute(c, {wire::Value::int32(carino)});
    return QString::fromUtf8(resultAt(c, 1).asText());
}

const wire::Table* TServerMethods1Client::RaporAlinanSiparisler(std::unique_ptr<TSonucBilgisi> bilgi,
                                                                double tarih1, double tarih2) {
    Command& c = prepare(37);
    execute(c, {objectArg(std::move(bilgi)), wire::Value::real(tarih1), wire::Value::real(tarih2)});
    return resultTable(c, 3);
}

const wire::Table* TServerMethods1Client::RaporEnCokSatilanStoklar(std::unique_ptr<TSonucBilgisi> bilgi,
                                                                   double tarih1, double tarih2) {
    Command& c = prepare(38);
    execute(c, {objectArg(std::move(bilgi)), wire::Value::real(tarih1), wire::Value::real(tarih2)});
    return resultTable(c, 3);
}

const wire::Table* TServerMethods1Client::BalonGetir(std::unique_ptr<TSonucBilgisi> bil) {
    Command& c = prepare(39);
    execute(c, {objectArg(std::move(bil))});
    return resultTable(c, 1);
}

TAcilisEkranlariki* TServerMethods1Client::AcilisEkranlarVer2() {
    Command& c = prepare(40);
    execute(c, {});
    return resultObject<TAcilisEkranlariki>(c, 0);
}

QString TServerMethods1Client::KayanYaziGetir() {
    Command& c = prepare(41);
    execute(c, {});
    return QString::fromUtf8(resultAt(c, 0).asText());
}

const std::string* TServerMethods1Client::BannerResimVer(std::int64_t& size) {
    Command& c = prepare(42);
    execute(c, {wire::Value()});
    size = outInt64(c, 0);
    return resultStream(c, 1);
}

const std::string* TServerMethods1Client::BannerResimVer2(std::int64_t& size) {
    Command& c = prepare(43);
    execute(c, {wire::Value()});
    size = outInt64(c, 0);
    return resultStream(c, 1);
}

const std::string* TServerMethods1Client::BannerResimVer3(std::int64_t& size) {
    Command& c = prepare(44);
    execute(c, {wire::Value()});
    size = outInt64(c, 0);
    return resultStream(c, 1);
}

std::int32_t TServerMethods1Client::AcilisReklamAdet() {
    Command& c = prepare(45);
    execute(c, {});
    return resultAt(c, 0).asInt32();
}

TAcilisEkran* TServerMethods1Client::AcilisREklamVer(std::int32_t sira) {
    Command& c = prepare(46);
    execute(c, {wire::Value::int32(sira)});
    return resultObject<TAcilisEkran>(c, 1);
}

TMobilCariBilgisi* TServerMethods1Client::MobilCariBilgisiGetir(std::int32_t sirano, const QString& _idsi) {
    Command& c = prepare(47);
    execute(c, {wire::Value::int32(sirano), textArg(_idsi)});
    return resultObject<TMobilCariBilgisi>(c, 2);
}

std::int32_t TServerMethods1Client::MailGonserCari(
    const QString& idsi, const QString& baslik, const QString& firmaadi, const QString& adres1,
    const QString& adres2, const QString& ilce, const QString& sehir, const QString& telefon,
    const QString& fax, const QString& vd, const QString& vn, const QString& yetkili,
    const QString& kullaniciadi, const QString& sifre, const QString& mail, const QString& kargoambar) {
    Command& c = prepare(48);
    execute(c, {textArg(idsi), textArg(baslik), textArg(firmaadi), textArg(adres1), textArg(adres2),
                textArg(ilce), textArg(sehir), textArg(telefon), textArg(fax), textArg(vd), textArg(vn),
                textArg(yetkili), textArg(kullaniciadi), textArg(sifre), textArg(mail), textArg(kargoambar)});
    return resultAt(c, 16).asInt32();
}

std::int32_t TServerMethods1Client::MailGonserCariNormal(
    const QString& idsi, const QString& baslik, const QString& firmaadi, const QString& adres1,
    const QString& adres2, const QString& ilce, const QString& sehir, const QString& telefon,
    const QString& fax, const QString& vd, const QString& vn, const QString& yetkili,
    const QString& kullaniciadi, const QString& sifre, const QString& mail, const QString& kargoambar,
    const QString& konu) {
    Command& c = prepare(49);
    execute(c, {textArg(idsi), textArg(baslik), textArg(firmaadi), textArg(adres1), textArg(adres2),
                textArg(ilce), textArg(sehir), textArg(telefon), textArg(fax), textArg(vd), textArg(vn),
                textArg(yetkili), textArg(kullaniciadi), textArg(sifre), textArg(mail), textArg(kargoambar),
                textArg(konu)});
    return resultAt(c, 17).asInt32();
}
std::optional<QByteArray> readStream(const std::string* stream, std::int64_t announced) {
    if (announced <= 0 || stream == nullptr) return std::nullopt;
    if (static_cast<std::uint64_t>(announced) != stream->size()) return std::nullopt;
    return QByteArray(stream->data(), static_cast<qsizetype>(stream->size()));
}

void loadTable(data::MemTable& target, const wire::Table* source) {
    if (source == nullptr) throw wire::Error("no table to load");
    target.load(*source);
}

} // namespace remote
