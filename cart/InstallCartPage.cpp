#include "cart/InstallCartPage.h"

#include <QPointer>
#include <QString>

#include "cart/CartPage.h"
#include "session/MainContext.h"

namespace cart {

CartPage* installCartPage(session::MainContext& ctx) {
    QWidget* page = ctx.page(QStringLiteral("ssepet"));
    data::MemTable* sepet = ctx.table(QStringLiteral("sepet"));
    if (!page || !sepet) return nullptr;
    auto* cart = new CartPage(ctx, page, sepet);
    QPointer<CartPage> guard(cart);
    ctx.SepetAl = [guard](bool background) {
        if (guard) guard->SepetAl(background);
    };
    ctx.openCartLineForStock = [guard](int stokno) { return guard && guard->openLineForStock(stokno); };
    ctx.customerTypeAdapters.push_back([guard](int musteriTipi) {
        if (guard) guard->adaptToCustomerType(musteriTipi);
    });
    return cart;
}

}  // namespace cart
