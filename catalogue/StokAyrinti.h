#pragma once
// Opening the stock detail dialog for a catalogue row and adding the item to the cart.

#include <optional>

#include "catalogue/Pricing.h"
#include "catalogue/Tstokayarinti.h"

namespace data {
class MemTable;
}
namespace session {
struct MainContext;
}

namespace catalogue {

// The table of a catalogue page: "stok", "YENILER" or "kampstok".
QString sayfaTablosu(Tstokayarinti::Sayfa sayfa);

// Opens the dialog for the current row of the page's table (the caller has made the item's
// row current) and adds the item on OK.
void StokAyrintiGoster(session::MainContext& ctx, Tstokayarinti::Sayfa sayfa, int stokno);

// Sends the current row of the table to the cart with SepetEkle2 over the main connection and
// reloads the cart when the server answers 1. Returns the server's answer, or nothing when
// the connection could not be opened or the call failed (its error is shown).
std::optional<int> SepeteEkle(session::MainContext& ctx, const data::MemTable& table, double miktar, double fiyat,
                              const Indirimler& d);

// Reloads the cart: the cart page's SepetAl when it is installed, otherwise the cart table
// straight from SepetVer2.
void sepetiYenile(session::MainContext& ctx);

}  // namespace catalogue
