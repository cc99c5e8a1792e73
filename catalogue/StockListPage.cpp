#include "catalogue/StockListPage.h"

#include <QFont>
#include <QKeyEvent>
#include <QPainter>
#include <QStackedWidget>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "catalogue/StockListRules.h"
#include "catalogue/StokAyrinti.h"
#include "catalogue/Thareket_stok.h"
#include "data/MemTable.h"
#include "remote/Connection.h"
#include "remote/ServerMethods.h"
#include "session/MainContext.h"
#include "session/Utilities.h"
#include "session/records/Records.h"

namespace catalogue {

namespace {
const QString kPage = QStringLiteral("sstoklistesi");
}

StockListPage::StockListPage(session::MainContext& ctx, QWidget* page) : QObject(page), ctx_(ctx), page_(page) {
    setObjectName(QStringLiteral("stokListesiSayfasi"));
    stok_ = ctx_.table ? ctx_.table(QStringLiteral("stok")) : nullptr;

    cxGrid1 = new grid::DataGrid(page);
    cxGrid1->setObjectName(QStringLiteral("cxGrid1"));
    cxGrid1->setAccessibleName(QStringLiteral("Stok Listesi"));
    cxGrid1->view()->setAccessibleName(QStringLiteral("Stok Listesi"));
    cxGrid1->setColumns(stokKolonlari());
    grid::GridStyle style = grid::listStyle(QStringLiteral("Arial"), 13);
    style.evenRow = QColor(239, 239, 239);
    style.oddRow = Qt::white;
    style.focusedRow = QColor(210, 240, 249);
    style.focusedText = Qt::black;
    style.headerBackground = QColor(53, 64, 81);
    style.headerText = Qt::white;
    style.headerHeight = 40;
    style.rowHeight = kGenisSatirYuksekligi;
    cxGrid1->setGridStyle(style);
    cxGrid1->setFilterButtonsVisible(true);
    cxGrid1->setDisplayLocale(QLocale());  // the user's number format, as the detail dialog shows it
    cxGrid1->addFooter(QStringLiteral("OEM1"), grid::Aggregate::Count);
    cxGrid1->setCustomDrawHook(kFiyatBilgisi, &StockListPage::FiyatBilgisiCustomDrawCell);
    cxGrid1->setCustomTextHook(kFiyatBilgisi, [](const grid::RowValues& r) {
        return fiyatBilgisiYazisi(r.asFloat("LISTEFIYAT1"), r.asFloat("KAMPFIYAT"), r.asFloat("NETFIYAT"),
                                  r.asFloat("KDVDAHIL"))
            .trimmed();
    });
    if (stok_) cxGrid1->attach(stok_);
    cxGrid1->installEventFilter(this);

    if (!page->layout()) {
        auto* l = new QVBoxLayout(page);
        l->setContentsMargins(0, 0, 0, 0);
    }
    page->layout()->addWidget(cxGrid1);

    popstok = new QMenu(cxGrid1);
    popstok->setObjectName(QStringLiteral("popstok"));
    S2 = popstok->addAction(QStringLiteral("Sepete Ekle"));
    S2->setObjectName(QStringLiteral("S2"));
    popstok->addSeparator();
    SiparisBakiyeleriniz1 = popstok->addAction(QStringLiteral("Sipariş Bakiyeleriniz"));
    SiparisBakiyeleriniz1->setObjectName(QStringLiteral("SiparisBakiyeleriniz1"));
    popstok->addSeparator();
    S3 = popstok->addAction(QStringLiteral("Siparişleri Göster"));
    S3->setObjectName(QStringLiteral("S3"));
    popstok->addSeparator();
    StokHareketleri1 = popstok->addAction(QStringLiteral("Stok Hareketleri"));
    StokHareketleri1->setObjectName(QStringLiteral("StokHareketleri1"));
    connect(S2, &QAction::triggered, this, &StockListPage::S2Click);
    connect(S3, &QAction::triggered, this, &StockListPage::S3Click);
    connect(StokHareketleri1, &QAction::triggered, this, &StockListPage::StokHareketleri1Click);
    connect(cxGrid1, &grid::DataGrid::contextMenuRequested, this, [this](const QPoint& pos) { popstok->popup(pos); });
    connect(cxGrid1, &grid::DataGrid::rowDoubleClicked, this, [this] { cxGrid1DBTableView1DblClick(); });

    araedit = ctx_.searchBox ? ctx_.searchBox() : nullptr;
    if (ctx_.window) {
        SpeedButton1 = ctx_.window->findChild<QAbstractButton*>(QStringLiteral("SpeedButton1"));
        SpeedButton2 = ctx_.window->findChild<QAbstractButton*>(QStringLiteral("SpeedButton2"));
    }
    if (araedit) araedit->installEventFilter(this);
    if (SpeedButton1) connect(SpeedButton1, &QAbstractButton::clicked, this, &StockListPage::SpeedButton1Click);
    if (SpeedButton2) connect(SpeedButton2, &QAbstractButton::clicked, this, &StockListPage::SpeedButton2Click);

    if (ctx_.bagc) {
        session::PageLoad::Options o;
        if (ctx_.busyIndicator) o.busyIndicator = ctx_.busyIndicator(QStringLiteral("gifstokara"));
        o.table = stok_;
        o.grid.detach = [this] {
            cxGrid1->beginUpdate();
            cxGrid1->detach();
            cxGrid1->clearFilters();
        };
        if (araedit) o.alsoDisabled.push_back(araedit.data());
        o.finish = [this](bool hata) { aramaBitti(hata); };
        o.connectFlag = 0;
        load_ = std::make_unique<session::PageLoad>(*ctx_.bagc, std::move(o));
    }
    StokKolonlariDuzenle();
}

StockListPage::~StockListPage() = default;

int StockListPage::musteriTipi() const {
    if (musteriTipi_ >= 0) return musteriTipi_;
    return ctx_.sbilgi ? ctx_.sbilgi->MusteriTipi() : 0;
}

void StockListPage::setCaption(const QString& caption) {
    if (ctx_.setPageCaption) ctx_.setPageCaption(kPage, caption);
}

void StockListPage::sayfayiGoster() {
    for (QWidget* w = page_ ? page_->parentWidget() : nullptr; w; w = w->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            if (tabs->currentWidget() != page_) tabs->setCurrentWidget(page_);
            return;
        }
        if (auto* stack = qobject_cast<QStackedWidget*>(w)) {
            if (qobject_cast<QTabWidget*>(stack->parentWidget())) continue;
            if (stack->currentWidget() != page_ && stack->indexOf(page_) >= 0) stack->setCurrentWidget(page_);
        }
    }
}

