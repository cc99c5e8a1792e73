#pragma once
// "Stok Hareketleri": the movements of one item for the current customer, read-only.

#include <QDialog>
#include <QPushButton>
#include <memory>

#include "data/MemTable.h"
#include "grid/DataGrid.h"

namespace session {
struct MainContext;
}
namespace wire {
struct Table;
}

namespace catalogue {

class Thareket_stok : public QDialog {
    Q_OBJECT
public:
    // Creates the window and loads the movements into har.
    static std::unique_ptr<Thareket_stok> Ac(QWidget* AOwner, const wire::Table& _data);

    void Button1Click();

    data::MemTable har{"har"};
    grid::DataGrid* cxGrid1 = nullptr;
    QPushButton* Button1 = nullptr;

private:
    explicit Thareket_stok(QWidget* AOwner);
};

// The grid columns of the movements window, in order.
QVector<grid::GridColumn> hareketKolonlari();

// Asks StokHareketVer on a copy of the main connection and shows the window modally. No window
// when the connection cannot be opened (the retry's own boxes only) or the call fails (its
// error is shown).
void StokHareketleriGoster(session::MainContext& ctx, int stokno);

}  // namespace catalogue
