#pragma once
// The stock list page: the search box's behaviour, the background search, the stock grid with
// its two column layouts and price summary cell, and the row commands (add to the cart, order
// lines, stock movements).

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <memory>

#include "grid/DataGrid.h"
#include "session/PageLoad.h"

class TSonucBilgisi;

namespace data {
class MemTable;
}
namespace remote {
class Connection;
}
namespace session {
struct MainContext;
}

namespace catalogue {

class StockListPage : public QObject {
    Q_OBJECT
public:
    StockListPage(session::MainContext& ctx, QWidget* page);
    ~StockListPage() override;

    // The background step of a search: asks StokAraGetirTarvo on the open connection and
    // loads the answer into stok. Returns true when the search failed (also for an answer
    // without IND1). Any thread; the table must not be shown meanwhile.
    static bool StokListesiAl(remote::Connection& connection, const QString& kod, const TSonucBilgisi& bilgi,
                              data::MemTable& stok);

    // Handlers.
    bool araeditKeyPress(QChar key);  // true when the key was handled here
    void aramaBaslat();               // Enter in the search box
    void SpeedButton2Click();         // "Ara"
    void SpeedButton1Click();         // "Temizle"
    void StokKolonlariDuzenle();
    void cxGrid1Resize();
    void cxGrid1DBTableView1DblClick();
    void S2Click();  // "Sepete Ekle"
    void S3Click();  // "Siparişleri Göster"
    void StokHareketleri1Click();
    // The login's adaptation to the customer type.
    void musteriTipiUygula(int musteriTipi);
    // Staff changed the customer: the list of the previous customer goes.
    void listeyiBosalt();

    // Draws the "Fiyat Bilgisi" cell.
    static void FiyatBilgisiCustomDrawCell(QPainter* painter, const QRect& rect, const grid::RowValues& row,
                                           const QStyleOptionViewItem& option);

    bool aramaSuruyor() const { return load_ && load_->running(); }

    grid::DataGrid* cxGrid1 = nullptr;
    QMenu* popstok = nullptr;
    QAction* S2 = nullptr;
    QAction* SiparisBakiyeleriniz1 = nullptr;
    QAction* S3 = nullptr;
    QAction* StokHareketleri1 = nullptr;
    QPointer<QLineEdit> araedit;
    QPointer<QAbstractButton> SpeedButton1;
    QPointer<QAbstractButton> SpeedButton2;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void aramaBitti(bool hata);
    void sayfayiGoster();
    int musteriTipi() const;
    int focusedStokNo() const;
    void setCaption(const QString& caption);

    session::MainContext& ctx_;
    QPointer<QWidget> page_;
    data::MemTable* stok_ = nullptr;
    std::unique_ptr<session::PageLoad> load_;
    int musteriTipi_ = -1;
};

// Builds the stock list into the page "sstoklistesi", wires the search box and buttons of the
// main window, registers the customer-type adaptation and provides startSearch and
// clearStockList. The page object lives as long as the page widget.
StockListPage* installStockList(session::MainContext& ctx);

}  // namespace catalogue
