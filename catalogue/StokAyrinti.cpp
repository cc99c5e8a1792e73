#include "catalogue/StokAyrinti.h"
#include "session/Utilities.h"

#include <cmath>

#include "catalogue/ResimYukle.h"
#include "data/MemTable.h"
#include "data/NumberFormat.h"
#include "platform/Services.h"
#include "remote/Connection.h"
#include "remote/ServerMethods.h"
#include "session/MainContext.h"

namespace catalogue {

namespace {

void showError(const QString& text) {
    session::MesajGoster(text, session::MsgKind::Error, platform::kOk, session::MsgButton::OK);
}

std::unique_ptr<TSonucBilgisi> sessionCopy(const session::MainContext& ctx) {
    auto copy = std::make_unique<TSonucBilgisi>();
    if (ctx.sbilgi) copy->Kopyala(*ctx.sbilgi);
    return copy;
}

}  // namespace

QString sayfaTablosu(Tstokayarinti::Sayfa sayfa) {
    switch (sayfa) {
    case Tstokayarinti::Sayfa::YeniUrunler: return QStringLiteral("YENILER");
    case Tstokayarinti::Sayfa::KampanyaliUrunler: return QStringLiteral("kampstok");
    case Tstokayarinti::Sayfa::SepetSatiri: return QStringLiteral("sepet");
    case Tstokayarinti::Sayfa::StokListesi: break;
    }
    return QStringLiteral("stok");
}

void StokAyrintiGoster(session::MainContext& ctx, Tstokayarinti::Sayfa sayfa, int stokno) {
    data::MemTable* table = ctx.table ? ctx.table(sayfaTablosu(sayfa)) : nullptr;
    if (!table || !table->active() || table->isEmpty()) return;
    auto d = Tstokayarinti::Ac(ctx.window, stokno);
    // Filled before the picture loads: a failed load shows a box, and the table must still be
    // on the item's row when the dialog reads it.
    d->fillFromStockRow(*table, sayfa, ctx.sbilgi ? ctx.sbilgi->MusteriTipi() : 0);
    d->resimAdresi = ctx.ResimAdresi;
    if (ctx.bagc) ResimYukle(*ctx.bagc, stokno, d->Image1);
    const std::optional<Tstokayarinti::Onay> onay = d->calistir();
    d.reset();
    if (onay) SepeteEkle(ctx, *table, onay->miktar, onay->fiyat, onay->indirimler);
}

std::optional<int> SepeteEkle(session::MainContext& ctx, const data::MemTable& table, double miktar, double fiyat,
                              const Indirimler& d) {
    if (!ctx.bagc || !ctx.sbilgi) return std::nullopt;
    std::unique_ptr<TSonucBilgisi> bilgim = sessionCopy(ctx);
    if (!remote::BaglantiKur(*ctx.bagc, 1)) return std::nullopt;
    std::optional<int> sonuc;
    try {
        remote::TServerMethods1Client proxy(*ctx.bagc);
        // KDV travels as a whole number, halves to even (the default rounding mode).
        const double kdv = std::nearbyint(data::cellToFloat(table.value("KDV")));
        sonuc = proxy.SepetEkle2(std::move(bilgim), ctx.sbilgi->CARINO(),
                                 static_cast<std::int32_t>(data::cellToInteger(table.value("STOK_STOKNO"))),
                                 QString::fromStdString(data::cellToString(table.value("BARKOD"))),
                                 QString::fromStdString(data::cellToString(table.value("ADI"))), miktar, kdv, fiyat, d[0],
                                 ctx.sbilgi->Sirano(), static_cast<std::int32_t>(data::cellToInteger(table.value("K"))),
                                 d[1], d[2], d[3]);
    } catch (const std::exception& e) {
        ctx.bagc->close();
        showError(QString::fromUtf8(e.what()));
        return std::nullopt;
    }
    ctx.bagc->close();
    if (sonuc == 1) sepetiYenile(ctx);
    return sonuc;
}

void sepetiYenile(session::MainContext& ctx) {
    if (ctx.SepetAl) {
        ctx.SepetAl(false);
        return;
    }
    data::MemTable* sepet = ctx.table ? ctx.table(QStringLiteral("sepet")) : nullptr;
    if (!sepet || !ctx.bagc || !ctx.sbilgi) return;
    if (!remote::BaglantiKur(*ctx.bagc, 1)) return;
    sepet->disableControls();
    try {
        remote::TServerMethods1Client proxy(*ctx.bagc);
        remote::loadTable(*sepet, proxy.SepetVer2(ctx.sbilgi->CARINO()));
        session::SayiBicimiAyarla(*sepet);
        sepet->enableControls();
    } catch (const std::exception& e) {
        sepet->enableControls();
        ctx.bagc->close();
        showError(QString::fromUtf8(e.what()));
        return;
    }
    ctx.bagc->close();
}

}  // namespace catalogue
