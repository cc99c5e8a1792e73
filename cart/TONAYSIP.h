#pragma once
// The order confirmation window "Sipariş Onay": who orders for which customer and for what
// amount, the overdue warning, the delivery kind, cargo kind and cargo company, and a message.

#include <QDialog>
#include <QString>

#include "data/MemTable.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class TSonucBilgisi;

namespace remote {
class Connection;
}

namespace cart {

class RadioGroup;

// The summary of the window: three lines with 11-character prefixes so the values line up in a
// fixed-pitch font.
QString siparisOzeti(const QString& adi, const QString& cariAdi, const QString& toplam);

class TONAYSIP final : public QDialog {
    Q_OBJECT
public:
    // Builds the window, fills the summary and the warning, and loads the delivery and cargo
    // kinds (an error of those calls propagates). The caller owns the window.
    static TONAYSIP* Ac(QWidget* AOwner, remote::Connection& _c, const QString& mesaj, TSonucBilgisi& _sbilgi,
                        const QString& _toplam);

    void boxkargoClick();     // a cargo kind chosen
    void kargocomboChange();  // a company chosen
    void Button1Click();      // "Evet"

    // Valid after "Evet" closed the window as accepted.
    int td = 0;  // delivery kind
    int kt = 0;  // cargo kind
    int KN = 0;  // cargo company (its SIRANO)

    RadioGroup* teslimbox = nullptr;
    RadioGroup* boxkargo = nullptr;
    QGroupBox* kargoGroup = nullptr;
    QComboBox* kargocombo = nullptr;
    QLabel* uyarikargo = nullptr;
    QPlainTextEdit* aciklamagir = nullptr;
    QLabel* Label2 = nullptr;  // summary
    QLabel* Label3 = nullptr;  // overdue warning
    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;  // "Evet"
    QPushButton* Button2 = nullptr;  // "Hayır"

    data::MemTable kargo{"kargo"};  // companies of the chosen cargo kind: ADI, SIRANO, UYARI

private:
    TONAYSIP(QWidget* owner, remote::Connection& c, TSonucBilgisi& sbilgi, const QString& toplam);
    void build();
    void loadKinds();

    remote::Connection& bagc;
    TSonucBilgisi& sbilgi;
    QString toplam;
};

}  // namespace cart