bool StockListPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == araedit && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) return araeditKeyPress(QChar(13));
        if (k->text().size() == 1 && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return araeditKeyPress(k->text().at(0));
    } else if (watched == cxGrid1 && event->type() == QEvent::Resize) {
        cxGrid1Resize();
    }
    return QObject::eventFilter(watched, event);
}

bool StockListPage::araeditKeyPress(QChar key) {
    if (key == QChar(13)) {
        aramaBaslat();
        return true;
    }
    if (!araedit || !key.isPrint()) return false;
    const QChar mapped = aramaKarakteri(key);
    if (mapped == key) return false;
    araedit->insert(QString(mapped));
    return true;
}

void StockListPage::aramaBaslat() {
    if (!araedit || aramaSuruyor()) return;
    sayfayiGoster();
    const QString kod = araedit->text();
    if (!aramaMetniYeterli(kod)) {
        session::MesajGoster(kisaAramaUyarisi(), session::MsgKind::Warning, platform::kOk, session::MsgButton::OK);
        return;
    }
    if (!load_ || !stok_ || !ctx_.sbilgi) return;
    auto bilgi = std::make_shared<TSonucBilgisi>();
    bilgi->Kopyala(*ctx_.sbilgi);
    data::MemTable* stok = stok_;
    load_->start([kod, bilgi, stok](remote::Connection& c) { return StokListesiAl(c, kod, *bilgi, *stok); });
}

