#pragma once
// The request form window: the company's web request form in an embedded browser, with
// "Kapat" at the bottom. The opener sets the caption and the address. A build without an
// embedded browser opens the address in the system browser and says so in the window.

#include <QDialog>
#include <QString>

class QPushButton;

namespace notices {

class Tformistekyeni final : public QDialog {
    Q_OBJECT
public:
    explicit Tformistekyeni(QWidget* parent = nullptr);
    ~Tformistekyeni() override;

    // Lets the browser open the address.
    void acAdres(const QString& address);
    QString address() const { return address_; }
    // True when the program has an embedded browser.
    static bool hasEmbeddedBrowser();

    void Button1Click();  // "Kapat"

    QWidget* sitem = nullptr;  // the browser (or, without one, a note where the form opened)
    QPushButton* Button1 = nullptr;

private:
    QString address_;
};

}  // namespace notices
