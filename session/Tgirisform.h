#pragma once
// The login window. It remembers the last user in ayar.ini, chooses the public or the LAN
// server by this computer's external address, asks the server for the user registered to this
// computer and checks the typed name and password against it. It closes with Accepted when the
// user may enter (Bilgim is then filled); every other way out either returns to the window
// after a message or ends the process through the exit service.

#include <QDialog>
#include <QString>
#include <functional>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class TSonucBilgisi;

namespace remote {
class Connection;
}

namespace session {

class Tgirisform final : public QDialog {
    Q_OBJECT
public:
    explicit Tgirisform(QWidget* parent = nullptr);
    ~Tgirisform() override;

    QString idsi;                        // this computer's ID, the login key
    remote::Connection* bagim = nullptr; // the main window's connection
    TSonucBilgisi* Bilgim = nullptr;     // the main window's session record

    // Shows the access request form (caption, address) modally; the main window provides it.
    // Without one the address goes to the system browser.
    std::function<void(const QString& caption, const QString& address)> openRequestForm;
    // Lets sales staff pick their customer; true when one was picked. Without one (or when
    // nothing was picked) the process ends.
    std::function<bool(Tgirisform& owner)> pickCustomer;

    // Handlers and steps.
    void FormCreate();
    void adiKeyDown(QKeyEvent* event);
    void sifreKeyDown(QKeyEvent* event);
    void Button1Click();
    void Button2Click();
    void Devamet(const QString& ip);
    void AyarOku();
    void AyarKaydet();
    // False when no customer was picked (the process has been told to end).
    bool CariSec();
    void GuncellemeAc();
    void IstekFormuAc(const QString& webRoot);
    // The login call on a copy of the connection (any thread): BuyukGetir with the computer
    // ID, then this computer's own identity over the server's. True when the server answered.
    static bool SunucuBilgisiAl(remote::Connection& copy, const QString& idsi, TSonucBilgisi& into);

    // ayar.ini in the settings folder.
    static QString settingsPath();

    // Controls.
    QLabel* contactLabel = nullptr;
    QCheckBox* benihatirla = nullptr;
    QLabel* Label1 = nullptr;  // " Kullanıcı Adı:"
    QLabel* Label2 = nullptr;  // " Şifre:"
    QLineEdit* adi = nullptr;
    QLineEdit* sifre = nullptr;
    QPushButton* Button1 = nullptr;  // "Giriş"
    QPushButton* Button2 = nullptr;  // "Vazgeç"
    QProgressBar* RxGIFAnimator1 = nullptr;  // busy, next to "Giriş"

signals:
    // A step of the login finished and the window is idle again or closing (for observers).
    void loginStepFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void loginAnswered(bool answered, const TSonucBilgisi& answer);
    void backToIdle();
    void endProcess();
};

}  // namespace session