bool StockListPage::StokListesiAl(remote::Connection& connection, const QString& kod, const TSonucBilgisi& bilgi,
                                  data::MemTable& stok) {
    try {
        auto copy = std::make_unique<TSonucBilgisi>();
        copy->Kopyala(bilgi);
        remote::TServerMethods1Client proxy(connection);
        remote::loadTable(stok, proxy.StokAraGetirTarvo(kod, std::move(copy)));
        if (!stok.hasField("IND1")) return true;
        session::SayiBicimiAyarla(stok);
        return false;
    } catch (...) {
        return true;
    }
}

void StockListPage::aramaBitti(bool hata) {
    if (araedit) araedit->setEnabled(true);
    if (stok_) cxGrid1->attach(stok_);
    if (cxGrid1->isUpdating()) cxGrid1->endUpdate();
    if (araedit) {
        araedit->selectAll();
        araedit->setFocus();
    }
    if (ctx_.busyIndicator)
        if (QWidget* busy = ctx_.busyIndicator(QStringLiteral("gifstokara"))) busy->setVisible(false);
    if (hata) {
        if (stok_ && stok_->active()) stok_->emptyDataSet();
        setCaption(stokListesiBasligi());
    } else {
        setCaption(stokListesiBasligi(stok_ ? static_cast<int>(stok_->rowCount()) : 0));
        StokKolonlariDuzenle();
    }
}

void StockListPage::SpeedButton2Click() {
    if (araedit && araedit->isEnabled()) aramaBaslat();
}

void StockListPage::SpeedButton1Click() {
    if (!araedit || !araedit->isEnabled()) return;
    if (stok_ && stok_->active()) {
        stok_->emptyDataSet();
        setCaption(stokListesiBasligi());
    }
    sayfayiGoster();
    cxGrid1->clearFilters();
    araedit->clear();
    araedit->selectAll();
    araedit->setFocus();
}

void StockListPage::listeyiBosalt() {
    if (stok_ && stok_->active()) stok_->emptyDataSet();
    setCaption(stokListesiBasligi(0));
    sayfayiGoster();
    if (araedit) araedit->setFocus();
}

void StockListPage::StokKolonlariDuzenle() {
    cxGrid1->beginUpdate();
    const int windowWidth = ctx_.window ? ctx_.window->width() : cxGrid1->width();
    const bool wide = genisDuzen(windowWidth);
    for (const char* f : {"LISTEFIYAT1", "NETFIYAT", "KDVDAHIL"}) cxGrid1->setColumnVisible(QString::fromLatin1(f), wide);
    cxGrid1->setColumnVisible(QStringLiteral("KAMPFIYAT"), wide && musteriTipi() != 4);
    cxGrid1->setColumnVisible(kFiyatBilgisi, !wide);
    cxGrid1->setRowHeight(wide ? kGenisSatirYuksekligi : kDarSatirYuksekligi);
    cxGrid1->fitByWeight(cxGrid1->width());
    if (!wide) {
        for (const char* f : {"OEM1", "OEM2", "OEM3"}) cxGrid1->setColumnWidth(QString::fromLatin1(f), 80);
        cxGrid1->setColumnWidth(kFiyatBilgisi, 150);
        cxGrid1->setRowHeight(kDarSatirYuksekligi);
    }
    cxGrid1->endUpdate();
}

void StockListPage::cxGrid1Resize() {
    if (araedit && !araedit->isEnabled()) return;
    StokKolonlariDuzenle();
}

