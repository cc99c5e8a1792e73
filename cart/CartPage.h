#pragma once
// The cart page "Sepet": the server-held cart of the current customer in a grid, its totals over
// the selected lines, selecting lines, changing and deleting lines, sending the selection as an
// order, the spreadsheet export and the overdue warning.
//
// While the page's background load runs, the page's own commands are refused (the grid and the
// buttons are disabled and every handler returns at once). The background fetch never writes
// the cart table: the table is replaced on the user-interface thread when the load completes,
// and only if no other reload (a synchronous SepetAl from another page) happened meanwhile and
// the customer is still the one the cart was fetched for.

#include <QLocale>
#include <QObject>
#include <memory>

#include "cart/CartTotals.h"

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QWidget;

namespace grid {
class DataGrid;
}
namespace session {
struct MainContext;
class PageLoad;
}

namespace cart {

class OverdueWarning;

class CartPage final : public QObject {
    Q_OBJECT
public:
    // Builds the page content into `page`; the page and the table must outlive it (it is a
    // child of the page).
    CartPage(session::MainContext& ctx, QWidget* page, data::MemTable* sepet);
    ~CartPage() override;

    // --- loading, totals, selection ---
    void ssepetShow();
    // Reloads the cart: in the background as the page's load, or synchronously (then the
    // totals are recomputed at once). An error of the synchronous fetch propagates.
    void SepetAl(bool background = false);
    void SepetToplamHesapla();
    bool SepetSecimYaz(int sirano, int secim);
    void Button4Click();  // "Hepsini Seç"
    void Button5Click();  // "Seçimleri Kaldır"
    void Button2Click();  // "Excel Kaydet"
    void cxGrid2Resize();
    // Toggles the SEC flag of the current line.
    void toggleCurrentLine();
    bool loading() const;

    // --- line editing ---
    void Deitir1Click();
    void cxGridDBTableView1DblClick();
    void SatrSil1Click();
    void HepsiniSil1Click();
    // Changes the current line of the cart (which must have this SIRANO) through the stock
    // detail dialog; on OK sends the change and reloads the cart.
    void SepetSatirDegistir(int sirano);
    void SepetSatirGuncelle(const SepetSatiri& line, double miktar, double fiyat);
    // The cart line of a stock, if the cart holds one: opens its change. False when not in the cart.
    bool openLineForStock(int stokno);

    // --- order ---
    void Button1Click();  // "Gönder"
    bool SiparisGonder(int kn, int kt, const QString& aciklama, int td);

    // --- overdue warning ---
    void CariBakiyeUyariBak();
    const OverdueWarning& overdueWarning() const { return *overdue_; }

    // The customer type adaptation of the columns.
    void adaptToCustomerType(int musteriTipi);
    // Locale of numbers shown and typed (the user's locale by default).
    void setLocale(const QLocale& locale);

    // Controls.
    grid::DataGrid* cxGrid2 = nullptr;
    QWidget* panelsec = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QLabel* lbluyarbakiye = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* aratoplaml = nullptr;
    QLabel* indiriml = nullptr;
    QLabel* nettutarl = nullptr;
    QLabel* vergil = nullptr;
    QLabel* geneltoplaml = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Deitir1 = nullptr;
    QAction* SatrSil1 = nullptr;
    QAction* HepsiniSil1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Fetch;
    void build(QWidget* page);
    void declareColumns();
    void finishLoad(bool failed);
    void loadNow();
    void setCaption();
    void setAllSelections(int secim);
    bool focusedLineCurrent(int& sirano);
    double roundTwo(double x) const;
    QString formatAmount(double x) const;

    session::MainContext& ctx_;
    QWidget* page_;
    data::MemTable* sepet_;
    std::unique_ptr<session::PageLoad> load_;
    std::shared_ptr<Fetch> fetch_;  // the running background fetch
    unsigned tableGeneration_ = 0;  // counts replacements of the table's content
    std::unique_ptr<OverdueWarning> overdue_;
    QLocale locale_;
};

}  // namespace cart
