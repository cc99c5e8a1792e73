#include "app/TForm1.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QPainter>
#include <QUrl>

#include "app/AppStyle.h"
#include "app/TabDrawing.h"
#include "grid/Icons.h"
#include "platform/MessageDialog.h"
#include "session/Endpoints.h"
#include "session/Utilities.h"

// The pictures live in this static library; make sure they are linked in.
static void initPictures() { Q_INIT_RESOURCE(pictures); }

namespace {

struct PageInfo {
    const char* name;
    const char* caption;
    const char* icon;  // picture in the resources
};

// In tab order.
const PageInfo kPages[] = {
    {"sstoklistesi", "Stok Listesi", ":/pictures/tab_stock.png"},
    {"ssepet", "Sepet", ":/pictures/tab_cart.png"},
    {"sonceki", "Önceki Siparişler", ":/pictures/tab_orders.png"},
    {"sccariekstre", "Cari Ekstre", ":/pictures/tab_statement.png"},
    {"syeniler", "Yeni Stoklar", ":/pictures/tab_new.png"},
    {"skampanyali", "Kampanyalı Stoklar", ":/pictures/tab_campaign.png"},
    {"sTabSheetduyuru", "Duyurular", ":/pictures/tab_notices.png"},
    {"sTabbakiyeler", "Bakiyeler", ":/pictures/tab_balances.png"},
    {"ss", "Sanal Pos", ":/pictures/tab_pos.png"},
};

QString u(const char* text) { return QString::fromUtf8(text); }

QLabel* captionLabel(const char* text, QWidget* parent) {
    auto* l = new QLabel(u(text), parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QLabel* valueLabel(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A long representative line must not make the window wider than the screen.
    l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    l->setMinimumWidth(0);
    return l;
}

QString q(const std::string& s) { return QString::fromStdString(s); }

// Typed letters become upper case the Turkish way (i -> İ), keeping the cursor.
void makeUpperCase(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString upper = QLocale(QLocale::Turkish, QLocale::Turkey).toUpper(text);
        if (upper == text) return;
        const int cursor = edit->cursorPosition();
        edit->setText(upper);
        edit->setCursorPosition(std::min<int>(cursor + int(upper.size() - text.size()), int(upper.size())));
    });
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    initPictures();
    setObjectName(QStringLiteral("Form1"));
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("clientArea"));
    auto* root = new QVBoxLayout(central);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    buildHeader(root);
    buildSearchBar(root);
    buildPages(root);
    buildLegend(root);
    buildBottomStrip(root);
    setCentralWidget(central);
    buildMenu();
    resize(1350, 652);
    araedit->setFocus();
    fillContext();
    setFocusProxy(araedit);
    FormCreate();
    installPages();
}

TForm1::~TForm1() = default;

void TForm1::buildHeader(QVBoxLayout* root) {
    auto* header = new QWidget(this);
    header->setObjectName(QStringLiteral("header"));
    header->setFixedHeight(100);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);

    Image1 = new QLabel(header);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(402, 100);
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/logo.png")));
    Image1->setAccessibleName(QStringLiteral("Korvel Otomotiv"));
    row->addWidget(Image1);

    auto* info = new QWidget(header);
    info->setObjectName(QStringLiteral("headerInfo"));
    auto* grid = new QGridLayout(info);
    grid->setContentsMargins(8, 10, 8, 10);
    grid->setHorizontalSpacing(2);
    kullanicilbl = valueLabel("kullanicilbl", info);
    cariadilbl = valueLabel("cariadilbl", info);
    saticilbl = valueLabel("saticilbl", info);
    grid->addWidget(captionLabel("Kullanıcı: ", info), 0, 0);
    grid->addWidget(kullanicilbl, 0, 1);
    grid->addWidget(captionLabel("Firma: ", info), 1, 0);
    grid->addWidget(cariadilbl, 1, 1);
    grid->addWidget(captionLabel("Temsilci: ", info), 2, 0);
    grid->addWidget(saticilbl, 2, 1);
    grid->setColumnStretch(1, 1);
    kullanicilbl->setAccessibleName(u("Kullanıcı"));
    cariadilbl->setAccessibleName(u("Firma"));
    saticilbl->setAccessibleName(u("Temsilci"));
    row->addWidget(info, 1);

    RxGIFAnimator1 = new QLabel(header);
    RxGIFAnimator1->setObjectName(QStringLiteral("RxGIFAnimator1"));
    RxGIFAnimator1->setFixedSize(409, 100);
    RxGIFAnimator1->setScaledContents(true);
    RxGIFAnimator1->setAccessibleName(QStringLiteral("Banner"));
    row->addWidget(RxGIFAnimator1);

    Button3 = new QToolButton(header);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setFixedSize(84, 94);
    Button3->setIcon(QIcon(QStringLiteral(":/pictures/menu.png")));
    Button3->setIconSize(QSize(48, 48));
    Button3->setPopupMode(QToolButton::MenuButtonPopup);
    Button3->setAccessibleName(u("Menü"));
    Button3->setToolTip(u("Menü"));
    Button3->setAccessibleDescription(u("Menü"));
    row->addWidget(Button3);
    root->addWidget(header);

    RxGIFAnimator2 = new QLabel(this);
    RxGIFAnimator2->setObjectName(QStringLiteral("RxGIFAnimator2"));
    RxGIFAnimator2->setFixedHeight(0);
    RxGIFAnimator2->setScaledContents(true);
    RxGIFAnimator2->setAccessibleName(QStringLiteral("Banner"));
    root->addWidget(RxGIFAnimator2);
}

