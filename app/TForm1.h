#pragma once
// The main window: header, search bar, the nine pages, status legend and bottom strip, the
// general menu and the close confirmation. It owns the session record and the page tables.

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <vector>

#include "app/BusyIndicator.h"
#include "app/PageControl.h"
#include "data/MemTable.h"
#include "remote/Connection.h"
#include "session/MainContext.h"
#include "session/records/Records.h"

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window and runs FormCreate. The login hand-off is GirisYap, called by the
    // program entry right after construction.
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Start-up and handlers.
    void FormCreate();
    // The login hand-off: shows the login window and prepares the window for the user. Returns
    // only when the user is in (otherwise the process has been ended).
    void GirisYap();
    // Shows and hides what the customer type decides, then runs the pages' adapters.
    void adaptToCustomerType(int musteriTipi);
    // Starts the start content: the header, then the start loaders, on one background task.
    void startStartContent();
    // Fills the header labels from the session record.
    void AnaBilgiAl();
    // The close question; true lets the window close. "Evet" ends the process at once.
    bool FormCloseQuery();
    void websitesi1Click();
    void G1Click();

    // Pages by object name ("sstoklistesi", "ssepet", ...); nullptr for an unknown name.
    QWidget* page(const QString& objectName) const;
    int pageIndex(const QString& objectName) const;
    QStringList pageNames() const;
    void showPage(const QString& objectName);
    // Sets a tab caption ("3=Sepet" or "Sepet") and the tab's accessible name.
    void setPageCaption(const QString& objectName, const QString& caption);
    QString pageCaption(const QString& objectName) const;

    // Busy indicators by object name ("gifstokara", "gifsepet", ...); nullptr when unknown.
    BusyIndicator* busyIndicator(const QString& objectName) const;
    // Page tables by name ("stok", "sepet", "ONCEKILER", "EKSTRE", "YENILER", "kampstok").
    data::MemTable* table(const QString& name);

    // State.
    TSonucBilgisi sbilgi;  // the session record; never replaced
    int _acilisadet = 0;   // opening advertisements announced by the server
    remote::Connection bagc;  // the shared connection; UI thread only, background tasks clone it
    // What the pages share and the actions they offer one another; filled by the constructor.
    session::MainContext context;

    // Page tables.
    data::MemTable stok{"stok"};
    data::MemTable sepet{"sepet"};
    data::MemTable ONCEKILER{"ONCEKILER"};
    data::MemTable EKSTRE{"EKSTRE"};
    data::MemTable YENILER{"YENILER"};
    data::MemTable kampstok{"kampstok"};

    // Header.
    QLabel* Image1 = nullptr;          // company logo, 402 x 100
    QLabel* kullanicilbl = nullptr;
    QLabel* cariadilbl = nullptr;
    QLabel* saticilbl = nullptr;
    QLabel* RxGIFAnimator1 = nullptr;  // main banner, 409 x 100, stretched
    QToolButton* Button3 = nullptr;    // split button of the general menu
    QMenu* Genelmenu = nullptr;
    QAction* M1 = nullptr;             // "Mail Gönder"
    QAction* N4 = nullptr;             // "Şifre Değiştirme İsteği"
    QAction* websitesi1 = nullptr;     // the company web address
    QAction* G1 = nullptr;             // "Çıkış"
    QAction* R1 = nullptr;             // "Raporlar", hidden until a sales login
    QLabel* RxGIFAnimator2 = nullptr;  // upper banner strip, height 0 until loaded

    // Search bar.
    QLabel* searchIcon = nullptr;
    QLineEdit* araedit = nullptr;
    QToolButton* SpeedButton2 = nullptr;  // "Ara"
    QToolButton* SpeedButton1 = nullptr;  // "Temizle"
    QPushButton* musteritus = nullptr;    // "Başka Cari Seç", hidden at start
    BusyIndicator* gifstokara = nullptr;
    BusyIndicator* gifsepet = nullptr;
    BusyIndicator* gifoncekiler = nullptr;
    BusyIndicator* gifekstre = nullptr;
    BusyIndicator* gifyeniler = nullptr;
    BusyIndicator* gifkampanyali = nullptr;
    BusyIndicator* gifduyuru = nullptr;

    // Pages.
    PageControl* sPageControl1 = nullptr;
    QWidget* sstoklistesi = nullptr;
    QWidget* ssepet = nullptr;
    QWidget* sonceki = nullptr;
    QWidget* sccariekstre = nullptr;
    QWidget* syeniler = nullptr;
    QWidget* skampanyali = nullptr;
    QWidget* sTabSheetduyuru = nullptr;
    QWidget* sTabbakiyeler = nullptr;
    QWidget* ss = nullptr;

    // Status legend and bottom strip.
    QWidget* legend = nullptr;
    QWidget* bottomStrip = nullptr;
    QLabel* Image3 = nullptr;     // picture band above the scrolling text, hidden until loaded
    QLabel* kayanyazi = nullptr;  // the scrolling text

signals:
    // The start content has finished (its loaders ran and its finishers were called).
    void startContentFinished();
    // A page became the current page (its show handler runs here).
    void pageShown(QWidget* page);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildHeader(QVBoxLayout* root);
    void buildSearchBar(QVBoxLayout* root);
    void buildPages(QVBoxLayout* root);
    void buildLegend(QVBoxLayout* root);
    void buildBottomStrip(QVBoxLayout* root);
    void buildMenu();
    void fillContext();
    // Builds the feature pages into their page widgets and lets them register their actions.
    void installPages();
    BusyIndicator* addBusyIndicator(QHBoxLayout* row, const char* name);

    std::vector<BusyIndicator*> busy_;
};
