#pragma once
// Builds the cart page into the main window's page "ssepet" over the table "sepet" and fills
// the actions the cart provides to the other pages (SepetAl, openCartLineForStock) and its
// customer type adaptation.

namespace session {
struct MainContext;
}

namespace cart {

class CartPage;

CartPage* installCartPage(session::MainContext& ctx);

}  // namespace cart