void StockListPage::FiyatBilgisiCustomDrawCell(QPainter* painter, const QRect& rect, const grid::RowValues& row,
                                              const QStyleOptionViewItem& option) {
    QString text = fiyatBilgisiYazisi(row.asFloat("LISTEFIYAT1"), row.asFloat("KAMPFIYAT"), row.asFloat("NETFIYAT"),
                                      row.asFloat("KDVDAHIL"));
    painter->fillRect(rect, option.backgroundBrush);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(u'\n')) text.chop(1);
    painter->setPen(option.palette.color(QPalette::Text));
    painter->drawText(rect.adjusted(10, 0, -10, 0), Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap, text);
}

int StockListPage::focusedStokNo() const {
    if (!cxGrid1->hasFocusedRow()) return -1;
    return static_cast<int>(data::cellToInteger(cxGrid1->focusedValue(QStringLiteral("STOK_STOKNO"))));
}

void StockListPage::cxGrid1DBTableView1DblClick() {
    const int stokno = focusedStokNo();
    if (stokno < 0 || !stok_) return;
    stok_->locate("STOK_STOKNO", data::Cell(std::int64_t{stokno}));
    data::MemTable* sepet = ctx_.table ? ctx_.table(QStringLiteral("sepet")) : nullptr;
    if (sepet && !sepet->active()) sepetiYenile(ctx_);
    if (sepet && sepet->active() && sepet->hasField("STOKNO") &&
        sepet->locate("STOKNO", data::Cell(std::int64_t{stokno}))) {
        // Already in the cart: it is changed there, never added a second time.
        if (!ctx_.openCartLineForStock || !ctx_.openCartLineForStock(stokno))
            session::MesajGoster(QStringLiteral("Bu ürün sepetinizde zaten var. Miktarını veya fiyatını Sepet sayfasında "
                                                "satırı değiştirerek düzeltebilirsiniz."),
                                 session::MsgKind::Information, platform::kOk, session::MsgButton::OK);
        return;
    }
    StokAyrintiGoster(ctx_, Tstokayarinti::Sayfa::StokListesi, stokno);
}

void StockListPage::S2Click() {
    cxGrid1DBTableView1DblClick();
}

void StockListPage::S3Click() {
    const int stokno = focusedStokNo();
    if (stokno < 0) return;
    if (ctx_.showOrderLinesOfStock) ctx_.showOrderLinesOfStock(stokno);
}

void StockListPage::StokHareketleri1Click() {
    const int stokno = focusedStokNo();
    if (stokno < 0) return;
    StokHareketleriGoster(ctx_, stokno);
}

void StockListPage::musteriTipiUygula(int tip) {
    musteriTipi_ = tip;
    cxGrid1->setStaffMode(tip == 1 || tip == 2);
    // Customers without campaigns never see the campaign columns, not even in the chooser.
    const bool campaigns = tip != 4;
    cxGrid1->setColumnVisible(QStringLiteral("K"), campaigns);
    for (const char* f : {"K", "KAMPFIYAT"}) cxGrid1->setColumnOffered(QString::fromLatin1(f), campaigns);
    StokKolonlariDuzenle();
}

StockListPage* installStockList(session::MainContext& ctx) {
    QWidget* page = ctx.page ? ctx.page(kPage) : nullptr;
    if (!page) return nullptr;
    auto* p = new StockListPage(ctx, page);
    QPointer<StockListPage> guard(p);
    ctx.customerTypeAdapters.push_back([guard](int tip) {
        if (guard) guard->musteriTipiUygula(tip);
    });
    ctx.startSearch = [guard](const QString& text) {
        if (!guard || !guard->araedit) return;
        if (!guard->araedit->isEnabled()) return;
        guard->araedit->setText(text);
        guard->SpeedButton2Click();
    };
    ctx.clearStockList = [guard] {
        if (guard) guard->listeyiBosalt();
    };
    return p;
}

}  // namespace catalogue
