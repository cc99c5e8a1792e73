#pragma once
// What the pages of the main window share, and the actions one page asks of another. Pages
// never call each other: the main window fills this record, each page installs the actions it
// provides, and a page calls an action only through here (an empty action is not available yet).

#include <QString>
#include <functional>
#include <vector>

class QLineEdit;
class QWidget;
class TSonucBilgisi;

namespace data {
class MemTable;
}
namespace remote {
class Connection;
}

namespace session {

struct MainContext {
    QWidget* window = nullptr;           // the main window: owner of dialogs
    TSonucBilgisi* sbilgi = nullptr;     // the session record, never replaced
    remote::Connection* bagc = nullptr;  // the shared connection; UI thread only, tasks clone it

    std::function<data::MemTable*(const QString& name)> table;        // "stok", "sepet", ...
    std::function<QWidget*(const QString& objectName)> page;          // "sstoklistesi", ...
    std::function<QWidget*(const QString& objectName)> busyIndicator; // "gifstokara", ...
    std::function<void(const QString& page, const QString& caption)> setPageCaption;
    std::function<QLineEdit*()> searchBox;
    QString ResimAdresi;  // picture base address ending in "resimgoster.ashx?id=", set by the login

    // Provided by the cart page.
    std::function<void(bool background)> SepetAl;           // reload the cart (synchronously unless background)
    std::function<bool(int stokno)> openCartLineForStock;   // the item is in the cart: open its line change
    // Provided by the stock list.
    std::function<void(const QString& text)> startSearch;   // put the text into the search box and search
    std::function<void()> clearStockList;
    // Provided by the balances pages.
    std::function<void(int stokno)> showOrderLinesOfStock;

    // Provided by the customer picker: shows it modally over owner; true when a customer was picked.
    std::function<bool(QWidget* owner)> pickCustomer;

    // Run by the login hand-off with the session record's customer type, in installation order.
    std::vector<std::function<void(int musteriTipi)>> customerTypeAdapters;

    // The start content after the login: one background task runs the header fill and then these
    // loaders one after the other, in installation order (each finishes before the next starts;
    // a loader touches widgets only through session::runOnUiThread). An error escaping a loader
    // ends the task: the remaining loaders do not run and the error is shown afterwards.
    std::vector<std::function<void()>> startLoaders;
    // Run on the user-interface thread once the start loaders have finished, in installation order.
    std::vector<std::function<void()>> startFinishers;
};

}  // namespace session
