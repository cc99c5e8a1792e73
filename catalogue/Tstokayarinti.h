#pragma once
// The stock detail dialog ("Sepete Ekle"): the item's codes and pictures, its unit price and
// four cascaded discount rates, and a quantity; it recalculates the discount, the
// VAT-inclusive unit price and the total as the user types. The catalogue pages open it to
// add an item to the cart; the cart opens it to change one of its lines.
//
// Use:
//   auto d = Tstokayarinti::Ac(owner, stokno);
//   ResimYukle(bagc, stokno, d->Image1);
//   d->fillFromStockRow(stok, Tstokayarinti::Sayfa::StokListesi, musteriTipi);   // or fillFromCartLine(sepet, ...)
//   d->resimAdresi = ResimAdresi;
//   if (auto onay = d->calistir()) { ... onay->miktar, onay->fiyat, onay->indirimler ... }
//
// The dialog closes with OK only for a quantity that is a whole number from 1 to 10000; any
// other quantity is refused with a message and the dialog stays open, so a confirmed result
// always carries the quantity the recalculation used.

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <memory>
#include <optional>

#include "catalogue/AmountBox.h"
#include "catalogue/PictureView.h"
#include "catalogue/Pricing.h"
#include "catalogue/QuantityBox.h"
#include "catalogue/TAsyncResim.h"

namespace data {
class MemTable;
}

namespace catalogue {

class Tstokayarinti : public QDialog {
    Q_OBJECT
public:
    // The page the dialog is opened from; it decides captions and the discount panel.
    enum class Sayfa { StokListesi, YeniUrunler, KampanyaliUrunler, SepetSatiri };

    // What the user confirmed.
    struct Onay {
        double miktar = 0;
        double fiyat = 0;
        Indirimler indirimler{};
    };

    static std::unique_ptr<Tstokayarinti> Ac(QWidget* AOwner, int _stokno);
    ~Tstokayarinti() override;

    // Fills labels, VAT rate, price, discounts and captions from the table's current row of a
    // catalogue page (fields STOK_STOKNO, BARKOD, ADI, MARKA, FINISHKOD, MODEL, KDV, K, FIYAT,
    // IND1..IND4, INDIRIMYAZI), with the staff rights of the customer type.
    void fillFromStockRow(const data::MemTable& table, Sayfa sayfa, int musteriTipi);
    // Fills the dialog from the current line of the cart (fields BARKOD, STOKADI, MARKA,
    // FINISHKOD, MODEL, KDV, INDIRIMORANI1..4, BIRIMFIYAT, MIKTAR) for a line change.
    void fillFromCartLine(const data::MemTable& sepet, int musteriTipi);

    // Makes price and discounts editable (staff), and shows the discount panel if asked.
    void setPersonelDuzenlemesi(bool editable, bool showDiscountPanel);

    // Shows the dialog modally (through catalogue::execModal); the confirmed values on OK.
    std::optional<Onay> calistir();
    // The values on the dialog now, with the quantity read for sending (nothing when the
    // quantity text is not acceptable; the reason in *hata).
    std::optional<Onay> okunanDegerler(QString* hata = nullptr) const;

    // Handlers.
    void FormShow();
    void FormActivate();
    void adetChange();
    void ParcaliTus1Click();
    void ParcaliTus2Click();
    // Operations.
    void TutarlariHesapla();
    void KdvCikar();
    Indirimler indirimler() const;

    // Fields.
    int stokno = 0;
    double kdvoran = 0;
    QString resimAdresi;  // picture base address, "...resimgoster.ashx?id="

    // Controls.
    QLabel* barkod = nullptr;
    QLabel* adi = nullptr;
    QLabel* finishkod = nullptr;
    QLabel* marka = nullptr;
    QLabel* model = nullptr;
    PictureView* Image1 = nullptr;
    TAsyncResim* AsyncResim1 = nullptr;
    QWidget* GridPanel2 = nullptr;
    AmountBox* edindirim1 = nullptr;
    AmountBox* edindirim2 = nullptr;
    AmountBox* edindirim3 = nullptr;
    AmountBox* edindirim4 = nullptr;
    QuantityBox* adet = nullptr;
    QLabel* Label2 = nullptr;
    AmountBox* birimfiyat = nullptr;
    QLabel* indirimoran = nullptr;
    AmountBox* indtutar = nullptr;
    QLabel* kdvdahilLabel = nullptr;
    AmountBox* kdvdahiltutar = nullptr;
    QLabel* tutarLabel = nullptr;
    AmountBox* geneltutar = nullptr;
    QPushButton* ParcaliTus1 = nullptr;
    QPushButton* ParcaliTus2 = nullptr;

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit Tstokayarinti(QWidget* AOwner);
    void build();
    bool shownOnce_ = false;
};

}  // namespace catalogue