BusyIndicator* TForm1::addBusyIndicator(QHBoxLayout* row, const char* name) {
    auto* b = new BusyIndicator(row->parentWidget());
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(u("Yükleniyor"));
    b->hide();
    row->addWidget(b);
    busy_.push_back(b);
    return b;
}

void TForm1::buildSearchBar(QVBoxLayout* root) {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("searchBar"));
    bar->setFixedHeight(35);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 1, 4, 1);
    row->setSpacing(4);

    searchIcon = new QLabel(bar);
    searchIcon->setObjectName(QStringLiteral("searchIcon"));
    searchIcon->setPixmap(QPixmap(QStringLiteral(":/pictures/magnifier.png")));
    searchIcon->setFixedSize(32, 32);
    row->addWidget(searchIcon);

    araedit = new QLineEdit(bar);
    araedit->setObjectName(QStringLiteral("araedit"));
    araedit->setFixedWidth(340);
    araedit->setFixedHeight(31);
    araedit->setFont(pixelFont("Tahoma", 20, false));
    araedit->setAccessibleName(QStringLiteral("Arama"));
    makeUpperCase(araedit);
    row->addWidget(araedit);

    SpeedButton2 = new QToolButton(bar);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setIcon(QIcon(QStringLiteral(":/pictures/search.png")));
    SpeedButton2->setIconSize(QSize(24, 24));
    SpeedButton2->setToolTip(QStringLiteral("Ara"));
    SpeedButton2->setAccessibleName(QStringLiteral("Ara"));
    SpeedButton2->setAccessibleDescription(QStringLiteral("Ara"));
    SpeedButton2->setAutoRaise(true);
    row->addWidget(SpeedButton2);

    SpeedButton1 = new QToolButton(bar);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setIcon(QIcon(QStringLiteral(":/pictures/clear.png")));
    SpeedButton1->setIconSize(QSize(24, 24));
    SpeedButton1->setToolTip(QStringLiteral("Temizle"));
    SpeedButton1->setAccessibleName(QStringLiteral("Temizle"));
    SpeedButton1->setAccessibleDescription(QStringLiteral("Temizle"));
    SpeedButton1->setAutoRaise(true);
    row->addWidget(SpeedButton1);

    musteritus = new QPushButton(u("Başka Cari Seç"), bar);
    musteritus->setObjectName(QStringLiteral("musteritus"));
    musteritus->setAccessibleName(u("Başka Cari Seç"));
    musteritus->hide();
    row->addWidget(musteritus);

    gifstokara = addBusyIndicator(row, "gifstokara");
    gifsepet = addBusyIndicator(row, "gifsepet");
    gifoncekiler = addBusyIndicator(row, "gifoncekiler");
    gifekstre = addBusyIndicator(row, "gifekstre");
    gifyeniler = addBusyIndicator(row, "gifyeniler");
    gifkampanyali = addBusyIndicator(row, "gifkampanyali");
    gifduyuru = addBusyIndicator(row, "gifduyuru");
    row->addStretch(1);
    root->addWidget(bar);
}

