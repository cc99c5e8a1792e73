#include "app/TForm1.h"
#include "cart/InstallCartPage.h"
#include "catalogue/StockListPage.h"

// Every feature page is installed here, once, before the login hand-off.
void TForm1::installPages() {
    catalogue::installStockList(context);
    cart::installCartPage(context);
}