void TForm1::buildPages(QVBoxLayout* root) {
    sPageControl1 = new PageControl(QSize(120, 45), this);
    sPageControl1->setObjectName(QStringLiteral("sPageControl1"));
    sPageControl1->setAccessibleName(u("Sayfalar"));
    sPageControl1->setIconSize(QSize(24, 24));
    sPageControl1->setDocumentMode(false);
    QFont tabFont = pixelFont("Tahoma", 13, true);
    sPageControl1->tabBar()->setFont(tabFont);
    sPageControl1->tabBar()->setFocusPolicy(Qt::TabFocus);
    QWidget** pageSlots[] = {&sstoklistesi, &ssepet, &sonceki, &sccariekstre, &syeniler,
                         &skampanyali, &sTabSheetduyuru, &sTabbakiyeler, &ss};
    int i = 0;
    for (const PageInfo& info : kPages) {
        auto* page = new QWidget(sPageControl1);
        page->setObjectName(QString::fromLatin1(info.name));
        page->setAccessibleName(u(info.caption));
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(2, 2, 2, 2);
        layout->setSpacing(2);
        sPageControl1->addTab(page, QIcon(QString::fromLatin1(info.icon)), u(info.caption));
        sPageControl1->tabBar()->setAccessibleTabName(i, u(info.caption));
        *pageSlots[i++] = page;
    }
    sPageControl1->setCurrentWidget(sstoklistesi);
    connect(sPageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (QWidget* w = sPageControl1->widget(index)) emit pageShown(w);
    });
    root->addWidget(sPageControl1, 1);
}

void TForm1::buildLegend(QVBoxLayout* root) {
    legend = new QWidget(this);
    legend->setObjectName(QStringLiteral("durumAciklamasi"));
    legend->setFixedHeight(27);
    auto* row = new QHBoxLayout(legend);
    row->setContentsMargins(6, 0, 6, 0);
    row->setSpacing(2);
    QFont f = pixelFont("Tahoma", 11, true);
    QPalette pal = legend->palette();
    pal.setColor(QPalette::WindowText, QColor(0x43, 0x4C, 0x58));
    auto addText = [&](const QString& text) {
        auto* l = new QLabel(text, legend);
        l->setFont(f);
        l->setPalette(pal);
        row->addWidget(l);
        return l;
    };
    addText(u("Durum Açıklaması:    "));
    const struct {
        int code;
        const char* text;
    } entries[] = {{1, " Stok mevcut  "},     {2, " Telefon Açınız  "}, {3, " Yolda  "},
                   {5, " Tedarik Sürecinde "}, {4, " Özel Sipariş  "},  {0, " Yok  "}};
    for (const auto& e : entries) {
        auto* icon = new QLabel(legend);
        icon->setPixmap(grid::stockStatePixmap(e.code, 18));
        icon->setAccessibleName(u(e.text).trimmed());
        row->addWidget(icon);
        addText(u(e.text));
    }
    row->addStretch(1);
    root->addWidget(legend);
}

void TForm1::buildBottomStrip(QVBoxLayout* root) {
    Image3 = new QLabel(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setScaledContents(true);
    Image3->hide();
    root->addWidget(Image3);

    bottomStrip = new QWidget(this);
    bottomStrip->setObjectName(QStringLiteral("bottomStrip"));
    bottomStrip->setFixedHeight(40);
    auto* row = new QHBoxLayout(bottomStrip);
    row->setContentsMargins(4, 0, 4, 0);
    kayanyazi = new QLabel(bottomStrip);
    kayanyazi->setObjectName(QStringLiteral("kayanyazi"));
    kayanyazi->setFont(pixelFont("Arial", 24, false));
    kayanyazi->setAccessibleName(u("Kayan Yazı"));
    row->addWidget(kayanyazi, 1);
    root->addWidget(bottomStrip);
}

void TForm1::buildMenu() {
    Genelmenu = new QMenu(this);
    Genelmenu->setObjectName(QStringLiteral("Genelmenu"));
    auto add = [this](const char* name, const QString& text) {
        auto* a = Genelmenu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    M1 = add("M1", u("Mail Gönder"));
    Genelmenu->addSeparator();
    N4 = add("N4", u("Şifre Değiştirme İsteği"));
    Genelmenu->addSeparator();
    websitesi1 = add("websitesi1", QString());
    Genelmenu->addSeparator();
    G1 = add("G1", u("Çıkış"));
    Genelmenu->addSeparator();
    R1 = add("R1", u("Raporlar"));
    R1->setVisible(false);
    Button3->setMenu(Genelmenu);
    connect(websitesi1, &QAction::triggered, this, &TForm1::websitesi1Click);
    connect(G1, &QAction::triggered, this, &TForm1::G1Click);
}

void TForm1::FormCreate() {
    _acilisadet = 0;
    QApplication::setApplicationName(QStringLiteral("Korvel Otomotiv B2B"));
    setWindowTitle(u("Korvel Otomotiv B2B Programı"));
    platform::setMessageFontPixelSize(15);

    sbilgi = TSonucBilgisi();
    sbilgi.SetBilgiSayarAdi(session::BilgisayarAdiAl().toStdString());
    sbilgi.SetBilgisayarKullanici(session::KullaniciAdiAl().toStdString());
    sbilgi.SetIcip(session::IcIpAl().toStdString());
    sbilgi.SetBILGISAYARID(session::BilgisayarIdBul().toStdString());
    bagc.setPort(9090);

    websitesi1->setText(QString::fromUtf8(endpoints::kCompanyWeb));
}

void TForm1::fillContext() {
    context.window = this;
    context.sbilgi = &sbilgi;
    context.bagc = &bagc;
    context.table = [this](const QString& name) { return table(name); };
    context.page = [this](const QString& name) { return page(name); };
    context.busyIndicator = [this](const QString& name) -> QWidget* { return busyIndicator(name); };
    context.setPageCaption = [this](const QString& name, const QString& caption) { setPageCaption(name, caption); };
    context.searchBox = [this] { return araedit; };
}

void TForm1::AnaBilgiAl() {
    kullanicilbl->setText(q(sbilgi.ADI()));
    cariadilbl->setText(q(sbilgi.CariAdi()));
    saticilbl->setText(q(sbilgi.SaticiAdi()) + u(" Telefonu: ") + q(sbilgi.SaticiTelefon()) + u(" email: ") +
                       q(sbilgi.SaticiMail()));
}

bool TForm1::FormCloseQuery() {
    const int answer = session::MesajGoster(u("Programdan Çıkmak İstiyor musunuz ?"), session::MsgKind::Confirmation,
                                            platform::kYesNo, session::MsgButton::Yes);
    if (answer != platform::mrYes) return false;
    platform::services().exitProcess(0);
    return true;
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery()) event->accept();
    else event->ignore();
}

void TForm1::websitesi1Click() {
    platform::services().openUrl(QUrl(QString::fromUtf8(endpoints::kCompanyWeb)));
    araedit->selectAll();
    araedit->setFocus();
}

void TForm1::G1Click() { close(); }

QWidget* TForm1::page(const QString& objectName) const {
    for (int i = 0; i < sPageControl1->count(); ++i)
        if (sPageControl1->widget(i)->objectName() == objectName) return sPageControl1->widget(i);
    return nullptr;
}

int TForm1::pageIndex(const QString& objectName) const {
    QWidget* w = page(objectName);
    return w ? sPageControl1->indexOf(w) : -1;
}

QStringList TForm1::pageNames() const {
    QStringList out;
    for (int i = 0; i < sPageControl1->count(); ++i) out << sPageControl1->widget(i)->objectName();
    return out;
}

void TForm1::showPage(const QString& objectName) {
    if (QWidget* w = page(objectName)) sPageControl1->setCurrentWidget(w);
}

void TForm1::setPageCaption(const QString& objectName, const QString& caption) {
    const int index = pageIndex(objectName);
    if (index < 0) return;
    sPageControl1->setTabText(index, caption);
    const TSonuc parsed = parseTabCaption(caption);
    sPageControl1->tabBar()->setAccessibleTabName(
        index, parsed.sayi > 0 ? QStringLiteral("%1 (%2)").arg(parsed.baslik).arg(parsed.sayi) : parsed.baslik);
}

QString TForm1::pageCaption(const QString& objectName) const {
    const int index = pageIndex(objectName);
    return index < 0 ? QString() : sPageControl1->tabText(index);
}

BusyIndicator* TForm1::busyIndicator(const QString& objectName) const {
    for (BusyIndicator* b : busy_)
        if (b->objectName() == objectName) return b;
    return nullptr;
}

data::MemTable* TForm1::table(const QString& name) {
    for (data::MemTable* t : {&stok, &sepet, &ONCEKILER, &EKSTRE, &YENILER, &kampstok})
        if (QString::fromStdString(t->name()) == name) return t;
    return nullptr;
}
